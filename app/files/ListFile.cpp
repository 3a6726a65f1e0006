#include "ListFile.h"

#include "CodePage.h"
#include "FileBytes.h"

#include <string>

namespace velkrant::ListFile {

namespace {

// One pass over the file's text: a CR ends a line and takes a following LF
// with it; a terminator at the very end adds no empty line of its own.
// Built straight into the QString the box takes, so a long list is not
// copied once more on its way there.
QString BoxTextFromFileText(std::u16string_view fileText) {
    QString box;
    box.reserve(static_cast<qsizetype>(fileText.size() + fileText.size() / 16));
    std::size_t at = 0;
    while (at < fileText.size()) {
        const std::size_t cr = fileText.find(u'\r', at);
        const std::size_t end = cr == std::u16string_view::npos ? fileText.size() : cr;
        box.append(QStringView(fileText.substr(at, end - at)));
        at = end;
        if (at < fileText.size()) {
            at += 1;
            if (at < fileText.size() && fileText[at] == u'\n') {
                at += 1;
            }
            if (at < fileText.size()) {
                box.append(QStringLiteral("\r\n"));
            }
        }
    }
    return box;
}

}  // namespace

std::u16string DecodeBytes(BytesView bytes) {
    static constexpr std::uint8_t ByteOrderMark[] = {0xEF, 0xBB, 0xBF};
    if (bytes.starts_with(BytesView(ByteOrderMark, 3))) {
        return CodePage::Utf8ToText(bytes.substr(3));
    }
    return CodePage::Utf8OrCodePageToText(bytes);
}

QString Read(const QString& path) {
    // The bytes go as soon as they are text.
    const std::u16string fileText = DecodeBytes(FileBytes::ReadAll(path));
    return BoxTextFromFileText(fileText);
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
