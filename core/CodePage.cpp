#include "CodePage.h"

namespace velkrant::CodePage {

namespace {

// Branch-free scans: the compiler turns this into vector code, which
// matters because nearly every text that passes through is ASCII. The
// bits are gathered in a unit of the input's own width: a wider one would
// cost the vector code a widening step per unit.
template <class Unit>
bool IsAsciiUnits(std::basic_string_view<Unit> units) {
    Unit bits = 0;
    for (Unit u : units) bits |= u;
    return bits < 0x80;
}

// Units copied into a string of another width, and whether all were
// ASCII, in one pass: nearly every text is, so copying before knowing
// costs less than a separate check; the copy of any other text means
// nothing. An indexed loop over a sized string becomes vector code; the
// iterator-range constructor copies one unit at a time, which on a link
// costs more than zeroing it.
template <class Out, class In>
Out CopyAscii(In in, bool& ascii) {
    Out out(in.size(), 0);
    auto* to = out.data();
    typename In::value_type bits = 0;
    for (std::size_t i = 0; i < in.size(); ++i) {
        bits |= in[i];
        to[i] = static_cast<typename Out::value_type>(in[i]);
    }
    ascii = bits < 0x80;
    return out;
}

bool IsCjkCodePoint(char32_t c) {
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFFEF);
}

// Decodes one well-formed UTF-8 sequence at bytes[i]; returns its length,
// or 0 when the bytes there are not well-formed.
std::size_t DecodeUtf8At(BytesView bytes, std::size_t i, char32_t& out) {
    const std::uint8_t lead = bytes[i];
    std::size_t length;
    char32_t value;
    char32_t minimum;
    if (lead < 0x80) {
        out = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (bytes.size() - i < length) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const std::uint8_t b = bytes[i + k];
        if ((b & 0xC0) != 0x80) {
            return 0;
        }
        value = (value << 6) | (b & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        return 0;
    }
    out = value;
    return length;
}

// Hands every code point of well-formed UTF-8 to `visit` while it answers
// true; false when the bytes are malformed or `visit` stopped the scan.
template <class Visit>
bool ForEachUtf8CodePoint(BytesView bytes, Visit visit) {
    char32_t c;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = DecodeUtf8At(bytes, i, c);
        if (length == 0 || !visit(c)) {
            return false;
        }
        i += length;
    }
    return true;
}

void AppendUtf16(std::u16string& text, char32_t c) {
    if (c < 0x10000) {
        text.push_back(static_cast<char16_t>(c));
    } else {
        c -= 0x10000;
        text.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
        text.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    }
}

}  // namespace

bool IsAscii(std::u16string_view text) { return IsAsciiUnits(text); }

Bytes TextToBytes(std::u16string_view text) {
    // ASCII is the same in every code page the program meets, and nearly
    // every link is ASCII: skip the platform conversion for it.
    bool ascii = false;
    Bytes bytes = CopyAscii<Bytes>(text, ascii);
    if (ascii) return bytes;
    return CodePageNative::Encode(text);
}

std::u16string BytesToText(BytesView bytes) {
    bool ascii = false;
    std::u16string text = CopyAscii<std::u16string>(bytes, ascii);
    if (ascii) return text;
    if (IsCjkUtf8(bytes)) {
        return Utf8ToText(bytes);
    }
    return CodePageNative::Decode(bytes);
}

bool IsValidUtf8(BytesView bytes) {
    return ForEachUtf8CodePoint(bytes, [](char32_t) { return true; });
}

bool IsCjkUtf8(BytesView bytes) {
    bool sawNonAscii = false;
    const bool allCjk = ForEachUtf8CodePoint(bytes, [&](char32_t c) {
        if (c < 0x80) return true;
        sawNonAscii = true;
        return IsCjkCodePoint(c);
    });
    return allCjk && sawNonAscii;
}

std::u16string Utf8OrCodePageToText(BytesView bytes) {
    bool ascii = false;
    std::u16string text = CopyAscii<std::u16string>(bytes, ascii);
    if (ascii) return text;
    return IsValidUtf8(bytes) ? Utf8ToText(bytes) : CodePageNative::Decode(bytes);
}

std::u16string Utf8ToText(BytesView bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    char32_t c;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = DecodeUtf8At(bytes, i, c);
        if (length == 0) {  // not expected: callers check validity first
            c = 0xFFFD;
            i += 1;
        } else {
            i += length;
        }
        AppendUtf16(text, c);
    }
    return text;
}

std::string TextToUtf8(std::u16string_view text) {
    bool ascii = false;
    std::string out = CopyAscii<std::string>(text, ascii);
    if (ascii) return out;
    out.clear();
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

}  // namespace velkrant::CodePage
