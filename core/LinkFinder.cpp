#include "LinkFinder.h"

#include "Scan.h"

namespace velkrant {

using LinkText::MatchScheme;
using LinkText::NotBase64;
using LinkText::PadValue;
using LinkText::PayloadValueAt;
using LinkText::Scheme;
using LinkText::SpaceAt;

namespace {

bool IsAsciiLetterOrDigit(std::uint8_t c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool StartsData(BytesView text, std::size_t at) {
    std::size_t length;
    const int value = PayloadValueAt(text, at, length);
    return value != NotBase64 && value != PadValue;
}

}  // namespace

bool LinkFinder::Next(FoundLink& link) {
    // Every scheme is a name followed by ":" or "%": those two bytes are
    // rare in text, so they are what the search looks for.
    const auto mayFollowName = [&](std::size_t i) {
        const bool colon = text_[i] == ':';
        const bool percent = text_[i] == '%';
        return colon | percent;
    };
    // A link never begins inside the one before it, even where that one's
    // payload ran into another scheme's name.
    const std::size_t earliest = position_;
    while (position_ < text_.size()) {
        const std::size_t mark = FindPosition(position_, text_.size(), mayFollowName);
        if (mark == text_.size()) break;
        position_ = mark + 1;
        for (Scheme scheme : {Scheme::Thunder, Scheme::Flashget, Scheme::Qqdl}) {
            const std::size_t nameLength = LinkText::SchemeName(scheme).size();
            if (mark < earliest + nameLength) continue;
            const std::size_t begin = mark - nameLength;
            const auto match = MatchScheme(text_, begin);
            if (!match || match->scheme != scheme || !LinkStartsAt(begin)) continue;
            // A scheme named in prose ("use thunder:// links") is no link.
            if (!StartsData(text_, begin + match->length)) continue;
            link = FoundLink{};
            link.begin = begin;
            Extend(link, begin + match->length, scheme);
            position_ = link.end;
            return true;
        }
    }
    position_ = text_.size();
    return false;
}

bool LinkFinder::LinkStartsAt(std::size_t begin) const {
    if (!LinkText::StartsCharacter(text_, begin, encoding_)) return false;
    if (begin == 0 || !IsAsciiLetterOrDigit(text_[begin - 1])) return true;
    // "xthunder://" is another scheme, but a letter that is the second
    // byte of a code-page pair is part of the character before.
    return !LinkText::StartsCharacter(text_, begin - 1, encoding_);
}

void LinkFinder::Extend(FoundLink& link, std::size_t payload, Scheme scheme) const {
    std::size_t end = payload;
    for (;;) {
        // Plain payload bytes are skipped by the table; escapes and padding
        // are read one by one.
        bool padded = false;
        for (std::size_t length;; end += length) {
            while (!padded && end < text_.size() && (LinkText::Base64Bytes[text_[end]] & LinkText::AnyBase64) != 0) ++end;
            const int value = PayloadValueAt(text_, end, length);
            if (value == NotBase64 || (padded && value != PadValue)) break;
            padded = padded || value == PadValue;
        }
        if (scheme == Scheme::Flashget) {
            if (const std::size_t trailer = LinkText::FlashgetTrailerAt(text_, end)) {
                end += trailer;
                break;
            }
        }
        if (padded || link.breakCount == FoundLink::MaxBreaks) break;
        std::size_t next = end;
        std::size_t lineBreaks = 0;
        while (const std::size_t space = SpaceAt(text_, next, encoding_)) {
            lineBreaks += text_[next] == '\n' ? 1 : 0;
            next += space;
        }
        if (next == end || lineBreaks > 1) break;
        if (!StartsData(text_, next) || MatchScheme(text_, next)) break;
        link.endsBeforeBreaks[link.breakCount++] = end;
        end = next;
    }
    link.end = end;
}

}  // namespace velkrant
