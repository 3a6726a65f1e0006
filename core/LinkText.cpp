#include "LinkText.h"

#include "Scan.h"

#include <array>
#include <vector>

namespace velkrant::LinkText {

namespace {

char AsciiLower(std::uint8_t c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); }

// `text` at `at` spells `word` (lower-case ASCII) in any letter case.
bool SpellsAt(BytesView text, std::size_t at, std::string_view word) {
    if (at > text.size() || text.size() - at < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (AsciiLower(text[at + i]) != word[i]) return false;
    }
    return true;
}

constexpr std::array<std::string_view, 3> kSchemeNames{"thunder", "flashget", "qqdl"};

// The characters that copying puts around or inside a link, as bytes in
// both encodings, built once. A character the code page cannot hold has
// no code-page form and is simply not looked for there.
struct Marks {
    std::vector<Bytes> spaces[2];
    std::vector<Bytes> openers[2];
    std::vector<Bytes> closers[2];
};

void AddMarks(std::vector<Bytes> (&into)[2], std::u16string_view characters) {
    for (char16_t c : characters) {
        const std::u16string one(1, c);
        const std::string utf8 = CodePage::TextToUtf8(one);
        into[static_cast<int>(TextEncoding::Utf8)].emplace_back(utf8.begin(), utf8.end());
        const Bytes native = CodePageNative::Encode(one);
        if (native != Bytes{'?'}) into[static_cast<int>(TextEncoding::CodePage)].push_back(native);
    }
}

const Marks& TheMarks() {
    static const Marks marks = [] {
        Marks m;
        // No-break, ideographic and zero-width spaces and the byte-order
        // mark: invisible, so they come along with a copy unnoticed.
        AddMarks(m.spaces, u" \t\r\n\v\f\u00A0\u3000\u200B\u200C\u200D\u2060\uFEFF");
        AddMarks(m.openers, u"\"'([{<\u201C\u2018\uFF08\u3010\u300C\u300E\u300A\u3008\uFF3B\uFF5B");
        AddMarks(m.closers, u"\"')]}>.,;:!?\u201D\u2019\uFF09\u3011\u300D\u300F\u300B\u3009\uFF3D\uFF5D"
                            u"\u3002\uFF0C\uFF1B\uFF1A\uFF01\uFF1F\u3001\u2026\uFF0E");
        return m;
    }();
    return marks;
}

std::size_t MarkAt(const std::vector<Bytes>& marks, BytesView text, std::size_t at) {
    for (const Bytes& mark : marks) {
        if (text.substr(at).starts_with(mark)) return mark.size();
    }
    return 0;
}

std::size_t MarkBefore(const std::vector<Bytes>& marks, BytesView text, std::size_t end, TextEncoding encoding) {
    for (const Bytes& mark : marks) {
        if (text.substr(0, end).ends_with(mark) && StartsCharacter(text, end - mark.size(), encoding)) {
            return mark.size();
        }
    }
    return 0;
}

bool IsAsciiByte(std::uint8_t b) { return b < 0x80; }

void AppendUtf8(std::string& out, char32_t c) {
    std::u16string units;
    if (c >= 0x10000) {
        units.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
        units.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
        units.push_back(static_cast<char16_t>(c));
    }
    out.append(CodePage::TextToUtf8(units));
}

}  // namespace

std::optional<SchemeMatch> MatchScheme(BytesView text, std::size_t at) {
    for (std::size_t s = 0; s < kSchemeNames.size(); ++s) {
        const std::string_view name = kSchemeNames[s];
        if (!SpellsAt(text, at, name)) continue;
        const std::size_t after = at + name.size();
        if (SpellsAt(text, after, "://")) return SchemeMatch{static_cast<Scheme>(s), name.size() + 3};
        if (SpellsAt(text, after, "%3a%2f%2f")) return SchemeMatch{static_cast<Scheme>(s), name.size() + 9};
        return std::nullopt;
    }
    return std::nullopt;
}

std::string_view SchemeName(Scheme scheme) { return kSchemeNames[static_cast<std::size_t>(scheme)]; }

int PayloadValueAt(BytesView text, std::size_t at, std::size_t& length) {
    length = 1;
    if (at >= text.size()) return NotBase64;
    const std::uint8_t c = text[at];
    if (c != '%') return PayloadValues[c];
    length = 3;
    if (SpellsAt(text, at, "%2b")) return 62;
    if (SpellsAt(text, at, "%2f")) return 63;
    if (SpellsAt(text, at, "%3d")) return PadValue;
    length = 1;
    return NotBase64;
}

