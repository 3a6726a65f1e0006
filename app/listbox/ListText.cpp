#include "ListText.h"

#include "Scan.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace velkrant {

namespace {

constexpr char16_t kParagraphSeparator = u'\u2029';

// Where the next unit that may break a line stands, from `from` on.
std::size_t FindBreakUnit(std::u16string_view text, std::size_t from) {
    return FindPosition(from, text.size(), [&](std::size_t i) {
        const char16_t unit = text[i];
        // Bitwise, not logical: a branch would keep the search from vector code.
        return (unit == u'\r') | (unit == u'\n') | (unit == kParagraphSeparator);
    });
}

// Adds `base` plus the offset after each CR LF of `text` to `starts`;
// false, with nothing added, when any line break in it is not a CR LF.
bool IndexCrLfs(std::u16string_view text, std::size_t base, std::vector<std::size_t>& starts) {
    const std::size_t before = starts.size();
    for (std::size_t at = FindBreakUnit(text, 0); at < text.size(); at = FindBreakUnit(text, at + 2)) {
        if (text[at] != u'\r' || at + 1 == text.size() || text[at + 1] != u'\n') {
            starts.resize(before);
            return false;
        }
        starts.push_back(base + at + 2);
    }
    return true;
}

// `text` with every line break as CR LF.
std::u16string WithCrLf(std::u16string_view text) {
    std::u16string result;
    result.reserve(text.size() + text.size() / 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit == u'\r' || unit == u'\n' || unit == kParagraphSeparator) {
            result += u"\r\n";
            if (unit == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        } else {
            result += unit;
        }
    }
    return result;
}

}  // namespace

ListText::ListText() : starts_{0} {}

void ListText::Assign(std::u16string text) {
    std::vector<std::size_t> starts{0};
    // Lists nearly always come with CR LF line ends: then the text is kept
    // as it is, and one pass both checks it and indexes its lines.
    if (!IndexCrLfs(text, 0, starts)) {
        text = WithCrLf(text);
        IndexCrLfs(text, 0, starts);
    }
    // Swapped, not assigned: moving a short string into a long one keeps
    // the long one's storage, and an emptied box would go on holding the
    // hundreds of megabytes of its last list.
    text_.swap(text);
    starts_.swap(starts);
    longestKnown_ = false;
}

std::size_t ListText::Replace(std::size_t from, std::size_t to, std::u16string_view text) {
    const std::u16string inserted = WithCrLf(text);
    const std::size_t firstLine = LineOf(from);
    const std::size_t lastLine = LineOf(to);
    text_.replace(from, to - from, inserted);

    // The lines after the change move by its length; the lines it removed
    // go, and the line breaks it brought start new ones.
    std::vector<std::size_t> added;
    IndexCrLfs(inserted, from, added);
    const auto shift = static_cast<std::ptrdiff_t>(inserted.size()) - static_cast<std::ptrdiff_t>(to - from);
    for (auto later = starts_.begin() + static_cast<std::ptrdiff_t>(lastLine) + 1; later != starts_.end(); ++later) {
        *later = static_cast<std::size_t>(static_cast<std::ptrdiff_t>(*later) + shift);
    }
    const auto removedBegin = starts_.begin() + static_cast<std::ptrdiff_t>(firstLine) + 1;
    const auto removedEnd = starts_.begin() + static_cast<std::ptrdiff_t>(lastLine) + 1;
    starts_.insert(starts_.erase(removedBegin, removedEnd), added.begin(), added.end());
    longestKnown_ = false;
    return from + inserted.size();
}

std::size_t ListText::LineEnd(std::size_t line) const {
    return line + 1 < starts_.size() ? starts_[line + 1] - 2 : text_.size();
}

std::u16string_view ListText::Line(std::size_t line) const {
    return std::u16string_view(text_).substr(starts_[line], LineEnd(line) - starts_[line]);
}

std::size_t ListText::LineOf(std::size_t offset) const {
    const auto after = std::upper_bound(starts_.begin(), starts_.end(), offset);
    return static_cast<std::size_t>(std::distance(starts_.begin(), after)) - 1;
}

std::size_t ListText::LongestLine() const {
    if (!longestKnown_) {
        longest_ = 0;
        std::size_t longestLength = 0;
        for (std::size_t line = 0; line < starts_.size(); ++line) {
            const std::size_t length = LineEnd(line) - starts_[line];
            if (length > longestLength) {
                longest_ = line;
                longestLength = length;
            }
        }
        longestKnown_ = true;
    }
    return longest_;
}

}  // namespace velkrant
