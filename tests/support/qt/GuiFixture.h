#pragma once
// Shared by the GUI tests: a fixture that records messages instead of
// showing them and checks that no window is left open, and helpers that
// find controls by their designed names and answer a real modal box.

#include "TestSupport.h"
#include "frmMain.h"

#include <QApplication>
#include <QClipboard>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

class QMessageBox;

namespace velkrant::test {

/// Starts the program's main window the way start-up does and waits until
/// it is active.
std::unique_ptr<frmMain> StartActiveMainWindow();

/// Per test: messages are recorded in `messages` (and `onMessage`, if set,
/// runs for each), the clipboard starts empty, and at the end no top-level
/// window may be left visible.
template <class Base = testing::Test>
class GuiFixture : public Base {
protected:
    GuiFixture() { QApplication::clipboard()->clear(); }

    void TearDown() override {
        window.reset();
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            EXPECT_FALSE(widget->isVisible()) << "left open: " << widget->objectName().toStdString();
        }
    }

    frmMain& StartMainWindow() {
        window = StartActiveMainWindow();
        return *window;
    }

    MessageRecorder recorder_;
    std::vector<Message>& messages = recorder_.messages;
    std::function<void(const Message&)>& onMessage = recorder_.onMessage;
    std::unique_ptr<frmMain> window;
};

using GuiTest = GuiFixture<>;

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

/// Drops `bytes` in `format` on the middle of `widget` as a drag from
/// another program does (the bytes as the platform hands them over, never
/// parsed on the way), the enter first and then the drop, and lets the
/// event loop run what the drop started.
///
///     Drop(*w.txtInput, "text/plain", "thunder://QUFodHRwOi8vYS9iWlo=");
void Drop(QWidget& widget, const char* format, const QByteArray& bytes);

}  // namespace velkrant::test
