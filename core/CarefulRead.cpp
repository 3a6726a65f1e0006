#include "CarefulRead.h"

#include "CommentNotices.h"
#include "NumberedError.h"
#include "modBase64Code.h"
#include "modMain.h"

#include <algorithm>
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

// Checks the Base64 text once spaces and escapes are gone: `n` data
// characters, the last of value `last`, then `pads` pad characters.
void CheckBase64(Scheme scheme, std::size_t n, int last, std::size_t pads) {
    if (n == 0) Damaged(scheme, "it holds no Base64 text");
    // A Base64 text of 4k + 1 characters stands for no whole number of
    // bytes: a character was lost or one was added.
    if (n % 4 == 1) Damaged(scheme, "its Base64 text has a character too many or too few");
    if (pads != 0 && (n + pads) % 4 != 0) Damaged(scheme, "its padding does not fit the Base64 text");
    // Encoders leave the bits after the last whole byte clear; set bits
    // mean the text was cut or joined.
    if ((n % 4 == 2 && (last & 0x0F) != 0) || (n % 4 == 3 && (last & 0x03) != 0)) {
        Damaged(scheme, "its Base64 text does not end on a whole byte");
    }
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
        std::size_t length;
        CheckBase64(scheme, n, n == 0 ? 0 : LinkText::PayloadValueAt(payload, n - 1, length), pads);
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

bool Wraps(BytesView decoded, std::string_view front, std::string_view back) {
    const BytesView f = LinkText::AsBytes(front);
    const BytesView b = LinkText::AsBytes(back);
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
    switch (scheme) {
        case Scheme::Thunder:
            if (!Wraps(decoded, kThunderFront, kThunderBack)) {
                Damaged(scheme, "the decoded text lacks its AA…ZZ markers");
            }
            return WithoutEnds(std::move(decoded), kThunderFront.size(), kThunderBack.size());
        case Scheme::Flashget:
            if (!Wraps(decoded, kFlashgetMarker, kFlashgetMarker)) {
                Damaged(scheme, "the decoded text lacks its [FLASHGET]…[FLASHGET] markers");
            }
            return WithoutEnds(std::move(decoded), kFlashgetMarker.size(), kFlashgetMarker.size());
        case Scheme::Qqdl:
            break;
    }
    return decoded;
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

}  // namespace velkrant::CarefulRead
