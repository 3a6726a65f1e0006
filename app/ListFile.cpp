#include "ListFile.h"

#include "CodePage.h"
#include "FileBytes.h"

#include <string>

namespace velkrant::ListFile {

namespace {

// One pass over the file's text: a CR ends a line and takes a following LF
// with it; a terminator at the very end adds no empty line of its own.
std::u16string BoxTextFromFileText(std::u16string_view fileText) {
    std::u16string box;
    box.reserve(fileText.size() + fileText.size() / 16);
    std::size_t at = 0;
    while (at < fileText.size()) {
        const std::size_t cr = fileText.find(u'\r', at);
        const std::size_t end = cr == std::u16string_view::npos ? fileText.size() : cr;
        box.append(fileText.substr(at, end - at));
        at = end;
        if (at < fileText.size()) {
            at += 1;
            if (at < fileText.size() && fileText[at] == u'\n') {
                at += 1;
            }
            if (at < fileText.size()) {
                box.append(u"\r\n");
            }
        }
    }
    return box;
}

}  // namespace

QString Read(const QString& path) {
    const Bytes bytes = FileBytes::ReadAll(path);
    return QString::fromStdU16String(BoxTextFromFileText(CodePage::BytesToText(bytes)));
}

void Write(const QString& path, const QString& text) {
    Bytes bytes = CodePage::TextToBytes(text.toStdU16String());
    bytes.append({'\r', '\n'});
    FileBytes::Save(path, bytes);
}

}  // namespace velkrant::ListFile
