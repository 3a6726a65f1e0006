#include "CarefulRead.h"

#include "CommentNotices.h"
#include "NumberedError.h"
#include "modBase64Code.h"
#include "modMain.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <optional>

namespace velkrant::CarefulRead {

using LinkText::Scheme;
using LinkText::TextEncoding;

namespace {

[[noreturn]] void Refuse(const std::string& reason) {
    throw NumberedError(ErrInvalidCall, CodePage::Utf8ToText(LinkText::AsBytes(reason)));
}

[[noreturn]] void Damaged(Scheme scheme, const std::string& reason) {
    Refuse("damaged " + std::string(LinkText::SchemeName(scheme)) + " link: " + reason);
}

constexpr std::string_view kThunderFront = "AA";
constexpr std::string_view kThunderBack = "ZZ";
constexpr std::string_view kFlashgetMarker = "[FLASHGET]";

// The payload without a FlashGet number at its end.
BytesView WithoutTrailer(BytesView payload) {
    std::size_t digits = payload.size();
    while (digits > 0 && payload[digits - 1] >= '0' && payload[digits - 1] <= '9') --digits;
    for (std::size_t length : {5, 3, 1}) {  // "&amp;", "%26", "&"
        if (digits < length) continue;
        const std::size_t at = digits - length;
        if (LinkText::FlashgetTrailerAt(payload, at) == payload.size() - at) return payload.substr(0, at);
    }
    return payload;
}

// What is wrong with a Base64 text once spaces and escapes are gone: `n`
// data characters, the last of value `last`, then `pads` pad characters.
// Null when nothing is.
const char* Base64Flaw(std::size_t n, int last, std::size_t pads) {
    if (n == 0) return "it holds no Base64 text";
    // A Base64 text of 4k + 1 characters stands for no whole number of
    // bytes: a character was lost or one was added.
    if (n % 4 == 1) return "its Base64 text has a character too many or too few";
    if (pads != 0 && (n + pads) % 4 != 0) return "its padding does not fit the Base64 text";
    // Encoders leave the bits after the last whole byte clear; set bits
    // mean the text was cut or joined.
    if ((n % 4 == 2 && (last & 0x0F) != 0) || (n % 4 == 3 && (last & 0x03) != 0)) {
        return "its Base64 text does not end on a whole byte";
    }
    return nullptr;
}

void CheckBase64(Scheme scheme, std::size_t n, int last, std::size_t pads) {
    if (const char* flaw = Base64Flaw(n, last, pads)) Damaged(scheme, flaw);
}

// The Base64 text of a payload as the codec reads it: spaces dropped,
// escapes and the URL-safe alphabet turned standard, padding completed.
// A clean payload, nearly every one, is used as it stands; the others are
// rewritten into a thread-local buffer, so that no line allocates.
BytesView StandardBase64(Scheme scheme, BytesView payload, TextEncoding encoding) {
    static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::size_t n = 0;
    while (n < payload.size() && (LinkText::Base64Bytes[payload[n]] & LinkText::StandardBase64) != 0) ++n;
    std::size_t pads = 0;
    while (n + pads < payload.size() && payload[n + pads] == modBase64Code::PadByte) ++pads;
    if (n + pads == payload.size() && pads <= 2) {
        CheckBase64(scheme, n, n == 0 ? 0 : LinkText::PayloadValues[payload[n - 1]], pads);
        if ((n + pads) % 4 == 0) return payload;
    }
    thread_local Bytes clean;
    clean.clear();
    pads = 0;
    int last = 0;
    for (std::size_t at = 0, length; at < payload.size(); at += length) {
        if ((length = LinkText::SpaceAt(payload, at, encoding)) != 0) continue;
        const int value = LinkText::PayloadValueAt(payload, at, length);
        if (value == LinkText::NotBase64) {
            Damaged(scheme, "the character " + LinkText::DescribeCharacterAt(payload, at, encoding) +
                                " is not part of a link");
        }
        if (value == LinkText::PadValue) {
            ++pads;
            continue;
        }
        if (pads != 0) Damaged(scheme, "its Base64 text goes on after the padding");
        clean.push_back(static_cast<std::uint8_t>(kAlphabet[value]));
        last = value;
    }
    CheckBase64(scheme, clean.size(), last, pads);
    while (clean.size() % 4 != 0) clean.push_back(modBase64Code::PadByte);
    return clean;
}

// The markers a scheme's decoded text stands between; none for qqdl.
struct Markers {
    std::string_view front;
    std::string_view back;
    const char* missing;  // the damage when they are not there
};

Markers MarkersOf(Scheme scheme) {
    switch (scheme) {
        case Scheme::Thunder: return {kThunderFront, kThunderBack, "the decoded text lacks its AA…ZZ markers"};
        case Scheme::Flashget:
            return {kFlashgetMarker, kFlashgetMarker, "the decoded text lacks its [FLASHGET]…[FLASHGET] markers"};
        case Scheme::Qqdl: break;
    }
    return {{}, {}, nullptr};
}

bool Wraps(BytesView decoded, const Markers& markers) {
    const BytesView f = LinkText::AsBytes(markers.front);
    const BytesView b = LinkText::AsBytes(markers.back);
    return decoded.size() >= f.size() + b.size() && decoded.starts_with(f) && decoded.ends_with(b);
}

// Cut in place: a copy would cost an allocation on every line.
Bytes WithoutEnds(Bytes bytes, std::size_t front, std::size_t back) {
    bytes.erase(bytes.size() - back);
    bytes.erase(0, front);
    return bytes;
}

// The decoded bytes inside the scheme's markers.
Bytes DecodeInner(Scheme scheme, BytesView payload, TextEncoding encoding) {
    if (scheme == Scheme::Flashget) payload = WithoutTrailer(payload);
    Bytes decoded = modBase64Code::DecodeBytes(StandardBase64(scheme, payload, encoding), modBase64Code::PadByte);
    const Markers markers = MarkersOf(scheme);
    if (!Wraps(decoded, markers)) Damaged(scheme, markers.missing);
    return WithoutEnds(std::move(decoded), markers.front.size(), markers.back.size());
}

// The text of decoded bytes. Payloads come in the code page (the
// download managers' own) or in UTF-8 (newer tools, and characters the code
// page lacks). Chinese code-page text is often well-formed UTF-8 by
// accident, but then only as two-byte sequences (U+0080 to U+07FF: "迅" is
// D1 B8, U+0478 in UTF-8); a longer sequence in code-page text is rare. So
// UTF-8 wins where it holds a character from U+0800 up, or where the code
// page cannot read the bytes at all.
std::u16string DecodedText(BytesView bytes, bool& readable) {
    readable = true;
    unsigned highest = 0;
    for (std::uint8_t b : bytes) highest |= b;  // branch-free: nearly every address is ASCII
    if (highest < 0x80) return CodePage::Utf8OrCodePageToText(bytes);
    if (!CodePage::IsValidUtf8(bytes)) {
        std::u16string text = CodePage::Utf8OrCodePageToText(bytes);
        readable = text.find(u'\uFFFD') == std::u16string::npos;
        return text;
    }
    const bool longSequence = std::any_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b >= 0xE0; });
    if (longSequence) return CodePage::Utf8ToText(bytes);
    std::u16string text = CodePageNative::Decode(bytes);
    return text.find(u'\uFFFD') == std::u16string::npos ? text : CodePage::Utf8OrCodePageToText(bytes);
}

