#include "AccessibleText.h"

#include "ListBox.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

#include <algorithm>

namespace velkrant::AccessibleText {

namespace {

// Each line break before a line counts one character instead of two.
std::size_t LineOffset(const ListText& list, std::size_t line) {
    return list.LineStart(line) - line;
}

// The line that holds screen-reader offset `offset`: the last one starting
// at or before it (an offset at a line's break belongs to that line).
std::size_t LineAtOffset(const ListText& list, std::size_t offset) {
    std::size_t low = 0;
    std::size_t high = list.LineCount();
    while (high - low > 1) {
        const std::size_t middle = low + (high - low) / 2;
        if (LineOffset(list, middle) <= offset) {
            low = middle;
        } else {
            high = middle;
        }
    }
    return low;
}

// Characters, words and sentences are found as the toolkit's text boxes
// find them, by its own rules, on a document of just the one line (and its
// break, which a character step may land beyond): none of them spans lines.
Range ItemInLine(const ListText& list, std::size_t offset, QAccessible::TextBoundaryType boundary) {
    const std::size_t line = LineAtOffset(list, offset);
    QString text = ListBox::ToQString(list.Line(line));
    if (line + 1 < list.LineCount()) text += u'\n';
    QTextDocument document;
    QTextOption noWrap;
    noWrap.setWrapMode(QTextOption::NoWrap);
    document.setDefaultTextOption(noWrap);
    document.setPlainText(text);
    QTextCursor cursor(&document);
    cursor.setPosition(static_cast<int>(offset - LineOffset(list, line)));
    const auto [start, end] = QAccessible::qAccessibleTextBoundaryHelper(cursor, boundary);
    const std::size_t origin = LineOffset(list, line);
    return {origin + static_cast<std::size_t>(start), origin + static_cast<std::size_t>(end)};
}

// An empty line is still a line; any other item has characters.
bool IsItem(Range range, QAccessible::TextBoundaryType boundary) {
    return range.start < range.end || boundary == QAccessible::LineBoundary ||
           boundary == QAccessible::ParagraphBoundary;
}

}  // namespace

std::size_t OffsetOf(const ListText& list, std::size_t position) {
    return position - list.LineOf(position);
}

std::size_t PositionOf(const ListText& list, std::size_t offset) {
    const std::size_t line = LineAtOffset(list, offset);
    return std::min(list.LineStart(line) + (offset - LineOffset(list, line)), list.Text().size());
}

std::size_t Length(const ListText& list) {
    return list.Text().size() - (list.LineCount() - 1);
}

QString WithSingleBreaks(std::u16string_view text) {
    QString single;
    single.reserve(static_cast<qsizetype>(text.size()));
    std::size_t from = 0;
    for (std::size_t at = text.find(u"\r\n"); at != std::u16string_view::npos; at = text.find(u"\r\n", from)) {
        single.append(ListBox::ToQString(text.substr(from, at - from))).append(u'\n');
        from = at + 2;
    }
    return single.append(ListBox::ToQString(text.substr(from)));
}

QString Between(const ListText& list, std::size_t from, std::size_t to) {
    const std::size_t start = PositionOf(list, from);
    const std::size_t end = std::max(start, PositionOf(list, to));
    return WithSingleBreaks(list.Text().substr(start, end - start));
}

Range ItemAt(const ListText& list, std::size_t offset, QAccessible::TextBoundaryType boundary) {
    offset = std::min(offset, Length(list));
    switch (boundary) {
    case QAccessible::LineBoundary:
    case QAccessible::ParagraphBoundary: {
        const std::size_t line = LineAtOffset(list, offset);
        const std::size_t start = LineOffset(list, line);
        return {start, start + list.Line(line).size()};
    }
    case QAccessible::NoBoundary:
        return {0, Length(list)};
    case QAccessible::CharBoundary:
        return ItemInLine(list, offset, boundary);
    default:
        // An empty line holds no word or sentence: known without laying it
        // out, so that stepping over a long run of empty lines stays quick.
        if (list.Line(LineAtOffset(list, offset)).empty()) return {offset, offset};
        return ItemInLine(list, offset, boundary);
    }
}

std::optional<Range> ItemBefore(const ListText& list, std::size_t offset, QAccessible::TextBoundaryType boundary) {
    const Range at = ItemAt(list, offset, boundary);
    for (std::size_t step = at.start; step > 0; --step) {
        const Range before = ItemAt(list, step - 1, boundary);
        if (before.end <= at.start && IsItem(before, boundary)) return before;
    }
    return std::nullopt;
}

std::optional<Range> ItemAfter(const ListText& list, std::size_t offset, QAccessible::TextBoundaryType boundary) {
    const Range at = ItemAt(list, offset, boundary);
    const std::size_t length = Length(list);
    for (std::size_t step = std::max(at.end, offset); step <= length; ++step) {
        const Range after = ItemAt(list, step, boundary);
        if (after.start >= at.end && after.start != at.start && IsItem(after, boundary)) return after;
    }
    return std::nullopt;
}

}  // namespace velkrant::AccessibleText
