#pragma once
// Base64 with the standard alphabet and "=" padding, over the code-page
// bytes of a text. Encoding gives exactly RFC 4648 text on one line;
// decoding is lenient and never fails (see DecodeBytes). The stages the
// codec is built from are in internal/modBase64CodeStages.h.

#include "CodePage.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace velkrant::modBase64Code {

using CodePage::BytesToText;
using CodePage::TextToBytes;

inline constexpr char16_t Alphabet[] =
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
inline constexpr std::uint8_t PadByte = 61;  // "="

// Text level.

/// Base64 of the text's code-page bytes.
///
///     Base64Encode(u"AAhttp://a/bZZ") == u"QUFodHRwOi8vYS9iWlo="
std::u16string Base64Encode(std::u16string_view text);

/// The text whose code-page bytes the Base64 text stands for.
///
///     Base64Decode(u"aHR0cDovL2EvYg") == u"http://a/b"   // pads optional
std::u16string Base64Decode(std::u16string_view text);

// Byte level.

/// Base64 characters as bytes, padded with `pad`; empty in, empty out.
Bytes EncodeBytes(BytesView bytes, std::uint8_t pad);

/// Decoded bytes. Every input byte counts as one value (foreign bytes as
/// 0); the length is ((n - 1 - p) * 3) / 4 + 1, where p counts the pad
/// bytes among the last eleven. Empty in, empty out.
Bytes DecodeBytes(BytesView bytes, std::uint8_t pad);

}  // namespace velkrant::modBase64Code
