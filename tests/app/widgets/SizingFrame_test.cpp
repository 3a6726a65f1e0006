// The sizing border where the window system takes no drag (Qt's offscreen
// platform takes none): the window follows the mouse itself. Under a real
// window manager the window-manager suite drags the batch window's edges.

#include "SizingFrame.h"

#include "QtPrinters.h"
#include "TestSupport.h"

#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace velkrant {
namespace {

using test::PrintTo;

const QRect kStart(100, 100, 300, 200);

struct DragCase {
    const char* name;
    QPoint pressAt;  // in the window
    QPoint by;
    QRect geometry;  // once the mouse is released
};

class SizingFrameTest : public testing::TestWithParam<DragCase> {};

TEST_P(SizingFrameTest, WindowFollowsTheDraggedEdgesWithinItsLimits) {
    const DragCase& c = GetParam();
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.setMinimumSize(100, 80);
    window.setGeometry(kStart);
    SizingFrame::Install(window, 2, 6);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    QTest::mousePress(&window, Qt::LeftButton, {}, c.pressAt);
    QTest::mouseMove(&window, c.pressAt + c.by);
    QTest::mouseRelease(&window, Qt::LeftButton, {}, c.pressAt + c.by);
    EXPECT_EQ(window.geometry(), c.geometry);
    // Released: moving on changes nothing.
    QTest::mouseMove(&window, QPoint(150, 100));
    EXPECT_EQ(window.geometry(), c.geometry);
}

INSTANTIATE_TEST_SUITE_P(
    Drags, SizingFrameTest,
    testing::Values(DragCase{"RightEdgeWider", {299, 100}, {30, 5}, {100, 100, 330, 200}},
                    DragCase{"BottomEdgeTaller", {150, 198}, {-4, 25}, {100, 100, 300, 225}},
                    DragCase{"TopLeftCornerMovesBothEdges", {1, 1}, {-20, -10}, {80, 90, 320, 210}},
                    DragCase{"BottomRightCornerNarrower", {298, 199}, {-50, -20}, {100, 100, 250, 180}},
                    DragCase{"LeftEdgeStopsAtTheMinimumWidth", {0, 100}, {500, 0}, {300, 100, 100, 200}},
                    DragCase{"TopEdgeStopsAtTheMinimumHeight", {150, 0}, {0, 500}, {100, 220, 300, 80}},
                    DragCase{"InsideMovesNothing", {150, 100}, {30, 30}, kStart}),
    test::RowName);

}  // namespace
}  // namespace velkrant
