// Encoding any bytes gives exactly RFC 4648 Base64, and decoding that gives
// the bytes back; the same holds at text level for a text's code-page bytes.

#include "FuzzSupport.h"
#include "modBase64Code.h"
#include "modBase64CodeStages.h"

using namespace velkrant;
using namespace velkrant::fuzz;
using namespace velkrant::modBase64Code;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const BytesView bytes(data, size);
    const Bytes expected = Rfc4648Encode(bytes);
    Require(EncodeBytes(bytes, PadByte) == expected, "EncodeBytes gives RFC 4648 Base64");
    Require(DecodeBytes(expected, PadByte) == bytes, "DecodeBytes gives the bytes back");

    // Another pad byte takes the place of "=" and nothing else changes.
    if (size > 0) {
        Bytes padded = expected;
        for (std::uint8_t& c : padded) c = c == PadByte ? data[0] : c;
        Require(EncodeBytes(bytes, data[0]) == padded, "the pad byte is the one asked for");
    }

    // The first stage, public too, takes any length: the empty input is one
    // group of zeros, like the zero-filled end of the last group of any other.
    const Sequence<std::uint8_t> sextets = BytesToSextets(bytes);
    Require(sextets.size() == 4 * (size == 0 ? 1 : (size + 2) / 3), "four values per group of three bytes");
    Bytes letters = size == 0 ? Bytes{'A', 'A', 'A', 'A'} : expected;
    for (std::uint8_t& c : letters) c = c == '=' ? 'A' : c;
    Require(MapToAlphabet(sextets.View()) == letters, "the values are the groups' sextets");

    const std::u16string text = TextFromBytes(data, size);
    const Bytes textBytes = CodePage::TextToBytes(text);
    const std::u16string encoded = Base64Encode(text);
    Require(encoded == Widen(Rfc4648Encode(textBytes)), "Base64Encode encodes the code-page bytes");
    Require(Base64Decode(encoded) == CodePage::BytesToText(textBytes), "Base64Decode reverses Base64Encode");
    return 0;
}
