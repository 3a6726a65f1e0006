#pragma once
// Where a word starts and ends for the mouse: what a double click selects
// and how far a Shift+click after it reaches. Found as the toolkit's own
// text boxes find them, so that a double click selects the same word in
// every box of the desktop: a word runs up to a space or one of the
// separators of prose and addresses, Han characters and digits included.

#include <optional>

class QString;
class QTextLayout;

namespace velkrant::WordBounds {

/// The start of the word at `column` of a line laid out in `layout`;
/// none at the line's start, and at its end after a space or a separator
/// (a Shift+click there leaves the selection as it is).
///
///     StartOfWord(layout, 2);  // 0 in "http://a"
std::optional<int> StartOfWord(const QTextLayout& layout, int column);
/// The end of the word that starts at `column`; none at the line's end.
std::optional<int> EndOfWord(const QString& line, int column);

}  // namespace velkrant::WordBounds