std::size_t FlashgetTrailerAt(BytesView text, std::size_t at) {
    std::size_t digits = at;
    if (SpellsAt(text, at, "&amp;")) {
        digits += 5;
    } else if (SpellsAt(text, at, "%26")) {
        digits += 3;
    } else if (SpellsAt(text, at, "&")) {
        digits += 1;
    } else {
        return 0;
    }
    std::size_t end = digits;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    return end > digits ? end - at : 0;
}

std::size_t SpaceAt(BytesView text, std::size_t at, TextEncoding encoding) {
    if (at >= text.size()) return 0;
    const std::uint8_t c = text[at];
    if (IsAsciiByte(c)) return (c == ' ' || (c >= '\t' && c <= '\r')) ? 1 : 0;
    return MarkAt(TheMarks().spaces[static_cast<int>(encoding)], text, at);
}

BytesView TrimAround(BytesView text, TextEncoding encoding) {
    const Marks& marks = TheMarks();
    const int e = static_cast<int>(encoding);
    // A letter, a digit or "=" at an end is where a link begins or ends,
    // and no mark ends in one: most lines need no search for marks.
    const auto plain = [&](std::size_t at) {
        const std::uint8_t c = text[at];
        return IsAsciiByte(c) && PayloadValues[c] != NotBase64;
    };
    std::size_t begin = 0;
    while (begin < text.size() && !plain(begin)) {
        const std::size_t length = MarkAt(marks.spaces[e], text, begin) + MarkAt(marks.openers[e], text, begin);
        if (length == 0) break;
        begin += length;
    }
    std::size_t end = text.size();
    while (end > begin && !plain(end - 1)) {
        std::size_t length = MarkBefore(marks.spaces[e], text, end, encoding);
        if (length == 0) length = MarkBefore(marks.closers[e], text, end, encoding);
        if (length == 0 || end - length < begin) break;
        end -= length;
    }
    return text.substr(begin, end - begin);
}

bool StartsCharacter(BytesView text, std::size_t at, TextEncoding encoding) {
    if (at == 0 || at >= text.size()) return true;
    if (encoding == TextEncoding::Utf8) return (text[at] & 0xC0) != 0x80;
    // A run of high bytes right before `at` begins at a character's start
    // (the byte before it is a character of its own or the low second byte
    // of a pair), and pairs up from there: an odd run ends in a first byte.
    std::size_t run = 0;
    while (run < at && text[at - 1 - run] >= 0x81) ++run;
    return run % 2 == 0;
}

std::string DescribeCodePoint(char32_t c) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string digits;
    for (char32_t v = c; v != 0 || digits.size() < 4; v >>= 4) digits.insert(digits.begin(), kHex[v & 0xF]);
    std::string number = "U+";
    number += digits;
    if (c > 0x20 && c < 0x7F) return std::string("'") + static_cast<char>(c) + "' (" + number + ")";
    const bool invisible = c < 0x20 || c == 0x7F || (c >= 0xD800 && c <= 0xDFFF) || c == 0xFFFD;
    if (invisible) return number;
    std::string described = number + " ";
    AppendUtf8(described, c);
    return described;
}

std::string DescribeCharacterAt(BytesView text, std::size_t at, TextEncoding encoding) {
    const std::uint8_t lead = text[at];
    std::size_t length = 1;
    if (encoding == TextEncoding::Utf8) {
        length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    } else if (lead >= 0x81) {
        length = 2;
    }
    const BytesView character = text.substr(at, length);
    const std::u16string units = encoding == TextEncoding::Utf8 && CodePage::IsValidUtf8(character)
                                     ? CodePage::Utf8ToText(character)
                                     : CodePageNative::Decode(character);
    char32_t c = units.empty() ? 0xFFFD : units[0];
    if (units.size() == 2 && c >= 0xD800 && c <= 0xDBFF) c = 0x10000 + ((c - 0xD800) << 10) + (units[1] - 0xDC00);
    return DescribeCodePoint(c);
}

std::string CodePageName() {
    const unsigned number = CodePage::Number();
    return number == 936 ? "GBK" : "code page " + std::to_string(number);
}

TextEncoding EncodingOf(BytesView bytes) {
    // Documents are mostly ASCII: only the stretches between ASCII bytes
    // need the UTF-8 check, and the ASCII is skipped a block at a time.
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t high = FindPosition(at, bytes.size(), [&](std::size_t i) { return bytes[i] >= 0x80; });
        if (high == bytes.size()) break;
        std::size_t end = high;
        while (end < bytes.size() && bytes[end] >= 0x80) ++end;
        if (!CodePage::IsValidUtf8(bytes.substr(high, end - high))) return TextEncoding::CodePage;
        at = end;
    }
    return TextEncoding::Utf8;
}

}  // namespace velkrant::LinkText
