#pragma once
// Private links inside any text: a web page, a forum post, a chat log, an
// e-mail. Links are found by their scheme (in any letter case, or
// percent-encoded inside a query string) wherever it stands: in an
// attribute, inside [url=...], after a colon of prose. A link runs over
// its payload, a FlashGet number and, where a long line was wrapped,
// across spaces and line breaks; which of those breaks belong to the link
// only decoding can tell, so the finder names them and the reader decides.

#include "LinkText.h"

#include <array>
#include <cstddef>

namespace velkrant {

/// One link as found: [begin, end) of the text, and the ends it would have
/// if it stopped before one of the breaks it runs across (in order).
struct FoundLink {
    static constexpr std::size_t MaxBreaks = 8;

    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t breakCount = 0;
    std::array<std::size_t, MaxBreaks> endsBeforeBreaks{};
};

/// Walks the links of a text in order, without copying it.
///
///     LinkFinder finder(page, LinkText::TextEncoding::Utf8);
///     for (FoundLink link; finder.Next(link);) Use(page.substr(link.begin, link.end - link.begin));
class LinkFinder {
public:
    LinkFinder(BytesView text, LinkText::TextEncoding encoding) : text_(text), encoding_(encoding) {}

    /// The next link after the previous one's end; false when none is left.
    bool Next(FoundLink& link);

    /// Goes on from `position` instead: a link decoded up to one of its
    /// breaks leaves the text after that break to be searched again.
    void ResumeAt(std::size_t position) { position_ = position; }

private:
    bool LinkStartsAt(std::size_t begin) const;
    void Extend(FoundLink& link, std::size_t payload, LinkText::Scheme scheme) const;

    BytesView text_;
    LinkText::TextEncoding encoding_;
    std::size_t position_ = 0;
};

}  // namespace velkrant
