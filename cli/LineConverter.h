#pragma once
// One input line through the conversion core, bytes in and UTF-8 out.

#include "ConversionMode.h"

#include <string>
#include <string_view>

namespace velkrant::cli {

/// `bytes` (one line without its line end) converted by `mode` under the
/// batch rules, as UTF-8: an empty line stays empty, automatic detection's
/// notices become "// " comment lines. Throws NumberedError when the line
/// cannot be converted. Bytes that are valid UTF-8 are read as UTF-8, any
/// others through the code page (GBK), so list files written by the batch
/// window read right as well.
///
///     ConvertLine(ModeAuto, "thunder://QUFodHRwOi8vYS9iWlo=") == "http://a/b"
///     ConvertLine(ModeAuto, "http://a/b") == "// 普通协议,不需要解密!"
std::string ConvertLine(ConversionMode mode, std::string_view bytes);

}  // namespace velkrant::cli
