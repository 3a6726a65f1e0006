// The windows under a real window manager: the real program on a desktop
// of the test's own (Xvfb with openbox), driven by X input events, its
// outer frames measured from outside as the window manager draws them.

#include "QtPrinters.h"
#include "TestSupport.h"
#include "VirtualDesktop.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <iostream>

namespace velkrant {
namespace {

using namespace std::chrono_literals;
using test::PrintTo;
using test::WaitFor;

const QSize kScreen(1280, 900);
// The batch window's outer height when fully open, at 100 %.
constexpr int kBatchHeight = 283;

class WindowManagerTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(desktop_.Error().isEmpty()) << desktop_.Error().toStdString();
        ASSERT_TRUE(runtime_.isValid());
    }

    void TearDown() override { test::Stop(program_); }

    // Starts the program afresh (ending the one before) and waits until its
    // main window is framed, has the focus and keeps still; its window id.
    QString StartProgram(const QString& scale = QString()) {
        test::Stop(program_);
        QProcessEnvironment environment = desktop_.Environment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
        environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        environment.remove(QStringLiteral("QT_SCALE_FACTOR"));
        if (!scale.isEmpty()) environment.insert(QStringLiteral("QT_SCALE_FACTOR"), scale);
        test::EndWithTestProcess(program_);
        program_.setProcessEnvironment(environment);
        program_.start(QStringLiteral(VELKRANT_PROGRAM), {});
        EXPECT_TRUE(program_.waitForStarted());
        QString main;
        EXPECT_TRUE(WaitFor(
            [&] {
                const std::vector<QString> windows = desktop_.ManagedWindows();
                main = windows.empty() ? QString() : windows.front();
                return !main.isEmpty() && desktop_.ActiveWindow() == main;
            },
            60s))
            << "the main window never got the focus";
        SettledFrame(main);
        return main;
    }

    // Ticks the batch box as a user does, with Alt+B, and waits until the
    // batch window is there; its id (SettledFrame waits for the slide).
    QString OpenBatchWindow() {
        desktop_.Run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("alt+b")});
        QString batch;
        EXPECT_TRUE(WaitFor(
            [&] {
                const std::vector<QString> windows = desktop_.ManagedWindows();
                batch = windows.size() == 2 ? windows.back() : QString();
                return !batch.isEmpty();
            },
            30s))
            << "no batch window appeared";
        return batch;
    }

    // The frame of window `id` once it has kept still for a second (a
    // slide, or the window manager's own moves, have ended).
    QRect SettledFrame(const QString& id) {
        QRect frame;
        int stillFor = 0;
        WaitFor(
            [&] {
                const QRect now = desktop_.OuterFrame(id);
                stillFor = now == frame ? stillFor + 1 : 0;
                frame = now;
                return stillFor >= 20;
            },
            60s);
        return frame;
    }

    // Drags with the mouse from `from` to `to`, in two moves, as a hand does.
    void Drag(QPoint from, QPoint to) {
        const QPoint halfway = (from + to) / 2;
        desktop_.Run(QStringLiteral("xdotool"),
                     {"mousemove", QString::number(from.x()), QString::number(from.y()), "sleep", "0.3", "mousedown",
                      "1", "sleep", "0.5", "mousemove", QString::number(halfway.x()), QString::number(halfway.y()),
                      "sleep", "0.3", "mousemove", QString::number(to.x()), QString::number(to.y()), "sleep", "0.5",
                      "mouseup", "1"});
    }

    test::VirtualDesktop desktop_{kScreen};
    QTemporaryDir runtime_;
    QProcess program_;
};

TEST_F(WindowManagerTest, BatchWindowOpensRightBeneathTheMainWindowOnEveryStart) {
    constexpr int Starts = 20;
    int placedRight = 0;
    for (int start = 1; start <= Starts; ++start) {
        const QString main = StartProgram();
        const QRect batchFrame = SettledFrame(OpenBatchWindow());
        const QRect mainFrame = desktop_.OuterFrame(main);
        // Same left edge and width, frames touching, fully open.
        const QRect beneath(mainFrame.left(), mainFrame.bottom() + 1, mainFrame.width(), kBatchHeight);
        EXPECT_EQ(batchFrame, beneath) << "start " << start << ", main window at " << testing::PrintToString(mainFrame);
        placedRight += batchFrame == beneath ? 1 : 0;
    }
    std::cout << "batch window placed right in " << placedRight << " of " << Starts << " starts\n";
}

struct DragCase {
    const char* name;
    Qt::Edges edges;  // where the drag starts
    QPoint by;
};

class EdgeDragTest : public WindowManagerTest, public testing::WithParamInterface<DragCase> {};

TEST_P(EdgeDragTest, BatchWindowResizesFromItsEdges) {
    StartProgram();
    const QString batch = OpenBatchWindow();
    const QRect before = SettledFrame(batch);
    const Qt::Edges edges = GetParam().edges;
    // On the outermost pixel of the border, mid-edge or at the corner.
    const QPoint grab(edges & Qt::LeftEdge ? before.left() : edges & Qt::RightEdge ? before.right() : before.center().x(),
                      edges & Qt::TopEdge ? before.top() : edges & Qt::BottomEdge ? before.bottom() : before.center().y());
    Drag(grab, grab + GetParam().by);
    QRect expected = before;
    if (edges & Qt::LeftEdge) expected.setLeft(before.left() + GetParam().by.x());
    if (edges & Qt::RightEdge) expected.setRight(before.right() + GetParam().by.x());
    if (edges & Qt::TopEdge) expected.setTop(before.top() + GetParam().by.y());
    if (edges & Qt::BottomEdge) expected.setBottom(before.bottom() + GetParam().by.y());
    EXPECT_EQ(SettledFrame(batch), expected);
}

INSTANTIATE_TEST_SUITE_P(Edges, EdgeDragTest,
                         testing::Values(DragCase{"Bottom", Qt::BottomEdge, {0, 40}},
                                         DragCase{"Right", Qt::RightEdge, {60, 0}},
                                         DragCase{"Left", Qt::LeftEdge, {-30, 0}},
                                         DragCase{"BottomRightCorner", Qt::RightEdge | Qt::BottomEdge, {30, 20}}),
                         test::RowName);

// At 200 % a 1280 x 900 screen has no room beneath the golden section for
// the batch window, nor room for both at full height.
TEST_F(WindowManagerTest, BothWindowsStayOnScreenAtDoubleScale) {
    const QString main = StartProgram(QStringLiteral("2"));
    const QRect batchFrame = SettledFrame(OpenBatchWindow());
    const QRect mainFrame = desktop_.OuterFrame(main);
    const QRect screen(QPoint(0, 0), kScreen);
    EXPECT_EQ(screen.intersected(mainFrame), mainFrame);
    EXPECT_EQ(screen.intersected(batchFrame), batchFrame);
    EXPECT_GT(batchFrame.top(), mainFrame.bottom()) << "the batch window covers the main window";
}

}  // namespace
}  // namespace velkrant
