#pragma once
// Readable failure reports: Qt texts print as UTF-8 and rectangles as
// position and size, not as a dump of bytes. These live in the global
// namespace, where GoogleTest's printer looks for them.

#include <QRect>
#include <QString>
#include <QStringList>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& texts, std::ostream* os) {
    *os << '{' << texts.join(QStringLiteral("\", \"")).prepend(u'"').append(u'"').toStdString() << '}';
}

inline void PrintTo(const QRect& rect, std::ostream* os) {
    *os << '(' << rect.x() << ", " << rect.y() << ", " << rect.width() << " x " << rect.height() << ')';
}
