#pragma once
// What the careful reader and the link finder agree on about the bytes of
// a link as people copy it: the three schemes in any spelling, the
// characters a payload may hold, and the spaces and prose punctuation that
// copying puts in and around it. Links are looked at as bytes (UTF-8 or
// the code page), so that a page can be rewritten with every other byte
// left as it was.

#include "CodePage.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velkrant::LinkText {

enum class TextEncoding { Utf8, CodePage };

enum class Scheme { Thunder, Flashget, Qqdl };

struct SchemeMatch {
    Scheme scheme;
    std::size_t length;  // the prefix's bytes: name and "://", or name and "%3A%2F%2F"
};

/// The private scheme that starts at `at`: its name in any letter case,
/// then "://" or the percent-encoded "%3A%2F%2F" (hex digits in any case).
///
///     MatchScheme(u8"THUNDER%3a%2F%2FQUFo", 0)->length == 16
std::optional<SchemeMatch> MatchScheme(BytesView text, std::size_t at);

/// "thunder", "flashget" or "qqdl": how messages name a scheme.
std::string_view SchemeName(Scheme scheme);

/// Which bytes a clean payload is made of: bit 0 for the letters, digits
/// and "+" "/" of the standard alphabet, bit 1 for those and the URL-safe
/// "-" "_". A table, as payloads are scanned byte by byte in long texts.
inline constexpr std::array<std::uint8_t, 256> Base64Bytes = [] {
    std::array<std::uint8_t, 256> table{};
    for (int c = 0; c < 256; ++c) {
        const bool standard = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '/';
        table[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>((standard ? 3 : 0) | (c == '-' || c == '_' ? 2 : 0));
    }
    return table;
}();
inline constexpr std::uint8_t StandardBase64 = 1;
inline constexpr std::uint8_t AnyBase64 = 2;

inline constexpr int PadValue = 64;
inline constexpr int NotBase64 = -1;

/// The 6-bit value of each byte as a payload character: both alphabets
/// share the letters and digits and differ only in the two last
/// characters, so one table reads either. PadValue for "=", NotBase64 for
/// any other byte.
inline constexpr std::array<signed char, 256> PayloadValues = [] {
    std::array<signed char, 256> table{};
    for (std::size_t b = 0; b < table.size(); ++b) table[b] = NotBase64;
    for (int v = 0; v < 26; ++v) {
        table[static_cast<std::size_t>('A' + v)] = static_cast<signed char>(v);
        table[static_cast<std::size_t>('a' + v)] = static_cast<signed char>(26 + v);
    }
    for (int v = 0; v < 10; ++v) table[static_cast<std::size_t>('0' + v)] = static_cast<signed char>(52 + v);
    table['+'] = table['-'] = 62;
    table['/'] = table['_'] = 63;
    table['='] = PadValue;
    return table;
}();

/// The 6-bit value of the payload character at `at` (standard or URL-safe
/// alphabet, and %2B %2F as "+" "/"), PadValue for "=" or %3D, NotBase64
/// for anything else. `length` gets the bytes the character takes.
int PayloadValueAt(BytesView text, std::size_t at, std::size_t& length);

/// The bytes a FlashGet number at `at` takes: "&", "&amp;" (as a page
/// writes it) or "%26" (inside a query string), then digits; 0 when none.
std::size_t FlashgetTrailerAt(BytesView text, std::size_t at);

/// The bytes the space, line break or zero-width character at `at` takes,
/// 0 when there is none.
std::size_t SpaceAt(BytesView text, std::size_t at, TextEncoding encoding);

/// `text` without the spaces, quotes, brackets and ending punctuation that
/// wrap a link in prose. Only characters that can never end a payload are
/// dropped, so a link's own last character always stays.
///
///     TrimAround(u8"「thunder://QUFa」。", Utf8) == u8"thunder://QUFa"
BytesView TrimAround(BytesView text, TextEncoding encoding);

/// True when `at` begins a character: always in UTF-8 for an ASCII byte,
/// and in the code page unless it is the second byte of a pair.
bool StartsCharacter(BytesView text, std::size_t at, TextEncoding encoding);

/// The character at `at` for a message: "U+FF0C ，", "'x' (U+0078)".
std::string DescribeCharacterAt(BytesView text, std::size_t at, TextEncoding encoding);

/// A code point for a message, as DescribeCharacterAt writes it.
std::string DescribeCodePoint(char32_t c);

/// How messages name the code page: "GBK", or "code page 1252" where
/// the system uses another.
std::string CodePageName();

/// The encoding of one line or one document: UTF-8 when its bytes are
/// well-formed UTF-8, the code page otherwise.
TextEncoding EncodingOf(BytesView bytes);

/// Bytes viewed from a char string, as the command line holds its input.
inline BytesView AsBytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

}  // namespace velkrant::LinkText
