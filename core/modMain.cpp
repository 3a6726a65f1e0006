#include "modMain.h"

#include "NumberedError.h"
#include "RandomGenerator.h"
#include "Scan.h"
#include "modBase64Code.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <string>

namespace velkrant::modMain {

namespace {

using modBase64Code::Base64Decode;
using modBase64Code::Base64Encode;

constexpr char16_t kThunderMarkerFront[] = u"AA";
constexpr char16_t kThunderMarkerBack[] = u"ZZ";
constexpr char16_t kFlashgetMarker[] = u"[FLASHGET]";
constexpr std::size_t kThunderMarkerLength = 2;
constexpr std::size_t kFlashgetMarkerLength = 10;
// Views, so that their lengths are known when compiling.
constexpr std::u16string_view kThunderScheme = ThunderPrefix;
constexpr std::u16string_view kFlashgetScheme = FlashgetPrefix;
constexpr std::u16string_view kQqdlScheme = QqdlPrefix;
constexpr std::u16string_view kSchemeEnd = u"//";

// Upper and lower case differ only in bit 5; below 'a' the difference
// wraps to a large number.
bool IsAsciiLetter(char16_t c) { return static_cast<char16_t>((c | 0x20) - u'a') < 26; }

// One unit of a prefix as a test that vector code can run: a letter
// matches itself in either case (the two differ only in bit 5), anything
// else only itself.
class FoldedUnit {
public:
    explicit FoldedUnit(char16_t c) : caseBit_(IsAsciiLetter(c) ? 0x20 : 0), value_(Fold(c)) {}
    bool Matches(char16_t c) const { return Fold(c) == value_; }

private:
    char16_t Fold(char16_t c) const { return static_cast<char16_t>(c | caseBit_); }

    char16_t caseBit_;
    char16_t value_;
};

bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    // No early exit: a scheme is a few units long, and a loop without
    // branches is cheaper over them than one that stops at a difference.
    // Where b has a letter, setting bit 5 on both sides folds the case;
    // anywhere else the units must be equal as they are.
    char16_t differ = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const char16_t caseBit = IsAsciiLetter(b[i]) ? 0x20 : 0;
        differ |= static_cast<char16_t>((a[i] | caseBit) ^ (b[i] | caseBit));
    }
    return differ == 0;
}

std::u16string DecimalText(long value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

// The decoded text without `count` characters at each end, cut in place;
// a text too short to hold both markers is a failed conversion.
std::u16string StripMarkers(std::u16string decoded, std::size_t count, std::u16string_view scheme) {
    if (decoded.size() < 2 * count) {
        std::u16string description(DescriptionOf(ErrInvalidCall));
        description.append(u": the decoded ");
        description.append(scheme).append(u" text has fewer than ");
        description.append(DecimalText(static_cast<long>(2 * count))).append(u" characters");
        throw NumberedError(ErrInvalidCall, std::move(description));
    }
    decoded.erase(decoded.size() - count);
    decoded.erase(0, count);
    return decoded;
}

enum class PrefixKind { Ordinary, Thunder, Flashget, Qqdl };

struct KnownPrefix {
    std::u16string_view text;
    PrefixKind kind;
};

// Compared in this order. "rtsp://" is the real streaming scheme and an
// ordinary address; "rstp://", a common misspelling of it, is answered as
// ordinary too, since users paste such links and expect the same notice.
constexpr std::array<KnownPrefix, 9> kKnownPrefixes{{
    {u"ftp://", PrefixKind::Ordinary},
    {u"http://", PrefixKind::Ordinary},
    {u"https://", PrefixKind::Ordinary},
    {u"mms://", PrefixKind::Ordinary},
    {u"rstp://", PrefixKind::Ordinary},
    {u"rtsp://", PrefixKind::Ordinary},
    {kThunderScheme, PrefixKind::Thunder},
    {kFlashgetScheme, PrefixKind::Flashget},
    {kQqdlScheme, PrefixKind::Qqdl},
}};

std::u16string Notice(const char16_t* notice, NoticeTarget& target) {
    if (target.BatchTicked()) {
        return u"// " + std::u16string(notice);
    }
    target.ShowMessage({notice, TitleNotice, MessageIcon::Information});
    return {};
}

// One bit per ASCII unit, set for the units of the Base64 alphabet.
constexpr std::array<std::uint64_t, 2> kBase64Bits = [] {
    std::array<std::uint64_t, 2> bits{};
    for (std::size_t i = 0; i < 64; ++i) {
        const char16_t c = modBase64Code::Alphabet[i];
        bits[c >> 6] |= std::uint64_t{1} << (c & 63);
    }
    return bits;
}();

constexpr bool IsBase64Character(char16_t c) { return c < 128 && (kBase64Bits[c >> 6] >> (c & 63) & 1) != 0; }

// Where the text's first unit outside the Base64 alphabet stands, or npos.
constexpr std::size_t FindNonBase64(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!IsBase64Character(text[i])) return i;
    }
    return std::u16string_view::npos;
}

