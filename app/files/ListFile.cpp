#include "ListFile.h"

#include "CodePage.h"
#include "FileBytes.h"
#include "Scan.h"

#include <string>
#include <utility>

namespace velkrant::ListFile {

namespace {

bool IsLoneCr(std::u16string_view text, std::size_t at) {
    return text[at] == u'\r' && (at + 1 == text.size() || text[at + 1] != u'\n');
}

// A CR alone ends a line as CR LF does: it gets the LF that it lacks.
std::u16string WithLfAfterLoneCrs(std::u16string_view text) {
    std::u16string joined;
    joined.reserve(text.size() + text.size() / 16);
    for (std::size_t at = 0; at < text.size(); ++at) {
        joined.push_back(text[at]);
        if (IsLoneCr(text, at)) joined.push_back(u'\n');
    }
    return joined;
}

bool HasLoneCr(std::u16string_view text) {
    // A list has a CR every line; the search goes block by block.
    const auto isCr = [&](std::size_t at) { return text[at] == u'\r'; };
    for (std::size_t cr = FindPosition(0, text.size(), isCr); cr < text.size();
         cr = FindPosition(cr + 1, text.size(), isCr)) {
        if (IsLoneCr(text, cr)) return true;
    }
    return false;
}

// The file's lines joined by CR LF, nothing after the last one. Lists
// nearly always end their lines in CR LF already; then the text only loses
// its last line end, in place, and a long list is not copied once more.
std::u16string BoxTextFromFileText(std::u16string text) {
    if (HasLoneCr(text)) text = WithLfAfterLoneCrs(text);
    if (text.ends_with(u"\r\n")) text.resize(text.size() - 2);
    return text;
}

}  // namespace

std::u16string DecodeBytes(BytesView bytes) {
    static constexpr std::uint8_t ByteOrderMark[] = {0xEF, 0xBB, 0xBF};
    if (bytes.starts_with(BytesView(ByteOrderMark, 3))) {
        return CodePage::Utf8ToText(bytes.substr(3));
    }
    return CodePage::Utf8OrCodePageToText(bytes);
}

std::u16string Read(const QString& path) {
    // The bytes go as soon as they are text.
    std::u16string text = DecodeBytes(FileBytes::ReadAll(path));
    return BoxTextFromFileText(std::move(text));
}

void Write(const QString& path, const QString& text) {
    // constData(), not utf16(): the text may be borrowed, and utf16() would
    // copy it all just to end it with a NUL.
    Bytes bytes = CodePage::TextToBytes(std::u16string_view(reinterpret_cast<const char16_t*>(text.constData()),
                                                            static_cast<std::size_t>(text.size())));
    bytes.append({'\r', '\n'});
    FileBytes::Save(path, bytes);
}

}  // namespace velkrant::ListFile
