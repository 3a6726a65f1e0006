#include "FileDialogFilter.h"

#include <QStringList>

namespace velkrant::FileDialogFilter {

namespace {

// The toolkit matches names case-sensitively on most systems; a bracket
// pair per letter makes "*.lst" also find "LINKS.LST". A pattern that
// already uses brackets is left as its author wrote it.
QString CaseInsensitive(const QString& pattern) {
    if (pattern.contains(u'[')) {
        return pattern;
    }
    QString out;
    for (QChar c : pattern) {
        if (c.isLetter() && c.toLower() != c.toUpper()) {
            out += u'[';
            out += c.toLower();
            out += c.toUpper();
            out += u']';
        } else {
            out += c;
        }
    }
    return out;
}

QString ToolkitPatterns(const QString& patterns) {
    QStringList out;
    for (const QString& raw : patterns.split(u';', Qt::SkipEmptyParts)) {
        const QString pattern = raw.trimmed();
        if (pattern.isEmpty()) {
            continue;
        }
        out << (pattern == u"*.*" ? QStringLiteral("*") : CaseInsensitive(pattern));
    }
    return out.join(u' ');
}

}  // namespace

std::vector<Entry> Parse(const QString& list) {
    const QStringList items = list.split(QChar(u'\0'));
    std::vector<Entry> entries;
    for (qsizetype i = 0; i + 1 < items.size(); i += 2) {
        const QString& description = items[i];
        const QString& patterns = items[i + 1];
        if (description.isEmpty() || patterns.isEmpty()) {
            break;
        }
        entries.push_back({description, description + QStringLiteral(" (") + ToolkitPatterns(patterns) + u')'});
    }
    return entries;
}

}  // namespace velkrant::FileDialogFilter
