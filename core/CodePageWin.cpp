// The system ANSI code page through the Win32 conversion functions, held to
// what the GBK converter gives on every other platform, so that a link or a
// list converts to the same bytes and text everywhere: a character the code
// page lacks becomes one "?", and each byte that starts no valid character
// becomes one U+FFFD, after which reading resumes at the next byte.

#include "CodePage.h"

#include <optional>
#include <utility>
#include <windows.h>

namespace velkrant {

namespace {

// A UTF-8 system code page holds every character; the stand-in rules of the
// legacy code pages do not apply to it.
bool SystemPageIsUtf8() { return GetACP() == CP_UTF8; }

// Characters never handed to the system. Surrogates: the legacy code pages
// hold nothing outside the basic plane, and the system would write a "?"
// for each half of a pair. Private use: the system maps it to the code
// page's user-defined bytes, which no other platform reads back.
bool IsNeverConverted(char16_t c) { return c >= 0xD800 && c <= 0xF8FF; }

bool IsPrivateUse(char16_t c) { return c >= 0xE000 && c <= 0xF8FF; }

// What a conversion the system refused still owes its caller: ASCII as it
// is, and one stand-in for every other character.
void AppendAsciiOrQuestionMarks(Bytes& out, std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); i += CodePageNative::CharacterLengthAt(text, i)) {
        out.push_back(text[i] < 0x80 ? static_cast<std::uint8_t>(text[i]) : '?');
    }
}

void AppendSystemBytes(Bytes& out, std::u16string_view text) {
    if (text.empty()) return;
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    // Best fit would write look-alikes ("y" for "ÿ") where every other
    // platform writes "?". A UTF-8 system code page refuses both the flag
    // and the stand-in.
    const bool utf8 = SystemPageIsUtf8();
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* standIn = utf8 ? nullptr : "?";
    const int size = WideCharToMultiByte(CP_ACP, flags, wide, length, nullptr, 0, standIn, nullptr);
    if (size <= 0) return AppendAsciiOrQuestionMarks(out, text);
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(size));
    const int written = WideCharToMultiByte(CP_ACP, flags, wide, length, reinterpret_cast<char*>(out.data() + start),
                                            size, standIn, nullptr);
    if (written != size) {
        out.resize(start);
        AppendAsciiOrQuestionMarks(out, text);
    }
}

// The system's reading of the bytes; nothing when `flags` make it refuse them.
std::optional<std::u16string> SystemText(BytesView bytes, DWORD flags) {
    const auto* narrow = reinterpret_cast<const char*>(bytes.data());
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(CP_ACP, flags, narrow, length, nullptr, 0);
    if (size <= 0) return std::nullopt;
    std::u16string out(static_cast<std::size_t>(size), u'\0');
    const int written = MultiByteToWideChar(CP_ACP, flags, narrow, length, reinterpret_cast<wchar_t*>(out.data()), size);
    if (written != size) return std::nullopt;
    return out;
}

// The system's reading, unless some byte starts no valid character or
// stands for a user-defined one.
std::optional<std::u16string> ValidCharacters(BytesView bytes) {
    std::optional<std::u16string> text = SystemText(bytes, MB_ERR_INVALID_CHARS);
    if (!text) return std::nullopt;
    for (const char16_t c : *text) {
        if (IsPrivateUse(c)) return std::nullopt;
    }
    return text;
}

// One character at a time: a lead byte and its trail byte, or a single byte.
std::u16string DecodeByCharacter(BytesView bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = IsDBCSLeadByteEx(CP_ACP, bytes[i]) && i + 1 < bytes.size() ? 2 : 1;
        if (const std::optional<std::u16string> character = ValidCharacters(bytes.substr(i, length))) {
            out += *character;
            i += length;
        } else {
            out.push_back(u'\uFFFD');
            i += 1;
        }
    }
    return out;
}

}  // namespace

namespace CodePage {

unsigned Number() { return GetACP(); }

}  // namespace CodePage

namespace CodePageNative {

Bytes Encode(std::u16string_view text) {
    Bytes out;
    if (SystemPageIsUtf8()) {
        AppendSystemBytes(out, text);
        return out;
    }
    out.reserve(text.size() * 2);
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = at;
        while (end < text.size() && !IsNeverConverted(text[end])) ++end;
        AppendSystemBytes(out, text.substr(at, end - at));
        if (end == text.size()) break;
        out.push_back('?');
        at = end + CharacterLengthAt(text, end);
    }
    return out;
}

std::u16string Decode(BytesView bytes) {
    if (bytes.empty()) return {};
    // Nearly always the whole text is valid: one call. Otherwise find the
    // offending bytes one character at a time. A UTF-8 system code page
    // writes U+FFFD for what is not UTF-8 by itself.
    std::optional<std::u16string> text = SystemPageIsUtf8() ? SystemText(bytes, 0) : ValidCharacters(bytes);
    return text ? *std::move(text) : DecodeByCharacter(bytes);
}

}  // namespace CodePageNative

}  // namespace velkrant
