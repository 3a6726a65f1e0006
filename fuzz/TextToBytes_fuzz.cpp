// Writing any text as code-page bytes: never fails, the same text always
// gives the same bytes, character by character, ASCII stays as it is, a
// character the code page lacks becomes one "?", and text the code page
// holds reads back unchanged unless its bytes happen to be CJK UTF-8.

#include "FuzzSupport.h"

#include <algorithm>

using namespace velkrant;
using namespace velkrant::fuzz;
using namespace velkrant::CodePage;

namespace {

bool IsHigh(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLow(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string text = TextFromBytes(data, size);
    const Bytes bytes = TextToBytes(text);
    Require(TextToBytes(text) == bytes, "the same text gives the same bytes");
    if (std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; })) {
        Require(bytes == Bytes(text.begin(), text.end()), "ASCII writes as itself");
    }

    // Character by character, a surrogate pair being one character.
    Bytes pieces;
    bool held = true;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = IsHigh(text[i]) && i + 1 < text.size() && IsLow(text[i + 1]) ? 2 : 1;
        const std::u16string_view character = std::u16string_view(text).substr(i, length);
        const Bytes piece = TextToBytes(character);
        Require(!piece.empty() && piece.size() <= 2, "a character writes as one or two bytes");
        held = held && (piece != Bytes{'?'} || character == u"?");
        pieces += piece;
        i += length;
    }
    Require(pieces == bytes, "a text writes as its characters do, one by one");

    if (held && !IsCjkUtf8(bytes)) {
        Require(BytesToText(bytes) == text, "text the code page holds reads back unchanged");
    }
    if (IsCjkText(text)) {
        const std::string utf8 = TextToUtf8(text);
        Require(BytesToText(BytesView(reinterpret_cast<const std::uint8_t*>(utf8.data()), utf8.size())) == text,
                "CJK text written as UTF-8 reads back unchanged");
    }
    return 0;
}
