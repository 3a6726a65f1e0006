#pragma once
// Readable failure reports: texts print as UTF-8, and table rows print as
// their name, so listings say "ChinesePath" rather than a dump of bytes.
// Bring the row printer into the namespace of the row types with
// `using test::PrintTo;`.

#include <QString>
#include <QStringList>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& texts, std::ostream* os) {
    *os << '{' << texts.join(QStringLiteral("\", \"")).prepend(u'"').append(u'"').toStdString() << '}';
}

namespace velkrant::test {

template <typename Case>
    requires requires(const Case& c) { *static_cast<std::ostream*>(nullptr) << c.name; }
void PrintTo(const Case& row, std::ostream* os) {
    *os << row.name;
}

}  // namespace velkrant::test
