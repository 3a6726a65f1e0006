// The codec's bit primitive for any byte and any 16-bit amount: a left or
// right shift within one byte, bits pushed out of it gone; the memoised
// form agrees with it under any mask. Bytes: value, amount (two bytes, low
// first), mask.

#include "FuzzSupport.h"
#include "modBase64Code.h"
#include "modBase64CodeStages.h"

using namespace velkrant::fuzz;
using namespace velkrant::modBase64Code;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    const std::uint8_t value = data[0];
    const auto amount = static_cast<std::int16_t>(data[1] | (data[2] << 8));
    const std::uint8_t mask = data[3];
    const int expected = amount >= 8 || amount <= -8 ? 0 : amount >= 0 ? (value << amount) & 0xFF : value >> -amount;
    Require(ComputeShift(value, amount) == expected, "ComputeShift shifts within one byte");
    Require(ShiftByte(value, amount, mask) == (expected & mask), "ShiftByte is the masked shift");
    return 0;
}
