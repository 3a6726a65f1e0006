// main() of every test that needs a QApplication: one application for all
// tests, on the offscreen platform unless told otherwise (test discovery
// runs without CTest's environment), and a check after every test that it
// left no window open.

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class NoWindowLeftOpen : public testing::EmptyTestEventListener {
    void OnTestEnd(const testing::TestInfo&) override {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->isVisible()) {
                ADD_FAILURE() << "a test left a window open: " << window->metaObject()->className() << " \""
                              << window->windowTitle().toStdString() << "\"";
                window->close();
            }
        }
    }
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // End events reach the listeners last-added first, so this check runs
    // before the result line of the test is printed.
    testing::UnitTest::GetInstance()->listeners().Append(new NoWindowLeftOpen);
    return RUN_ALL_TESTS();
}