// A prefix to delete, with the place of its first unit outside the Base64
// alphabet (npos when it has none), which the search looks for. The
// schemes' are found when compiling.
struct Prefix {
    constexpr explicit Prefix(std::u16string_view prefix) : text(prefix), marker(FindNonBase64(prefix)) {}

    std::u16string_view text;
    std::size_t marker;
};

constexpr Prefix kThunderPrefix(kThunderScheme);
constexpr Prefix kFlashgetPrefix(kFlashgetScheme);
constexpr Prefix kQqdlPrefix(kQqdlScheme);

// Where whole prefixes (any letter case) start in a text, from the left,
// each search taking up after the previous match. The prefix is not empty.
class PrefixSearch {
public:
    PrefixSearch(std::u16string_view text, Prefix prefix)
        : text_(text), prefix_(prefix.text), first_(prefix_.front()), last_(prefix_.back()), marker_(prefix.marker),
          starts_(text.size() >= prefix_.size() ? text.size() - prefix_.size() + 1 : 0) {}

    // The first match at or after `from`, or npos.
    std::size_t Next(std::size_t from) const {
        // A match can only start where some of the prefix's units fit, which
        // is rare enough to be searched for a block at a time. The payload
        // after a scheme is Base64, so a unit of the prefix outside its
        // alphabet (the ":" of a scheme) alone rules out nearly every
        // position; that unit is no letter, so it matches only itself. A
        // prefix without one is tested by its first and last units.
        // The tests copy what they use: the compiler keeps copies in
        // registers only when nothing can change them between blocks.
        if (starts_ == 0) return std::u16string_view::npos;  // the text is shorter than the prefix
        if (marker_ != std::u16string_view::npos) {
            return Confirm(from, [text = text_.substr(marker_), unit = prefix_[marker_]](std::size_t i) {
                return text[i] == unit;
            });
        }
        return Confirm(from, [text = text_, first = first_, last = last_, span = prefix_.size() - 1](std::size_t i) {
            const bool firstFits = first.Matches(text[i]);
            const bool lastFits = last.Matches(text[i + span]);
            return firstFits & lastFits;  // both tested: a branch here would keep the search from vector code
        });
    }

private:
    // The first position at or after `from` where `mayStart` holds and the
    // whole prefix is there, or npos.
    template <class MayStart>
    std::size_t Confirm(std::size_t from, MayStart mayStart) const {
        for (std::size_t i = FindPosition(from, starts_, mayStart); i < starts_;
             i = FindPosition(i + 1, starts_, mayStart)) {
            if (EqualsIgnoringAsciiCase(text_.substr(i, prefix_.size()), prefix_)) return i;
        }
        return std::u16string_view::npos;
    }

    std::u16string_view text_;
    std::u16string_view prefix_;
    FoldedUnit first_;
    FoldedUnit last_;
    std::size_t marker_;  // a unit outside the Base64 alphabet, or npos
    std::size_t starts_;  // where a whole prefix fits
};