// The address the decoded bytes hold. Bytes that are no text, and control
// characters, are the marks of a payload decoded from the wrong text.
std::u16string AddressOf(Scheme scheme, BytesView inner) {
    if (inner.empty()) Damaged(scheme, "the decoded address is empty");
    bool readable;
    std::u16string address = DecodedText(inner, readable);
    if (!readable) {
        Damaged(scheme, "the decoded address is neither UTF-8 nor " + LinkText::CodePageName() + " text");
    }
    for (char16_t c : address) {
        if (c < 0x20 || c == 0x7F) {
            Damaged(scheme, "the decoded address holds the control character " + LinkText::DescribeCodePoint(c));
        }
    }
    return address;
}

Scheme SchemeOfMode(ConversionMode mode) {
    switch (mode) {
        case ModeFlashgetDecode: return Scheme::Flashget;
        case ModeQqdlDecode: return Scheme::Qqdl;
        default: return Scheme::Thunder;
    }
}

// A decoding mode names its scheme; the prefix may be left out.
std::u16string DecodeByScheme(Scheme scheme, BytesView text, TextEncoding encoding) {
    BytesView payload = text;
    if (const auto match = LinkText::MatchScheme(text, 0)) {
        if (match->scheme != scheme) {
            Refuse("a " + std::string(LinkText::SchemeName(match->scheme)) + " link is no " +
                   std::string(LinkText::SchemeName(scheme)) + " link");
        }
        payload = text.substr(match->length);
    }
    return AddressOf(scheme, DecodeInner(scheme, payload, encoding));
}

