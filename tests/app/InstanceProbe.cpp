// A stand-in for the program in the single-instance tests: the real
// start-up, with message boxes written to standard output instead of
// shown, so a refused second start never waits for a click.
//
//   InstanceProbe                      start; quit as soon as the main window is up
//   InstanceProbe --close-during-slide start; tick the batch box and close the
//                                      main window while the slide runs

#include "frmMain.h"
#include "modManifest.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {

using namespace velkrant;

void Print(const QString& line) {
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

frmMain* MainWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = dynamic_cast<frmMain*>(widget)) return window;
    }
    return nullptr;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const bool closeDuringSlide = argc > 1 && std::strcmp(argv[1], "--close-during-slide") == 0;
    const auto print = [](const Message& message) {
        Print(QStringLiteral("message: %1|%2|%3")
                  .arg(QString::fromStdU16String(message.text), QString::fromStdU16String(message.title),
                       message.icon == MessageIcon::Information ? QStringLiteral("information")
                                                                : QStringLiteral("critical")));
    };
    // Runs once the event loop is up, which is after the window was shown.
    QTimer::singleShot(0, [closeDuringSlide] {
        frmMain* window = MainWindow();
        Print(QStringLiteral("shown: %1").arg(window != nullptr && window->isVisible()));
        if (!closeDuringSlide) {
            QCoreApplication::quit();
            return;
        }
        QTimer::singleShot(0, window->cmdExit, &QPushButton::click);
        window->chkBatch->click();
        Print(QStringLiteral("slide returned"));
    });
    const int code = modManifest::Main(print);
    Print(QStringLiteral("ended"));
    return code;
}
