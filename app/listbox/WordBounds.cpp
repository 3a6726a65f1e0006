#include "WordBounds.h"

#include <QString>
#include <QStringView>
#include <QTextLayout>

namespace velkrant::WordBounds {

namespace {

bool IsSeparator(QChar unit) {
    return QStringView(u".,?!@#$:;-<>[](){}=/+%&^*'\"`~|\\").contains(unit);
}

}  // namespace

std::optional<int> StartOfWord(const QTextLayout& layout, int column) {
    const QString& line = layout.text();
    const auto length = static_cast<int>(line.size());
    if (column == 0) return std::nullopt;
    const QChar before = line.at(column - 1);
    if (column == length && (before.isSpace() || IsSeparator(before))) return std::nullopt;
    // From just after the unit at `column`, so that a column at a word's
    // start stays in that word.
    return layout.previousCursorPosition(column < length ? column + 1 : column, QTextLayout::SkipWords);
}

std::optional<int> EndOfWord(const QString& line, int column) {
    const auto length = static_cast<int>(line.size());
    if (column >= length) return std::nullopt;
    if (IsSeparator(line.at(column))) {
        // A run of separators is a word of its own.
        do {
            ++column;
        } while (column < length && IsSeparator(line.at(column)));
    } else {
        while (column < length && !line.at(column).isSpace() && !IsSeparator(line.at(column))) ++column;
    }
    return column;
}

}  // namespace velkrant::WordBounds
