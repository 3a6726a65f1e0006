#pragma once
// Encoding for the command line: the payload in the code page (what the
// download managers expect) or in UTF-8, and a character the chosen charset
// cannot hold refused by name instead of silently becoming "?".

#include "ConversionMode.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace velkrant::CarefulEncode {

enum class PayloadCharset { CodePage, Utf8 };

/// Where the first character `charset` cannot hold starts in `text`
/// (a lone surrogate counting as one), or npos.
///
///     FirstUnencodable(u"a한", PayloadCharset::CodePage) == 1
std::size_t FirstUnencodable(std::u16string_view text, PayloadCharset charset);

/// `address` by an encoding mode (4-6) with the payload in `charset`. With
/// the code page, the link is the one the exact encoder makes. Throws
/// NumberedError naming the first character the charset cannot hold:
/// "U+D55C 한 has no GBK form".
///
///     Encode(ModeQqdlEncode, u"http://a/b", PayloadCharset::Utf8) == u"qqdl://aHR0cDovL2EvYg=="
std::u16string Encode(ConversionMode mode, std::u16string_view address, PayloadCharset charset);

}  // namespace velkrant::CarefulEncode
