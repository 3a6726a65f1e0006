#include "BoxText.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

namespace velkrant::BoxText {

std::u16string Of(const QPlainTextEdit& box) {
    // The raw text separates lines by the paragraph separator and, unlike
    // toPlainText(), leaves non-breaking spaces alone.
    QString text = box.document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    return text.toStdU16String();
}

void Set(QPlainTextEdit& box, std::u16string_view text) {
    box.setPlainText(QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
}

void Append(QPlainTextEdit& box, const QString& text) {
    QTextCursor end(box.document());
    end.movePosition(QTextCursor::End);
    end.insertText(text);
}

}  // namespace velkrant::BoxText
