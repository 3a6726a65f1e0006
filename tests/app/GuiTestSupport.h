#pragma once
// Shared by the GUI tests: a fixture that records message boxes instead of
// showing them and checks that no window is left open, and helpers that
// find controls by their designed names and answer a real modal box.

#include "MessageBox.h"
#include "frmMain.h"

#include <QApplication>
#include <QClipboard>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

class QMessageBox;

namespace velkrant::testing_support {

/// Per test: message boxes are recorded in `messages` (and `onMessage`, if
/// set, runs for each), the clipboard starts empty, and at the end no
/// top-level window may be left visible.
template <class Base = testing::Test>
class GuiFixture : public Base {
protected:
    void SetUp() override {
        QApplication::clipboard()->clear();
        previousHook_ = SetMessageBoxHook([this](const Message& message) {
            messages.push_back(message);
            if (onMessage) onMessage(message);
        });
    }

    void TearDown() override {
        window.reset();
        SetMessageBoxHook(previousHook_);
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            EXPECT_FALSE(widget->isVisible()) << "left open: " << widget->objectName().toStdString();
        }
    }

    /// Starts the program's main window the way start-up does and waits
    /// until it is active.
    frmMain& StartMainWindow();

    std::vector<Message> messages;
    std::function<void(const Message&)> onMessage;
    std::unique_ptr<frmMain> window;

private:
    MessageNotifier previousHook_;
};

using GuiTest = GuiFixture<>;

/// Rows of a test table print as their name in test listings; bring it in
/// with `using testing_support::PrintTo;` beside the row type.
template <class Row>
    requires requires(const Row& row) { row.name; }
void PrintTo(const Row& row, std::ostream* os) {
    *os << row.name;
}

/// The control named `name` under `root`; fails the test when missing.
template <class Control = QWidget>
Control* Find(const QWidget& root, const char* name) {
    auto* control = root.findChild<Control*>(QLatin1String(name));
    EXPECT_NE(control, nullptr) << "no control " << name;
    return control;
}

/// When the next modal box appears, hands it to `answer`, which inspects
/// it and closes it. Uses the real box, as a user sees it.
void AnswerNextModalBox(std::function<void(QMessageBox&)> answer);

/// Runs `action` from the event loop as soon as the current handler hands
/// control back to it (as a running slide does), `times` times in a row,
/// each one nested inside the previous one when that one hands control on.
void RunFromEventLoop(std::function<void()> action, int times = 1);

/// Waits until `window` is the application's active window. (A tool
/// window counts as active in Qt's own test helper as soon as its owner
/// is, which is not what a user sees.)
bool WaitUntilActiveWindow(const QWidget& window);

/// Gives `widget` the font family `family` at its own size, as a desktop
/// whose font it is would; an empty family changes nothing.
///
///     UseFontFamily(*w.chkBatch, "Noto Sans CJK SC");
void UseFontFamily(QWidget& widget, const char* family);

/// The start-up that GuiFixture::StartMainWindow uses.
std::unique_ptr<frmMain> StartActiveMainWindow();

template <class Base>
frmMain& GuiFixture<Base>::StartMainWindow() {
    window = StartActiveMainWindow();
    return *window;
}

}  // namespace velkrant::testing_support
