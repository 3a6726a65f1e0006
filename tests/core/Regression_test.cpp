// Inputs the fuzz targets found to break the core, kept so they stay fixed.

#include "modBase64Code.h"
#include "modMain.h"

#include <gtest/gtest.h>

namespace velkrant::modBase64Code {
namespace {

Bytes AsBytes(const Sequence<std::uint8_t>& sequence) { return Bytes(sequence.View()); }

struct EmptyStageCase {
    const char* name;
    Bytes (*stage)();
    Bytes expected;
};

void PrintTo(const EmptyStageCase& c, std::ostream* os) { *os << c.name; }

class EmptyStageTest : public testing::TestWithParam<EmptyStageCase> {};

// The whole-sequence stages once sized an empty input as (0 - 1) / k + 1
// groups in unsigned arithmetic: an allocation of the whole address space.
// An empty input is one group of zeros, like the end of any short group.
TEST_P(EmptyStageTest, EmptyInputIsOneGroupOfZeros) { EXPECT_EQ(GetParam().stage(), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Cases, EmptyStageTest,
    testing::Values(
        EmptyStageCase{"BytesToSextets", [] { return AsBytes(BytesToSextets({})); }, Bytes(4, 0)},
        EmptyStageCase{"SextetsToBytes", [] { return AsBytes(SextetsToBytes({})); }, Bytes(3, 0)},
        EmptyStageCase{"BytesToTriplets", [] { return AsBytes(TripletsToBytes(BytesToTriplets({}))); }, Bytes(3, 0)},
        EmptyStageCase{"BytesToQuads", [] { return AsBytes(QuadsToBytes(BytesToQuads({}))); }, Bytes(4, 0)},
        EmptyStageCase{"MapFromAlphabetThenRegroup",
                       [] { return AsBytes(SextetsToBytes(MapFromAlphabet({}).View())); }, Bytes(3, 0)}),
    [](const auto& info) { return std::string(info.param.name); });

struct ShiftCase {
    const char* name;
    std::uint8_t value;
    std::int16_t amount;
    std::uint8_t expected;
};

void PrintTo(const ShiftCase& c, std::ostream* os) { *os << c.name; }

class ComputeShiftTest : public testing::TestWithParam<ShiftCase> {};

// Amounts of nine places and more divided by zero (a left shift keeps
// value mod 2^(8 - amount)) or turned an infinite power of two into an
// integer, and the memoised form read and wrote outside its table. Shifted
// that far, nothing of the byte is left.
TEST_P(ComputeShiftTest, ShiftsWithinOneByte) {
    EXPECT_EQ(ComputeShift(GetParam().value, GetParam().amount), GetParam().expected);
    EXPECT_EQ(ShiftByte(GetParam().value, GetParam().amount, 0xFF), GetParam().expected);
    EXPECT_EQ(ShiftByte(GetParam().value, GetParam().amount, 0x0F), GetParam().expected & 0x0F);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ComputeShiftTest,
    testing::Values(ShiftCase{"LeftSeven", 0x81, 7, 0x80}, ShiftCase{"LeftEight", 0xFF, 8, 0},
                    ShiftCase{"LeftNine", 0x81, 9, 0}, ShiftCase{"LeftFarthest", 0x01, 0x7FFF, 0},
                    ShiftCase{"RightSeven", 0x80, -7, 1}, ShiftCase{"RightNine", 0xFF, -9, 0},
                    ShiftCase{"RightThirtyTwo", 0xFF, -32, 0}, ShiftCase{"RightFarthest", 0x80, -0x8000, 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velkrant::modBase64Code

namespace velkrant::modMain {
namespace {

// An empty prefix matched at every position without moving on: the call
// never returned.
TEST(RemovePrefixRegressionTest, EmptyPrefixLeavesTextAsItIs) {
    EXPECT_EQ(RemovePrefix(u"thunder://QUFa", u""), u"thunder://QUFa");
    EXPECT_EQ(RemovePrefix(u"", u""), u"");
}

}  // namespace
}  // namespace velkrant::modMain