// A group's three decoded bytes as the OR of one word per character: the
// character's value put where its bits land, one byte per lane, the first
// byte lowest; and 0x80 in the fourth lane for a byte that is no standard
// Base64 character. A group then costs a lookup and an OR a character.
constexpr std::uint32_t kNotStandard = 0x80000000;
constexpr auto kGroupLanes = [] {
    std::array<std::array<std::uint32_t, 256>, 4> lanes{};
    for (unsigned position = 0; position < 4; ++position) {
        for (std::size_t b = 0; b < 256; ++b) {
            if ((LinkText::Base64Bytes[b] & LinkText::StandardBase64) == 0) {
                lanes[position][b] = kNotStandard;
                continue;
            }
            const std::uint32_t group = static_cast<std::uint32_t>(LinkText::PayloadValues[b]) << (18 - 6 * position);
            lanes[position][b] = (group >> 16 & 0xFF) | (group >> 8 & 0xFF) << 8 | (group & 0xFF) << 16;
        }
    }
    return lanes;
}();

// Decodes standard Base64 of whole groups, whose last `pads` characters
// are pads, to three bytes a group at `out`, which has room for one byte
// more. False when any other character is there. Every group is decoded
// before the one check, so that the loop has no branch but its own.
bool DecodeStandardGroups(BytesView base64, std::size_t pads, std::uint8_t* out) {
    std::uint32_t flags = 0;
    const auto decode = [&](const std::uint8_t* c) {
        const std::uint32_t group = kGroupLanes[0][c[0]] | kGroupLanes[1][c[1]] | kGroupLanes[2][c[2]] | kGroupLanes[3][c[3]];
        flags |= group;
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(out, &group, sizeof group);  // the fourth byte is the next group's
        } else {
            out[0] = static_cast<std::uint8_t>(group);
            out[1] = static_cast<std::uint8_t>(group >> 8);
            out[2] = static_cast<std::uint8_t>(group >> 16);
        }
        out += 3;
    };
    const std::size_t last = base64.size() - 4;
    for (std::size_t at = 0; at < last; at += 4) decode(base64.data() + at);
    std::array<std::uint8_t, 4> tail;
    std::memcpy(tail.data(), base64.data() + last, tail.size());
    std::fill(tail.end() - static_cast<std::ptrdiff_t>(pads), tail.end(), 'A');  // a zero value
    decode(tail.data());
    return (flags & kNotStandard) == 0;
}

// The address of a clean link, as nearly every line of a list holds one,
// appended to `out` as UTF-8 straight from the line's bytes, without a
// detour through UTF-16: the scheme at the line's first byte, standard
// Base64 in whole groups up to its last byte, the markers, and a printable
// ASCII address that is no link itself. Anything else (spaces, escapes,
// other text, bytes beyond ASCII, damage) leaves `out` as it was and
// returns false, and the full reading decides or says why not.
bool AppendCleanAddress(ConversionMode mode, BytesView line, std::string& out) {
    const auto match = LinkText::MatchScheme(line, 0);
    if (!match || (mode != ModeAuto && match->scheme != SchemeOfMode(mode))) return false;
    BytesView payload = line.substr(match->length);
    if (match->scheme == Scheme::Flashget) payload = WithoutTrailer(payload);
    if (payload.size() < 4 || payload.size() % 4 != 0) return false;
    std::size_t pads = 0;
    while (pads < 2 && payload[payload.size() - 1 - pads] == modBase64Code::PadByte) ++pads;
    const std::size_t n = payload.size() - pads;
    if (Base64Flaw(n, LinkText::PayloadValues[payload[n - 1]], pads) != nullptr) return false;

    // Decoded into a buffer of the thread's, which only ever grows: no
    // allocation and no clearing on a line.
    thread_local Bytes decodedBuffer;
    const std::size_t size = payload.size() / 4 * 3;
    if (decodedBuffer.size() <= size) decodedBuffer.resize(size + 1);
    if (!DecodeStandardGroups(payload, pads, decodedBuffer.data())) return false;
    const BytesView decoded(decodedBuffer.data(), size - pads);
    const Markers markers = MarkersOf(match->scheme);
    if (!Wraps(decoded, markers)) return false;
    const BytesView inner =
        decoded.substr(markers.front.size(), decoded.size() - markers.front.size() - markers.back.size());
    std::uint8_t outside = 0;  // a byte outside printable ASCII; no early exit, so the loop is vectorised
    for (std::uint8_t b : inner) outside |= static_cast<std::uint8_t>(static_cast<std::uint8_t>(b - 0x20) > 0x5E);
    if (inner.empty() || outside != 0 || (mode == ModeAuto && LinkText::MatchScheme(inner, 0))) return false;
    out.append(reinterpret_cast<const char*>(inner.data()), inner.size());
    return true;
}

}  // namespace

