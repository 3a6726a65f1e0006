#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>

namespace velkrant::fuzz {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The 6-bit value of a Base64 character; 0 for anything else.
std::uint32_t AlphabetValue(std::uint8_t c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return 0;
}

bool IsCjkCodePoint(char32_t c) {
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFFEF);
}

bool IsSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }

char16_t UpperAscii(char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; }

}  // namespace

void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz property broken: %s\n", what);
        std::abort();
    }
}

std::u16string TextFromBytes(const std::uint8_t* data, std::size_t size) {
    std::u16string text(size / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    }
    return text;
}

std::u16string Widen(BytesView bytes) { return std::u16string(bytes.begin(), bytes.end()); }

Bytes Rfc4648Encode(BytesView bytes) {
    Bytes out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t left = bytes.size() - i;
        const std::uint32_t group = (std::uint32_t{bytes[i]} << 16) |
                                    (left > 1 ? std::uint32_t{bytes[i + 1]} << 8 : 0) |
                                    (left > 2 ? std::uint32_t{bytes[i + 2]} : 0);
        out.push_back(kAlphabet[(group >> 18) & 63]);
        out.push_back(kAlphabet[(group >> 12) & 63]);
        out.push_back(left > 1 ? kAlphabet[(group >> 6) & 63] : '=');
        out.push_back(left > 2 ? kAlphabet[group & 63] : '=');
    }
    return out;
}

Bytes LenientDecode(BytesView bytes, std::uint8_t pad) {
    const std::size_t n = bytes.size();
    if (n == 0) return {};
    Bytes out;
    for (std::size_t i = 0; i < n; i += 4) {
        std::uint32_t group = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            group = (group << 6) | (i + k < n ? AlphabetValue(bytes[i + k]) : 0);
        }
        out.push_back(static_cast<std::uint8_t>(group >> 16));
        out.push_back(static_cast<std::uint8_t>(group >> 8));
        out.push_back(static_cast<std::uint8_t>(group));
    }
    long long pads = 0;
    for (std::size_t i = n > 11 ? n - 11 : 0; i < n; ++i) {
        pads += bytes[i] == pad;
    }
    const long long length = ((static_cast<long long>(n) - 1 - pads) * 3) / 4 + 1;
    out.resize(static_cast<std::size_t>(length));
    return out;
}

bool IsCjkText(std::u16string_view text) {
    bool sawNonAscii = false;
    for (char16_t c : text) {
        if (c >= 0x80 && (IsSurrogate(c) || !IsCjkCodePoint(c))) return false;
        sawNonAscii = sawNonAscii || c >= 0x80;
    }
    return sawNonAscii;
}

std::u16string AsciiUpper(std::u16string_view text) {
    std::u16string upper(text);
    for (char16_t& c : upper) c = UpperAscii(c);
    return upper;
}

bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
    return text.size() >= prefix.size() && AsciiUpper(text.substr(0, prefix.size())) == AsciiUpper(prefix);
}

}  // namespace velkrant::fuzz
