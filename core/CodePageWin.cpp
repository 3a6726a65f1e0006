// The system ANSI code page through the Win32 conversion functions.

#include "CodePage.h"

#include <windows.h>

namespace velkrant::CodePageNative {

Bytes Encode(std::u16string_view text) {
    if (text.empty()) return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, "?", &usedDefault);
    Bytes out(static_cast<std::size_t>(size), 0);
    WideCharToMultiByte(CP_ACP, 0, wide, length, reinterpret_cast<char*>(out.data()), size, "?",
                        &usedDefault);
    return out;
}

std::u16string Decode(BytesView bytes) {
    if (bytes.empty()) return {};
    const auto* narrow = reinterpret_cast<const char*>(bytes.data());
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, narrow, length, nullptr, 0);
    std::u16string out(static_cast<std::size_t>(size), u'\0');
    MultiByteToWideChar(CP_ACP, 0, narrow, length, reinterpret_cast<wchar_t*>(out.data()), size);
    return out;
}

}  // namespace velkrant::CodePageNative
