#include "LineConverter.h"

#include "CodePage.h"
#include "ConversionCommand.h"

#include <algorithm>

namespace velkrant::cli {

namespace {

// Notices always become comment lines: there is no window to show them in.
class CommentNotices : public NoticeTarget {
public:
    bool BatchTicked() const override { return true; }
    void ShowMessage(const Message&) override {}
};

// Nearly every link is plain ASCII, which reads and writes the same in
// UTF-8 and the code page: a straight copy is much cheaper than decoding.
template <class Char>
bool IsAscii(std::basic_string_view<Char> text) {
    return std::all_of(text.begin(), text.end(), [](Char c) { return (c & ~Char{0x7F}) == 0; });
}

std::u16string LineToText(std::string_view bytes) {
    if (IsAscii(bytes)) return std::u16string(bytes.begin(), bytes.end());
    const BytesView raw(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    return CodePage::IsValidUtf8(raw) ? CodePage::Utf8ToText(raw) : CodePage::BytesToText(raw);
}

std::string TextToUtf8(std::u16string_view text) {
    if (IsAscii(text)) {
        std::string utf8(text.size(), '\0');
        std::transform(text.begin(), text.end(), utf8.begin(), [](char16_t c) { return static_cast<char>(c); });
        return utf8;
    }
    return CodePage::TextToUtf8(text);
}

}  // namespace

std::string ConvertLine(ConversionMode mode, std::string_view bytes) {
    CommentNotices notices;
    return TextToUtf8(ConversionCommand::ConvertBatchLine(mode, LineToText(bytes), notices));
}

}  // namespace velkrant::cli
