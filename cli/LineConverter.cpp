#include "LineConverter.h"

#include "CarefulRead.h"
#include "CodePage.h"
#include "CommentNotices.h"
#include "ConversionCommand.h"
#include "LinkText.h"

namespace velkrant::cli {

namespace {

bool IsEncoding(ConversionMode mode) {
    return mode == ModeThunderEncode || mode == ModeFlashgetEncode || mode == ModeQqdlEncode;
}

}  // namespace

void AppendConvertedLine(const LineOptions& options, std::string_view bytes, std::string& out) {
    const BytesView raw = LinkText::AsBytes(bytes);
    if (options.exact) {
        // Notices always become comment lines: there is no window to show them in.
        CommentNotices notices;
        out += CodePage::TextToUtf8(
            ConversionCommand::ConvertBatchLine(options.mode, CodePage::Utf8OrCodePageToText(raw), notices));
        return;
    }
    if (bytes.empty()) return;
    if (IsEncoding(options.mode)) {
        out += CodePage::TextToUtf8(
            CarefulEncode::Encode(options.mode, CodePage::Utf8OrCodePageToText(raw), options.charset));
        return;
    }
    CarefulRead::AppendConvertedLine(options.mode, raw, out);
}

}  // namespace velkrant::cli
