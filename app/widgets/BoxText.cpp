#include "BoxText.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace velkrant::BoxText {

std::u16string Of(const QPlainTextEdit& box) {
    // Line by line, straight from the document: a block's text is raw (unlike
    // toPlainText(), it leaves non-breaking spaces alone), and a list of a
    // million lines is copied out once, not first whole into one more
    // string and then again with its separators replaced.
    const QTextDocument& document = *box.document();
    std::u16string text;
    // Each block's length counts its separator, which becomes CR LF.
    text.reserve(static_cast<std::size_t>(document.characterCount() + document.blockCount()));
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin()) text.append(u"\r\n");
        const QString line = block.text();
        text.append(reinterpret_cast<const char16_t*>(line.constData()), static_cast<std::size_t>(line.size()));
    }
    return text;
}

void Set(QPlainTextEdit& box, std::u16string_view text) {
    // The document copies the characters into its own store and keeps no
    // reference to the string it was given, so a long output needs no
    // third copy of itself on the way in.
    Set(box, Borrowed(text));
}

void Set(QPlainTextEdit& box, const QString& text) {
    box.setPlainText(text);
}

QString Borrowed(std::u16string_view text) {
    return QString::fromRawData(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

void Append(QPlainTextEdit& box, const QString& text) {
    QTextCursor end(box.document());
    end.movePosition(QTextCursor::End);
    end.insertText(text);
}

}  // namespace velkrant::BoxText
