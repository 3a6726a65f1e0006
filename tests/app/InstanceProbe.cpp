// A stand-in for the program in the single-instance and platform tests:
// the real start-up, with message boxes written to standard output instead
// of shown, so a refused second start never waits for a click.
//
//   InstanceProbe                      start; quit as soon as the main window is up
//   InstanceProbe --close-during-slide start; tick the batch box and close the
//                                      main window while the slide runs
//   InstanceProbe --convert            start; convert a link, tick the batch box,
//                                      convert a list; say what each step showed
//                                      and the windows' ids, then stay until ended

#include "ListBox.h"
#include "PlatformChoice.h"
#include "frmBatch.h"
#include "frmMain.h"
#include "modManifest.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
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

// What a user does first on a new platform, each step's result printed:
// the platform Qt came up on, one link converted in the main window, the
// batch window ticked open and a list converted in it. The windows' ids are
// the platform's own (X window ids under X), for the test to look them up.
void ConvertOnThePlatform(frmMain& window) {
    Print(QStringLiteral("platform: %1").arg(QGuiApplication::platformName()));
    window.txtInput->setText(QStringLiteral("thunder://QUFodHRwOi8vYS9iWlo="));
    window.cmdCode->click();
    Print(QStringLiteral("converted: %1").arg(window.txtOutput->text()));
    // Returns once the slide has ended.
    window.chkBatch->click();
    frmBatch& batch = window.Batch();
    Print(QStringLiteral("batch open: %1").arg(batch.isVisible()));
    batch.txtBatchIn->SetText(u"qqdl://aHR0cDovL2EvYw==\r\nhttp://a/d");
    window.cmdCode->click();
    Print(QStringLiteral("batch converted: %1")
              .arg(ListBox::ToQString(batch.txtBatchOut->Text()).replace(QStringLiteral("\r\n"), QStringLiteral("|"))));
    Print(QStringLiteral("windows: %1 %2").arg(window.winId()).arg(batch.winId()));
}

}  // namespace

int main(int argc, char* argv[]) {
    PlatformChoice::Apply();
    QApplication application(argc, argv);
    const bool closeDuringSlide = argc > 1 && std::strcmp(argv[1], "--close-during-slide") == 0;
    const bool convert = argc > 1 && std::strcmp(argv[1], "--convert") == 0;
    const auto print = [](const Message& message) {
        Print(QStringLiteral("message: %1|%2|%3")
                  .arg(QString::fromStdU16String(message.text), QString::fromStdU16String(message.title),
                       message.icon == MessageIcon::Information ? QStringLiteral("information")
                                                                : QStringLiteral("critical")));
    };
    // Runs once the event loop is up, which is after the window was shown.
    QTimer::singleShot(0, [closeDuringSlide, convert] {
        frmMain* window = MainWindow();
        Print(QStringLiteral("shown: %1").arg(window != nullptr && window->isVisible()));
        if (convert && window != nullptr) {
            ConvertOnThePlatform(*window);
            return;
        }
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
