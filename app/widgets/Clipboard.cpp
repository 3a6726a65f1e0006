#include "Clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace velkrant::Clipboard {

void SetText(QString text) {
#ifndef Q_OS_WIN
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
#endif
    QGuiApplication::clipboard()->setText(text);
}

}  // namespace velkrant::Clipboard
