#include "modMain.h"

#include "NumberedError.h"
#include "RandomGenerator.h"
#include "Scan.h"
#include "modBase64Code.h"

#include <array>
#include <cmath>
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

char16_t AsciiUpper(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; }

bool IsAsciiLetter(char16_t c) { return AsciiUpper(c) >= u'A' && AsciiUpper(c) <= u'Z'; }

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
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    }
    return true;
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
    {ThunderPrefix, PrefixKind::Thunder},
    {FlashgetPrefix, PrefixKind::Flashget},
    {QqdlPrefix, PrefixKind::Qqdl},
}};

std::u16string Notice(const char16_t* notice, NoticeTarget& target) {
    if (target.BatchTicked()) {
        return u"// " + std::u16string(notice);
    }
    target.ShowMessage({notice, TitleNotice, MessageIcon::Information});
    return {};
}

}  // namespace

namespace {

// Where whole prefixes (any letter case) start in a text, from the left,
// each search taking up after the previous match.
class PrefixSearch {
public:
    PrefixSearch(std::u16string_view text, std::u16string_view prefix)
        : text_(text), prefix_(prefix), first_(prefix.front()), last_(prefix.back()),
          starts_(text.size() >= prefix.size() ? text.size() - prefix.size() + 1 : 0) {}

    // The first match at or after `from`, or npos.
    std::size_t Next(std::size_t from) const {
        // A match can only start where the prefix's first and last units
        // fit, which is rare enough to be searched for a block at a time.
        // Copies, not members: the compiler keeps them in registers only
        // when nothing can change them between blocks.
        const auto mayStart = [text = text_, first = first_, last = last_, span = prefix_.size() - 1](std::size_t i) {
            const bool firstFits = first.Matches(text[i]);
            const bool lastFits = last.Matches(text[i + span]);
            return firstFits & lastFits;  // both tested: a branch here would keep the search from vector code
        };
        for (std::size_t i = FindPosition(from, starts_, mayStart); i < starts_;
             i = FindPosition(i + 1, starts_, mayStart)) {
            if (EqualsIgnoringAsciiCase(text_.substr(i, prefix_.size()), prefix_)) return i;
        }
        return std::u16string_view::npos;
    }

private:
    std::u16string_view text_;
    std::u16string_view prefix_;
    FoldedUnit first_;
    FoldedUnit last_;
    std::size_t starts_;  // where a whole prefix fits
};

// RemovePrefix's text, as a view into `text` when nothing is cut but a
// prefix at its very start (a link as it normally comes), otherwise built
// in `storage`.
std::u16string_view WithoutPrefix(std::u16string_view text, std::u16string_view prefix, std::u16string& storage) {
    if (prefix.empty()) {  // nothing to delete; matching it would never advance
        return text;
    }
    const PrefixSearch search(text, prefix);
    std::size_t match = search.Next(0);
    if (match == std::u16string_view::npos) return text;
    std::size_t copied = 0;
    if (match == 0) {
        copied = prefix.size();
        match = search.Next(copied);
        if (match == std::u16string_view::npos) return text.substr(copied);
    }
    // Stretches between matches are copied in blocks; what the deletions
    // join is not searched again.
    storage.clear();
    storage.reserve(text.size());
    for (; match != std::u16string_view::npos; match = search.Next(copied)) {
        storage.append(text.substr(copied, match - copied));
        copied = match + prefix.size();
    }
    storage.append(text.substr(copied));
    return storage;
}

}  // namespace

std::u16string RemovePrefix(std::u16string_view text, std::u16string_view prefix) {
    std::u16string storage;
    const std::u16string_view removed = WithoutPrefix(text, prefix, storage);
    if (removed.data() == storage.data()) return storage;
    return std::u16string(removed);
}

std::u16string ThunderEncode(std::u16string_view address) {
    std::u16string wrapped = kThunderMarkerFront;
    wrapped.append(address).append(kThunderMarkerBack);
    return ThunderPrefix + Base64Encode(wrapped);
}

std::u16string FlashgetEncode(std::u16string_view address) {
    const float r = RandomGenerator::NextUniform();
    // In double precision: r < 1 keeps the number at 10000 or below.
    const long number = static_cast<long>(std::floor(static_cast<double>(r) * 10000.0 + 1.0));
    std::u16string wrapped = kFlashgetMarker;
    wrapped.append(address).append(kFlashgetMarker);
    return FlashgetPrefix + Base64Encode(wrapped) + u"&" + DecimalText(number);
}

std::u16string QqdlEncode(std::u16string_view address) { return QqdlPrefix + Base64Encode(address); }

std::u16string ThunderDecode(std::u16string_view link) {
    std::u16string storage;
    return StripMarkers(Base64Decode(WithoutPrefix(link, ThunderPrefix, storage)), kThunderMarkerLength,
                        u"Thunder");
}

std::u16string FlashgetDecode(std::u16string_view link) {
    std::u16string storage;
    const std::u16string_view payload = WithoutPrefix(link, FlashgetPrefix, storage);
    const std::size_t ampersand = payload.find(u'&');
    if (ampersand == std::u16string_view::npos) {
        return {};
    }
    return StripMarkers(Base64Decode(payload.substr(0, ampersand)), kFlashgetMarkerLength,
                        u"FlashGet");
}

std::u16string QqdlDecode(std::u16string_view link) {
    std::u16string storage;
    return Base64Decode(WithoutPrefix(link, QqdlPrefix, storage));
}

std::u16string AutoDecode(std::u16string_view text, NoticeTarget& target) {
    const std::size_t slashes = text.find(u"//");
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