// RemovePrefix's text, as a view into `text` when nothing is cut but a
// prefix at its very start (a link as it normally comes), otherwise built
// in `storage`.
std::u16string_view WithoutPrefix(std::u16string_view text, Prefix prefix, std::u16string& storage) {
    if (prefix.text.empty()) {  // nothing to delete; matching it would never advance
        return text;
    }
    const PrefixSearch search(text, prefix);
    std::size_t match = search.Next(0);
    if (match == std::u16string_view::npos) return text;
    std::size_t copied = 0;
    if (match == 0) {
        copied = prefix.text.size();
        match = search.Next(copied);
        if (match == std::u16string_view::npos) return text.substr(copied);
    }
    // Stretches between matches are copied in blocks; what the deletions
    // join is not searched again.
    storage.clear();
    storage.reserve(text.size());
    for (; match != std::u16string_view::npos; match = search.Next(copied)) {
        storage.append(text.substr(copied, match - copied));
        copied = match + prefix.text.size();
    }
    storage.append(text.substr(copied));
    return storage;
}

}  // namespace

std::u16string RemovePrefix(std::u16string_view text, std::u16string_view prefix) {
    std::u16string storage;
    const std::u16string_view removed = WithoutPrefix(text, Prefix(prefix), storage);
    if (removed.data() == storage.data()) return storage;
    return std::u16string(removed);
}

std::u16string ThunderEncode(std::u16string_view address) {
    std::u16string wrapped = kThunderMarkerFront;
    wrapped.append(address).append(kThunderMarkerBack);
    return ThunderPrefix + Base64Encode(wrapped);
}

std::u16string FlashgetTrailer() {
    const float r = RandomGenerator::NextUniform();
    // In double precision: r < 1 keeps the number at 10000 or below.
    const long number = static_cast<long>(std::floor(static_cast<double>(r) * 10000.0 + 1.0));
    std::u16string trailer = u"&";
    trailer += DecimalText(number);
    return trailer;
}

std::u16string FlashgetEncode(std::u16string_view address) {
    std::u16string wrapped = kFlashgetMarker;
    wrapped.append(address).append(kFlashgetMarker);
    return FlashgetPrefix + Base64Encode(wrapped) + FlashgetTrailer();
}

std::u16string QqdlEncode(std::u16string_view address) { return QqdlPrefix + Base64Encode(address); }

std::u16string ThunderDecode(std::u16string_view link) {
    std::u16string storage;
    return StripMarkers(Base64Decode(WithoutPrefix(link, kThunderPrefix, storage)), kThunderMarkerLength,
                        u"Thunder");
}

std::u16string FlashgetDecode(std::u16string_view link) {
    std::u16string storage;
    const std::u16string_view payload = WithoutPrefix(link, kFlashgetPrefix, storage);
    const std::size_t ampersand = payload.find(u'&');
    if (ampersand == std::u16string_view::npos) {
        return {};
    }
    return StripMarkers(Base64Decode(payload.substr(0, ampersand)), kFlashgetMarkerLength,
                        u"FlashGet");
}

std::u16string QqdlDecode(std::u16string_view link) {
    std::u16string storage;
    return Base64Decode(WithoutPrefix(link, kQqdlPrefix, storage));
}

std::u16string AutoDecode(std::u16string_view text, NoticeTarget& target) {
    const std::size_t slashes = text.find(kSchemeEnd);
    if (slashes == std::u16string_view::npos) {
        return Notice(NoticeCannotJudge, target);
    }
    // Only the text up to the first "//" is looked at, so anything before
    // the scheme (a space, say) makes the prefix unknown. Only ASCII
    // letters are folded: the schemes are ASCII, and a look-alike whose
    // Unicode upper case is ASCII (U+017F, say) must not pass for one.
    const std::u16string_view prefix = text.substr(0, slashes + 2);
    for (const KnownPrefix& known : kKnownPrefixes) {
        if (!EqualsIgnoringAsciiCase(prefix, known.text)) continue;
        switch (known.kind) {
            case PrefixKind::Ordinary: return Notice(NoticeOrdinary, target);
            case PrefixKind::Thunder: return ThunderDecode(text);
            case PrefixKind::Flashget: return FlashgetDecode(text);
            case PrefixKind::Qqdl: return QqdlDecode(text);
        }
    }
    return Notice(NoticeUnknown, target);
}

}  // namespace velkrant::modMain
