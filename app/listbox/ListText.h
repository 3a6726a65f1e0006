#pragma once
// The text of a list box: one string with the lines joined by CR LF, and
// an index of where each line starts. A list of a million links is a few
// hundred megabytes of text; kept in one piece it costs nothing beyond
// itself and the index, is filled at the speed of a copy, and is read by
// the conversion in place.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velkrant {

class ListText {
public:
    ListText();

    /// The whole text, lines joined by CR LF; valid until the next change.
    std::u16string_view Text() const { return text_; }

    /// Replaces the whole text; every kind of line break in it (CR LF, a
    /// lone CR, a lone LF, U+2029) becomes CR LF.
    ///
    ///     list.Assign(u"a\nb");  // list.Text() == u"a\r\nb"
    void Assign(std::u16string text);

    /// Replaces the units [from, to) with `text`, line breaks treated as in
    /// Assign, and gives the offset just after the inserted text. `from`
    /// and `to` must not split a CR LF.
    std::size_t Replace(std::size_t from, std::size_t to, std::u16string_view text);

    std::size_t LineCount() const { return starts_.size(); }
    std::size_t LineStart(std::size_t line) const { return starts_[line]; }
    /// Where the line's text ends, before its CR LF.
    std::size_t LineEnd(std::size_t line) const;
    std::u16string_view Line(std::size_t line) const;
    /// The line that holds `offset` (an offset at a line's end belongs to it).
    std::size_t LineOf(std::size_t offset) const;
    /// The line with the most units; the first of them on a tie.
    std::size_t LongestLine() const;

private:
    std::u16string text_;
    std::vector<std::size_t> starts_;
    mutable std::size_t longest_ = 0;
    mutable bool longestKnown_ = true;
};

}  // namespace velkrant
