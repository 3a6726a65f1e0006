// A stand-in for the program in the single-instance and platform tests:
// the real start-up, with message boxes written to standard output instead
// of shown, so a refused second start never waits for a click.
//
//   InstanceProbe                      start; quit as soon as the main window is up
//   InstanceProbe --close-during-slide start; tick the batch box and close the
//                                      main window while the slide runs
//   InstanceProbe --link LINK          start with LINK; print the boxes once it
//                                      is converted, and quit
//   InstanceProbe --wait-for-link      start and minimise; once a later start
//                                      has handed a link over and the window is
//                                      back in front, print the boxes and quit
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
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

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

void PrintBoxes(const frmMain& window) {
    Print(QStringLiteral("input: %1|mode: %2|output: %3")
              .arg(window.txtInput->text())
              .arg(window.Mode())
              .arg(window.txtOutput->text()));
}

// The window comes back in front a moment after the link is taken, when
// the platform says so; after a long while the probe reports what it has.
void PrintWhenInFront(frmMain& window) {
    auto* poll = new QTimer(&window);
    auto* waited = new QElapsedTimer;
    waited->start();
    QObject::connect(poll, &QTimer::timeout, &window, [&window, poll, waited] {
        const bool front = !window.isMinimized() && QApplication::activeWindow() == &window;
        if (!front && !waited->hasExpired(30000)) return;
        poll->stop();
        delete waited;
        PrintBoxes(window);
        Print(QStringLiteral("in front: %1").arg(front));
        QCoreApplication::quit();
    });
    poll->start(10);
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
    const QStringList arguments = QApplication::arguments().mid(1);
    const QString option = arguments.value(0);
    const auto print = [](const Message& message) {
        Print(QStringLiteral("message: %1|%2|%3")
                  .arg(QString::fromStdU16String(message.text), QString::fromStdU16String(message.title),
                       message.icon == MessageIcon::Information ? QStringLiteral("information")
                                                                : QStringLiteral("critical")));
    };
    // Runs once the event loop is up, which is after the window was shown,
    // and before start-up's own conversion of a link.
    QTimer::singleShot(0, [option] {
        frmMain* window = MainWindow();
        Print(QStringLiteral("shown: %1").arg(window != nullptr && window->isVisible()));
        if (option == QLatin1String("--link")) {
            QTimer::singleShot(0, [window] {
                PrintBoxes(*window);
                QCoreApplication::quit();
            });
        } else if (option == QLatin1String("--wait-for-link")) {
            window->showMinimized();
            QObject::connect(window->txtInput, &QLineEdit::textChanged, window,
                             [window] { QTimer::singleShot(0, window, [window] { PrintWhenInFront(*window); }); });
        } else if (option == QLatin1String("--convert") && window != nullptr) {
            ConvertOnThePlatform(*window);
        } else if (option == QLatin1String("--close-during-slide")) {
            QTimer::singleShot(0, window->cmdExit, &QPushButton::click);
            window->chkBatch->click();
            Print(QStringLiteral("slide returned"));
        } else {
            QCoreApplication::quit();
        }
    });
    const int code = modManifest::Main(print, option == QLatin1String("--link") ? arguments.mid(1) : QStringList());
    Print(QStringLiteral("ended"));
    return code;
}
