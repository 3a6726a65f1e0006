#include "GuiFixture.h"

#include "ModalAnswer.h"
#include "modManifest.h"

#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace velkrant::test {

void AnswerNextModalBox(std::function<void(QMessageBox&)> answer) {
    AnswerNextModal<QMessageBox>(std::move(answer));
}

void RunFromEventLoop(std::function<void()> action, int times) {
    if (times <= 0) return;
    QTimer::singleShot(0, [action = std::move(action), times] {
        // Scheduled before acting, so it fires inside whatever the action
        // itself hands control on to.
        RunFromEventLoop(action, times - 1);
        action();
    });
}

void UseFontFamily(QWidget& widget, const char* family) {
    if (*family == '\0') return;
    QFont font = widget.font();
    font.setFamily(QString::fromLatin1(family));
    widget.setFont(font);
}

bool WaitUntilActiveWindow(const QWidget& window) {
    return QTest::qWaitFor([&] { return QApplication::activeWindow() == &window; }, 60000);
}

std::unique_ptr<frmMain> StartActiveMainWindow() {
    std::unique_ptr<frmMain> window = modManifest::ShowMainWindow();
    window->activateWindow();
    EXPECT_TRUE(WaitUntilActiveWindow(*window));
    return window;
}

}  // namespace velkrant::test
