// Inputs the fuzz targets found to break the core, kept so they stay fixed.

#include "CodePage.h"
#include "modBase64Code.h"
#include "modBase64CodeStages.h"
#include "modMain.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace velkrant::modBase64Code {
namespace {

using test::PrintTo;

Bytes AsBytes(const Sequence<std::uint8_t>& sequence) { return Bytes(sequence.View()); }

struct EmptyStageCase {
    const char* name;
    Bytes (*stage)();
    Bytes expected;
};


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
    test::RowName);

struct ShiftCase {
    const char* name;
    std::uint8_t value;
    std::int16_t amount;
    std::uint8_t expected;
};


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
    test::RowName);

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

namespace velkrant::CodePage {
namespace {

using test::PerCodePage;
using test::PrintTo;

struct TagCase {
    const char* name;
    std::u16string text;
    PerCodePage<std::string> bytes;
};


class TagCharacterTest : public testing::TestWithParam<TagCase> {};

// The platform converter dropped the Unicode tag characters (U+E0000 to
// U+E007F) without a word, so they vanished from links and list files. GBK
// holds none of them: each is one "?", like any other missing character.
TEST_P(TagCharacterTest, BecomesOneQuestionMark) {
    const std::string& expected = GetParam().bytes.Here();
    EXPECT_EQ(TextToBytes(GetParam().text), Bytes(expected.begin(), expected.end()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TagCharacterTest,
    testing::Values(TagCase{"FirstTag", u"\U000E0000", {"?"}}, TagCase{"LastTag", u"\U000E007F", {"?"}},
                    TagCase{"BetweenAscii", u"a\U000E0041b", {"a?b"}},
                    TagCase{"BetweenChinese", u"迅\U000E0001雷", {"\xD1\xB8?\xC0\xD7", "???"}},
                    TagCase{"FlagSequence", u"\U0001F3F4\U000E0067\U000E0062\U000E007F", {"????"}},
                    TagCase{"AfterLoneSurrogate", std::u16string(u"\xD800") + u"\U000E0020", {"??"}},
                    TagCase{"NeighbourAfterTags", u"\U000E0080", {"?"}}),
    test::RowName);

}  // namespace
}  // namespace velkrant::CodePage
