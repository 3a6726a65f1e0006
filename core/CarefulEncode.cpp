#include "CarefulEncode.h"

#include "CodePage.h"
#include "LinkText.h"
#include "NumberedError.h"
#include "modBase64Code.h"
#include "modMain.h"

#include <algorithm>

namespace velkrant::CarefulEncode {

namespace {

bool IsSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDFFF; }

char32_t CodePointAt(std::u16string_view text, std::size_t i) {
    if (CodePageNative::CharacterLengthAt(text, i) == 2) {
        return 0x10000 + ((static_cast<char32_t>(text[i]) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
    }
    return text[i];
}

bool CodePageHolds(std::u16string_view character) {
    return character == u"?" || CodePageNative::Encode(character) != Bytes{'?'};
}

std::u16string WithMarkers(ConversionMode mode, std::u16string_view address) {
    switch (mode) {
        case ModeThunderEncode: return u"AA" + std::u16string(address) + u"ZZ";
        case ModeFlashgetEncode: return u"[FLASHGET]" + std::u16string(address) + u"[FLASHGET]";
        default: return std::u16string(address);
    }
}

std::u16string ExactEncode(ConversionMode mode, std::u16string_view address) {
    switch (mode) {
        case ModeThunderEncode: return modMain::ThunderEncode(address);
        case ModeFlashgetEncode: return modMain::FlashgetEncode(address);
        default: return modMain::QqdlEncode(address);
    }
}

std::u16string Utf8Encode(ConversionMode mode, std::u16string_view address) {
    const std::string utf8 = CodePage::TextToUtf8(WithMarkers(mode, address));
    const Bytes base64 = modBase64Code::EncodeBytes(LinkText::AsBytes(utf8), modBase64Code::PadByte);
    std::u16string link = mode == ModeThunderEncode    ? modMain::ThunderPrefix
                          : mode == ModeFlashgetEncode ? modMain::FlashgetPrefix
                                                       : modMain::QqdlPrefix;
    link.append(base64.begin(), base64.end());
    if (mode == ModeFlashgetEncode) link.append(modMain::FlashgetTrailer());
    return link;
}

}  // namespace

std::size_t FirstUnencodable(std::u16string_view text, PayloadCharset charset) {
    if (charset == PayloadCharset::Utf8) {
        for (std::size_t i = 0; i < text.size(); i += CodePageNative::CharacterLengthAt(text, i)) {
            if (IsSurrogate(text[i]) && CodePageNative::CharacterLengthAt(text, i) == 1) return i;
        }
        return std::u16string_view::npos;
    }
    // The whole text first: only when the code page turned more characters
    // into "?" than the text holds is it searched one character at a time.
    const Bytes whole = CodePage::TextToBytes(text);
    if (std::count(whole.begin(), whole.end(), '?') == std::count(text.begin(), text.end(), u'?')) {
        return std::u16string_view::npos;
    }
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = CodePageNative::CharacterLengthAt(text, i);
        if (text[i] >= 0x80 && !CodePageHolds(text.substr(i, length))) return i;
        i += length;
    }
    return std::u16string_view::npos;
}

std::u16string Encode(ConversionMode mode, std::u16string_view address, PayloadCharset charset) {
    const std::size_t bad = FirstUnencodable(address, charset);
    if (bad != std::u16string_view::npos) {
        const std::string name = charset == PayloadCharset::Utf8 ? "UTF-8" : LinkText::CodePageName();
        const std::string message = LinkText::DescribeCodePoint(CodePointAt(address, bad)) + " has no " + name + " form";
        throw NumberedError(ErrInvalidCall, CodePage::Utf8ToText(LinkText::AsBytes(message)));
    }
    return charset == PayloadCharset::Utf8 ? Utf8Encode(mode, address) : ExactEncode(mode, address);
}

}  // namespace velkrant::CarefulEncode
