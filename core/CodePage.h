#pragma once
// Conversion between UTF-16 text and the 8-bit form in which links, list
// files and the error log hold it: the system ANSI code page on Windows,
// GBK (code page 936) elsewhere.

#include <cstdint>
#include <string>
#include <string_view>

namespace velkrant {

using Bytes = std::basic_string<std::uint8_t>;
using BytesView = std::basic_string_view<std::uint8_t>;

namespace CodePage {

/// Text to code-page bytes; never fails. A character the code page cannot
/// hold becomes "?" (one per character, a surrogate pair counting as one).
///
///     TextToBytes(u"迅雷") == Bytes{0xD1, 0xB8, 0xC0, 0xD7}
Bytes TextToBytes(std::u16string_view text);

/// Code-page bytes to text; never fails. A zero byte stays U+0000. Bytes
/// that are valid UTF-8, hold a non-ASCII character and whose non-ASCII
/// characters are all CJK (ideographs, CJK punctuation, full-width forms)
/// are read as UTF-8: newer tools put UTF-8 addresses into links, and
/// through GBK they would turn into mojibake. Everything else goes through
/// the code page; a byte sequence invalid there becomes U+FFFD per byte.
std::u16string BytesToText(BytesView bytes);

/// True when every unit of the text is ASCII, whose code-page bytes are
/// the units themselves in every code page the program meets.
bool IsAscii(std::u16string_view text);

/// The number of the code page in use: 936 (GBK) everywhere but on
/// Windows, where it is the system's ANSI code page.
unsigned Number();

/// True when the bytes qualify for the UTF-8 reading of BytesToText.
bool IsCjkUtf8(BytesView bytes);

/// True when the bytes are well-formed UTF-8 (no overlong forms, no
/// surrogates, nothing above U+10FFFF).
bool IsValidUtf8(BytesView bytes);

/// Bytes that are well-formed UTF-8 read as UTF-8, whatever characters
/// they hold; any others through the code page, as BytesToText would. For
/// input that may come from either kind of tool, such as a line of a list.
///
///     Utf8OrCodePageToText(Bytes{0x63, 0xC3, 0xA9}) == u"cé"
std::u16string Utf8OrCodePageToText(BytesView bytes);

/// Well-formed UTF-8 to UTF-16; the caller checks validity first.
std::u16string Utf8ToText(BytesView bytes);

/// UTF-16 to UTF-8; a lone surrogate becomes U+FFFD.
std::string TextToUtf8(std::u16string_view text);

}  // namespace CodePage

namespace CodePageNative {

// The platform's own conversion, without the ASCII fast path or the UTF-8
// rule; one implementation per platform, chosen by the build.
Bytes Encode(std::u16string_view text);
std::u16string Decode(BytesView bytes);

/// How many UTF-16 units the character at text[i] takes: 2 for a
/// surrogate pair, 1 for anything else (a lone surrogate included), so a
/// stand-in replaces a whole character.
inline std::size_t CharacterLengthAt(std::u16string_view text, std::size_t i) {
    const bool pair = text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                      text[i + 1] <= 0xDFFF;
    return pair ? 2 : 1;
}

}  // namespace CodePageNative

}  // namespace velkrant
