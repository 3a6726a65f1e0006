#include "ScreenFit.h"

#include "QtPrinters.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace velkrant::ScreenFit {
namespace {

using test::PrintTo;

// A 1280 x 900 screen whose top 30 pixels a panel takes.
const QRect kArea(0, 30, 1280, 870);

struct InsideCase {
    const char* name;
    QRect window;
    QRect placed;
};

class MovedInsideTest : public testing::TestWithParam<InsideCase> {};

TEST_P(MovedInsideTest, MovesAsLittleAsNeeded) {
    EXPECT_EQ(MovedInside(GetParam().window, kArea), GetParam().placed);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, MovedInsideTest,
    testing::Values(InsideCase{"InsideStays", {409, 248, 463, 192}, {409, 248, 463, 192}},
                    InsideCase{"UnderThePanel", {409, 10, 463, 192}, {409, 30, 463, 192}},
                    InsideCase{"OffTheRightAndBottom", {1000, 800, 463, 192}, {817, 708, 463, 192}},
                    InsideCase{"OffTheLeft", {-5, 248, 463, 192}, {0, 248, 463, 192}},
                    InsideCase{"LargerThanTheAreaKeepsItsTopLeftInside", {-50, -50, 1400, 1000}, {0, 30, 1400, 1000}}),
    test::RowName);

struct StackCase {
    const char* name;
    QRect upper;
    int lowerHeight;
    QRect placedUpper;
    QRect placedLower;
};

class BeneathTest : public testing::TestWithParam<StackCase> {};

TEST_P(BeneathTest, LowerWindowSitsDirectlyBeneathAndBothStayInside) {
    const StackCase& c = GetParam();
    const Stack stack = Beneath(c.upper, c.lowerHeight, kArea);
    EXPECT_EQ(stack.upper, c.placedUpper);
    EXPECT_EQ(stack.lower, c.placedLower);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, BeneathTest,
    testing::Values(StackCase{"RoomBeneath", {409, 248, 463, 192}, 283, {409, 248, 463, 192}, {409, 440, 463, 283}},
                    StackCase{"ExactlyFits", {409, 425, 463, 192}, 283, {409, 425, 463, 192}, {409, 617, 463, 283}},
                    StackCase{"UpperMovesUpAsLittleAsNeeded", {409, 600, 463, 192}, 283, {409, 425, 463, 192},
                              {409, 617, 463, 283}},
                    StackCase{"UpperOffScreenComesInsideFirst", {1000, 600, 463, 192}, 283, {817, 425, 463, 192},
                              {817, 617, 463, 283}},
                    StackCase{"NoRoomForBothShortensTheLower", {100, 200, 463, 500}, 500, {100, 30, 463, 500},
                              {100, 530, 463, 370}},
                    StackCase{"UpperFillsTheAreaLowerKeepsOnePixel", {0, 0, 463, 900}, 283, {0, 30, 463, 900},
                              {0, 930, 463, 1}}),
    test::RowName);

}  // namespace
}  // namespace velkrant::ScreenFit
