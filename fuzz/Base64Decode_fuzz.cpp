// The lenient decoder takes anything: every byte counts as its alphabet
// value or 0, and the length follows the pad count near the end. The first
// fuzz byte is the pad byte, the rest the Base64 text.

#include "FuzzSupport.h"
#include "modBase64Code.h"
#include "modBase64CodeStages.h"

using namespace velkrant;
using namespace velkrant::fuzz;
using namespace velkrant::modBase64Code;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const BytesView bytes(data + 1, size - 1);
    for (const std::uint8_t pad : {data[0], PadByte}) {
        const Bytes decoded = DecodeBytes(bytes, pad);
        const Bytes expected = LenientDecode(bytes, pad);
        Require(decoded.size() == expected.size(), "m = ((n - 1 - p) * 3) / 4 + 1 bytes");
        Require(decoded == expected, "each group of four values gives its three bytes");
    }

    // The stages, public too, take any length: the empty input is one group
    // of zeros, like the zero-filled end of the last group of any other.
    const Sequence<std::uint8_t> regrouped = SextetsToBytes(MapFromAlphabet(bytes).View());
    const std::size_t n = bytes.size();
    Require(regrouped.size() == 3 * (n == 0 ? 1 : (n + 3) / 4), "three bytes per group of four values");
    const Bytes decoded = DecodeBytes(bytes, PadByte);
    Require(BytesView(regrouped.data(), decoded.size()) == decoded, "decoding cuts the regrouped bytes");

    const std::u16string text = TextFromBytes(data, size);
    Require(Base64Decode(text) == CodePage::BytesToText(LenientDecode(CodePage::TextToBytes(text), PadByte)),
            "Base64Decode reads the decoded bytes through the code page");
    return 0;
}
