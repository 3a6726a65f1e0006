// Inputs the fuzz targets found to break the core, kept so they stay fixed.

#include "modBase64Code.h"

#include <gtest/gtest.h>

namespace velkrant::modBase64Code {
namespace {

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
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velkrant::modBase64Code
