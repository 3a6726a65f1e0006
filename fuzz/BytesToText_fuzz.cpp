// Reading any bytes as text: never fails, the same bytes always give the
// same text, ASCII stays as it is, a byte below "@" stays that character, and
// exactly the well-formed UTF-8 whose non-ASCII characters are all CJK is
// read as UTF-8.

#include "FuzzSupport.h"

#include <algorithm>

using namespace velkrant;
using namespace velkrant::fuzz;
using namespace velkrant::CodePage;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const BytesView bytes(data, size);
    const std::u16string text = BytesToText(bytes);
    Require(BytesToText(bytes) == text, "the same bytes give the same text");
    Require(text.size() <= bytes.size(), "no byte gives more than one code unit");
    // Bytes below "@" are never part of a wider character, in GBK or UTF-8:
    // each stands for itself, and nothing else turns into one of them.
    for (char16_t low = 0; low < u'@'; ++low) {
        Require(std::count(text.begin(), text.end(), low) == std::count(bytes.begin(), bytes.end(), low),
                "a byte below \"@\", and only such a byte, reads as its own character");
    }
    if (std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b < 0x80; })) {
        Require(text == Widen(bytes), "ASCII reads as itself");
    }

    const bool utf8 = IsValidUtf8(bytes);
    if (utf8) {
        const std::string back = TextToUtf8(Utf8ToText(bytes));
        Require(BytesView(reinterpret_cast<const std::uint8_t*>(back.data()), back.size()) == bytes,
                "well-formed UTF-8 survives reading and writing");
    }
    const bool cjk = utf8 && IsCjkText(Utf8ToText(bytes));
    Require(IsCjkUtf8(bytes) == cjk, "the UTF-8 reading is for CJK UTF-8 exactly");
    if (cjk) {
        Require(text == Utf8ToText(bytes), "CJK UTF-8 is read as UTF-8");
    }
    return 0;
}
