#include "LineConverter.h"

#include "CodePage.h"
#include "ConversionCommand.h"
#include "ConversionHost.h"

namespace velkrant::cli {

namespace {

// Notices always become comment lines: there is no window to show them in.
class CommentNotices : public NoticeTarget {
public:
    bool BatchTicked() const override { return true; }
    void ShowMessage(const Message&) override {}
};

}  // namespace

std::string ConvertLine(ConversionMode mode, std::string_view bytes) {
    CommentNotices notices;
    const BytesView raw(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    return CodePage::TextToUtf8(
        ConversionCommand::ConvertBatchLine(mode, CodePage::Utf8OrCodePageToText(raw), notices));
}

}  // namespace velkrant::cli
