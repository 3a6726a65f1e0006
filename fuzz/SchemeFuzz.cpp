#include "SchemeFuzz.h"

#include "FuzzSupport.h"
#include "NumberedError.h"
#include "modBase64Code.h"
#include "modMain.h"

namespace velkrant::fuzz {

const Scheme Thunder{modMain::ThunderPrefix, u"AA", u"ZZ", false, modMain::ThunderEncode, modMain::ThunderDecode};
const Scheme Flashget{modMain::FlashgetPrefix, u"[FLASHGET]", u"[FLASHGET]", true, modMain::FlashgetEncode,
                      modMain::FlashgetDecode};
const Scheme Qqdl{modMain::QqdlPrefix, u"", u"", false, modMain::QqdlEncode, modMain::QqdlDecode};

namespace {

// Plain decimal from 1 to 10000: digits only, no sign, no leading zero.
bool IsLinkNumber(std::u16string_view text) {
    if (text.empty() || text.size() > 5 || text[0] == u'0') return false;
    long value = 0;
    for (char16_t c : text) {
        if (c < u'0' || c > u'9') return false;
        value = value * 10 + (c - u'0');
    }
    return value <= 10000;
}

// Automatic detection gives `expected` for `link` whether or not the batch
// box is ticked, and shows nothing.
void RequireAutoDecodes(std::u16string_view link, const Outcome& expected) {
    for (const bool ticked : {false, true}) {
        RecordingTarget target(ticked);
        Require(Capture([&] { return modMain::AutoDecode(link, target); }) == expected,
                "automatic detection decodes a prefixed link with its scheme");
        Require(target.messages.empty(), "automatic detection of a private link shows nothing");
    }
}

}  // namespace

void FuzzEncoder(const Scheme& scheme, const std::uint8_t* data, std::size_t size) {
    const std::u16string address = TextFromBytes(data, size);
    const std::u16string link = scheme.encode(address);

    Require(link.starts_with(scheme.prefix), "the link starts with the scheme's prefix as written");
    std::u16string_view payload = std::u16string_view(link).substr(scheme.prefix.size());
    if (scheme.numbered) {
        const std::size_t ampersand = payload.find(u'&');
        Require(ampersand != std::u16string_view::npos, "a FlashGet link has its trailer");
        Require(IsLinkNumber(payload.substr(ampersand + 1)), "the trailer number is 1..10000 in plain decimal");
        payload = payload.substr(0, ampersand);
    }
    std::u16string wrapped(scheme.front);
    wrapped.append(address).append(scheme.back);
    Require(payload == Widen(Rfc4648Encode(CodePage::TextToBytes(wrapped))),
            "the payload is RFC 4648 Base64 of the wrapped address's code-page bytes");

    // The markers are ASCII and the address's bytes are whole characters,
    // so the decoder reads back exactly what the code page made of the
    // address: the address itself whenever it survives the code page.
    const Outcome survived{CodePage::BytesToText(CodePage::TextToBytes(address)), 0};
    Require(Capture([&] { return scheme.decode(link); }) == survived, "decoding the link gives the address back");
    RequireAutoDecodes(link, survived);
}

void FuzzDecoder(const Scheme& scheme, const std::uint8_t* data, std::size_t size) {
    const std::u16string link = TextFromBytes(data, size);
    const Outcome outcome = Capture([&] { return scheme.decode(link); });

    // Only the "too short" failure exists, and only for wrapped schemes.
    std::u16string payload = modMain::RemovePrefix(link, scheme.prefix);
    bool decodes = true;
    if (scheme.numbered) {
        const std::size_t ampersand = payload.find(u'&');
        if (ampersand == std::u16string::npos) {
            Require(outcome == Outcome{}, "a FlashGet link without \"&\" gives the empty text");
            decodes = false;
        } else {
            payload.resize(ampersand);
            // Whatever follows the first "&" is never read.
            const std::u16string longer = link + u"&9999" + link;
            Require(Capture([&] { return scheme.decode(longer); }) == outcome, "text after \"&\" is ignored");
        }
    }
    if (decodes) {
        const std::u16string decoded = modBase64Code::Base64Decode(payload);
        const std::size_t markers = scheme.front.size() + scheme.back.size();
        if (decoded.size() < markers) {
            Require(outcome.error == ErrInvalidCall, "a payload shorter than its markers fails as invalid call");
        } else {
            Require(outcome == Outcome{decoded.substr(scheme.front.size(), decoded.size() - markers), 0},
                    "the result is the decoded payload without its markers, unseen");
        }
    }

    // The prefix is optional and its letters may be in any case.
    const std::u16string prefixed = std::u16string(scheme.prefix) + link;
    Require(Capture([&] { return scheme.decode(prefixed); }) == outcome, "adding the prefix changes nothing");
    Require(Capture([&] { return scheme.decode(AsciiUpper(scheme.prefix) + link); }) == outcome,
            "adding the prefix in upper case changes nothing");
    RequireAutoDecodes(prefixed, outcome);
}

}  // namespace velkrant::fuzz
