#pragma once
// One input line through the conversion core, bytes in and UTF-8 out.

#include "CarefulEncode.h"
#include "ConversionMode.h"

#include <string>
#include <string_view>

namespace velkrant::cli {

/// How lines are converted: the mode, careful or exact reading, and the
/// charset of the payloads the encoders make.
struct LineOptions {
    ConversionMode mode = ModeAuto;
    bool exact = false;
    CarefulEncode::PayloadCharset charset = CarefulEncode::PayloadCharset::CodePage;
};

/// `bytes` (one line without its line end) converted as `options` say,
/// appended to `out` as UTF-8: an empty line stays empty, automatic detection's notices become
/// "// " comment lines. Throws NumberedError when the line cannot be
/// converted, and `out` may then hold part of the line. Bytes that are valid UTF-8 are read as UTF-8, any others
/// through the code page (GBK), so list files written by the batch window
/// read right as well. Exact reading follows the batch window's rules byte
/// for byte; careful reading repairs what copying does to a link, or says
/// why it cannot.
///
///     AppendConvertedLine({ModeAuto}, "thunder://QUFodHRwOi8vYS9iWlo=", out);   // out += "http://a/b"
///     AppendConvertedLine({ModeAuto}, "http://a/b", out);   // out += "// 普通协议,不需要解密!"
///     AppendConvertedLine({ModeAuto}, "“thunder://QUFodHRwOi8vYS9iWlo”。", out);   // out += "http://a/b"
void AppendConvertedLine(const LineOptions& options, std::string_view bytes, std::string& out);

}  // namespace velkrant::cli
