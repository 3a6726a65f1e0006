// The system ANSI code page through the Win32 conversion functions.

#include "CodePage.h"

#include <windows.h>

namespace velkrant::CodePageNative {

namespace {

// What a conversion the system refused still owes its caller: ASCII as it
// is, and one stand-in for every other character.
Bytes AsciiOrQuestionMarks(std::u16string_view text) {
    Bytes out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); i += CharacterLengthAt(text, i)) {
        out.push_back(text[i] < 0x80 ? static_cast<std::uint8_t>(text[i]) : '?');
    }
    return out;
}

std::u16string AsciiOrReplacements(BytesView bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (const std::uint8_t b : bytes) out.push_back(b < 0x80 ? char16_t{b} : u'\uFFFD');
    return out;
}

}  // namespace

Bytes Encode(std::u16string_view text) {
    if (text.empty()) return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    // Best fit would write look-alikes ("y" for "ÿ") where every other
    // platform writes "?". A UTF-8 system code page holds every character
    // and refuses both the flag and the stand-in.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* standIn = utf8 ? nullptr : "?";
    const int size = WideCharToMultiByte(CP_ACP, flags, wide, length, nullptr, 0, standIn, nullptr);
    if (size <= 0) return AsciiOrQuestionMarks(text);
    Bytes out(static_cast<std::size_t>(size), 0);
    const int written =
        WideCharToMultiByte(CP_ACP, flags, wide, length, reinterpret_cast<char*>(out.data()), size, standIn, nullptr);
    if (written != size) return AsciiOrQuestionMarks(text);
    return out;
}

std::u16string Decode(BytesView bytes) {
    if (bytes.empty()) return {};
    const auto* narrow = reinterpret_cast<const char*>(bytes.data());
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, narrow, length, nullptr, 0);
    if (size <= 0) return AsciiOrReplacements(bytes);
    std::u16string out(static_cast<std::size_t>(size), u'\0');
    const int written =
        MultiByteToWideChar(CP_ACP, 0, narrow, length, reinterpret_cast<wchar_t*>(out.data()), size);
    if (written != size) return AsciiOrReplacements(bytes);
    return out;
}

}  // namespace velkrant::CodePageNative
