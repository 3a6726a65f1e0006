#pragma once
// A list text as a screen reader counts it: every line break is one
// character ("\n"), as in the toolkit's own text boxes, where the list
// keeps CR LF. Every answer is worked out from the line index and the few
// lines it touches, so that reading around the caret of a million-line
// list costs no more than in a short one.

#include "ListText.h"

#include <QAccessible>
#include <QString>

#include <cstddef>
#include <optional>
#include <string_view>

namespace velkrant::AccessibleText {

/// The screen reader's offset of `position` (an offset into the CR LF text).
///
///     OffsetOf(list, 4) == 3  // list "ab\r\ncd": the "c"
std::size_t OffsetOf(const ListText& list, std::size_t position);
/// The position in the CR LF text of a screen reader's `offset`; one beyond
/// the end gives the end.
std::size_t PositionOf(const ListText& list, std::size_t offset);
/// How many characters a screen reader counts.
std::size_t Length(const ListText& list);

/// `text` with each CR LF as one "\n".
QString WithSingleBreaks(std::u16string_view text);
/// The characters [from, to) in screen-reader offsets.
QString Between(const ListText& list, std::size_t from, std::size_t to);

struct Range {
    std::size_t start;
    std::size_t end;
};

/// The character, word, sentence or line at `offset`, as the toolkit's
/// text boxes find it; a line is its text without the break.
Range ItemAt(const ListText& list, std::size_t offset, QAccessible::TextBoundaryType boundary);
/// The nearest non-empty item wholly before or after the one at `offset`;
/// none at the text's start or end.
std::optional<Range> ItemBefore(const ListText& list, std::size_t offset, QAccessible::TextBoundaryType boundary);
std::optional<Range> ItemAfter(const ListText& list, std::size_t offset, QAccessible::TextBoundaryType boundary);

}  // namespace velkrant::AccessibleText
