#pragma once
// velkrant-cli --extract and --replace: the private links inside any text
// (a web page, a forum post, a chat log), read carefully.

#include "BatchRun.h"

#include <string>
#include <vector>

namespace velkrant::cli {

enum class ExtractKind {
    Addresses,  // every link's address, one per line, in UTF-8
    Replace,    // the text as it was, each link replaced by its address
};

/// Reads each of `files` whole ("-", or no file at all, is standard input),
/// as UTF-8 when it starts with the byte-order mark or is UTF-8 throughout,
/// through the code page otherwise, and writes what `kind` asks for to
/// `outDescriptor`. In a replaced text each address is written in the
/// text's own encoding, percent-encoded as UTF-8 where the code page cannot
/// hold it. A link that cannot be read is left as it was and reported with
/// its line and column (lines counted across all inputs); the status is
/// then 1.
///
///     RunExtract(ExtractKind::Replace, {"page.html"}, System::StandardOutput)   // 0, 1 or 2
ExitStatus RunExtract(ExtractKind kind, const std::vector<std::string>& files, int outDescriptor);

}  // namespace velkrant::cli
