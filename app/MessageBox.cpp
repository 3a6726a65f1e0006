#include "MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>


namespace velkrant {

void ShowMessageBox(const Message& message) {
    const QMessageBox::Icon icon =
        message.icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Information;
    // Lines of a message are joined by CR LF; the label breaks at LF alone
    // and would draw the CR as a stray glyph.
    QString text = QString::fromStdU16String(message.text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(icon, QString::fromStdU16String(message.title), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace velkrant