std::u16string DecodeLink(BytesView link, TextEncoding encoding, bool unwrapNested) {
    Bytes nested;
    for (int depth = 1;; ++depth) {
        const auto match = LinkText::MatchScheme(link, 0);
        if (!match) Refuse("the text is not a thunder, flashget or qqdl link");
        Bytes inner = DecodeInner(match->scheme, link.substr(match->length), encoding);
        if (!unwrapNested || !LinkText::MatchScheme(inner, 0)) return AddressOf(match->scheme, inner);
        if (depth == MaxNesting) {
            Damaged(match->scheme, "it holds links nested more than " + std::to_string(MaxNesting) + " deep");
        }
        nested = std::move(inner);
        link = nested;
        encoding = LinkText::EncodingOf(link);
    }
}

DecodedLink DecodeFound(BytesView text, const FoundLink& link, TextEncoding encoding) {
    std::optional<DecodedLink> read;
    std::optional<NumberedError> firstFailure;
    for (std::size_t k = 0; k <= link.breakCount; ++k) {
        const std::size_t end = k < link.breakCount ? link.endsBeforeBreaks[k] : link.end;
        try {
            std::u16string address = DecodeLink(text.substr(link.begin, end - link.begin), encoding, true);
            if (read) {
                Damaged(LinkText::MatchScheme(text, link.begin)->scheme,
                        "it reads as two different addresses, with and without the text after a break");
            }
            read = DecodedLink{std::move(address), end};
        } catch (const NumberedError& e) {
            if (read) throw;  // only the two-readings refusal comes here
            if (!firstFailure) firstFailure = e;
        }
    }
    if (!read) throw *firstFailure;
    return *std::move(read);
}

std::u16string ConvertLine(ConversionMode mode, BytesView line) {
    if (line.empty()) return {};
    const TextEncoding encoding = LinkText::EncodingOf(line);
    const BytesView trimmed = LinkText::TrimAround(line, encoding);
    if (mode != ModeAuto) return DecodeByScheme(SchemeOfMode(mode), trimmed, encoding);
    if (LinkText::MatchScheme(trimmed, 0)) return DecodeLink(trimmed, encoding, true);

    // Not a link from its first character: automatic detection's notice,
    // unless the line holds one link amid other text.
    CommentNotices comments;
    std::u16string notice = modMain::AutoDecode(CodePage::Utf8OrCodePageToText(trimmed), comments);
    if (notice == u"// " + std::u16string(modMain::NoticeOrdinary)) return notice;
    LinkFinder finder(trimmed, encoding);
    FoundLink found;
    if (!finder.Next(found)) return notice;
    DecodedLink decoded = DecodeFound(trimmed, found, encoding);
    finder.ResumeAt(decoded.end);
    if (finder.Next(found)) Refuse("the line holds more than one link");
    return std::move(decoded.address);
}

void AppendConvertedLine(ConversionMode mode, BytesView line, std::string& out) {
    if (AppendCleanAddress(mode, line, out)) return;
    out += CodePage::TextToUtf8(ConvertLine(mode, line));
}

}  // namespace velkrant::CarefulRead
