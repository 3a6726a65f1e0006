#include "LineConverter.h"

#include "CodePage.h"
#include "ConversionCommand.h"

namespace velkrant::cli {

namespace {

// Notices always become comment lines: there is no window to show them in.
class CommentNotices : public NoticeTarget {
public:
    bool BatchTicked() const override { return true; }
    void ShowMessage(const Message&) override {}
};

BytesView AsBytes(std::string_view bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

std::u16string LineToText(std::string_view bytes) {
    const BytesView raw = AsBytes(bytes);
    return CodePage::IsValidUtf8(raw) ? CodePage::Utf8ToText(raw) : CodePage::BytesToText(raw);
}

}  // namespace

std::string ConvertLine(ConversionMode mode, std::string_view bytes) {
    CommentNotices notices;
    return CodePage::TextToUtf8(ConversionCommand::ConvertBatchLine(mode, LineToText(bytes), notices));
}

}  // namespace velkrant::cli
