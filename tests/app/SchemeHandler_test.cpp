// A thunder link opened as a browser opens it: xdg-open, on a desktop of
// the test's own (Xvfb with openbox) and with XDG folders of its own, finds
// the program's desktop entry as the scheme's default handler and starts
// it. What the main window's output box shows is read from the real
// window, as a user would take it: a click on 复制 and the clipboard.

#include "TestSupport.h"
#include "VirtualDesktop.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>

namespace velkrant {
namespace {

using namespace std::chrono_literals;
using test::WaitFor;

// 复制 in the main window's client area: the centre of its designed place
// (picAddress in fraAddress), in pixels at 100 %.
constexpr int CopyX = (120 + 60 + 5700 + 735 / 2) / 15;
constexpr int CopyY = (60 + 180 + 420 + 255 / 2) / 15;
// 退出, likewise.
constexpr int ExitX = (5940 + 795 / 2) / 15;
constexpr int ExitY = (2040 + 375 / 2) / 15;

class SchemeHandlerTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(desktop_.Error().isEmpty()) << desktop_.Error().toStdString();
        ASSERT_TRUE(home_.isValid());
        // The runtime folder must be the user's alone, as a login makes it.
        ASSERT_TRUE(QFile::setPermissions(Folder("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        environment_ = desktop_.Environment();
        environment_.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment_.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        environment_.insert(QStringLiteral("XDG_DATA_HOME"), Folder("data"));
        environment_.insert(QStringLiteral("XDG_CONFIG_HOME"), Folder("config"));
        environment_.insert(QStringLiteral("XDG_RUNTIME_DIR"), Folder("runtime"));
        // Without a desktop of its own, xdg-open takes its generic path:
        // the default handler from mimeapps.list and its desktop entry.
        for (const char* name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "GNOME_DESKTOP_SESSION_ID",
                                 "KDE_FULL_SESSION", "KDE_SESSION_VERSION", "BROWSER"}) {
            environment_.remove(QString::fromLatin1(name));
        }
        InstallEntry();
        for (const char* scheme : {"thunder", "flashget", "qqdl"}) {
            ASSERT_EQ(RunToEnd(QStringLiteral("xdg-mime"), {QStringLiteral("default"), QStringLiteral("velkrant.desktop"),
                                                           QStringLiteral("x-scheme-handler/") + scheme}),
                      0);
        }
    }

    void TearDown() override {
        test::Stop(opener_);
        test::Stop(program_);
    }

    QString Folder(const char* name) const {
        const QString path = QDir(home_.path()).filePath(QLatin1String(name));
        QDir().mkpath(path);
        return path;
    }

    // The program's own entry, with Exec pointing at this build.
    void InstallEntry() {
        QFile source(QStringLiteral(VELKRANT_DESKTOP_ENTRY));
        ASSERT_TRUE(source.open(QIODevice::ReadOnly));
        QByteArray entry = source.readAll();
        ASSERT_TRUE(entry.contains("\nExec=velkrant %u\n"));
        entry.replace("\nExec=velkrant ", "\nExec=" + QByteArray(VELKRANT_PROGRAM) + ' ');
        QFile target(QDir(Folder("data/applications")).filePath(QStringLiteral("velkrant.desktop")));
        ASSERT_TRUE(target.open(QIODevice::WriteOnly));
        ASSERT_EQ(target.write(entry), entry.size());
    }

    int RunToEnd(const QString& program, const QStringList& arguments) {
        QProcess process;
        process.setProcessEnvironment(environment_);
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForFinished(120000)) << program.toStdString();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    void Start(QProcess& process, const QString& program, const QStringList& arguments) {
        test::EndWithTestProcess(process);
        process.setProcessEnvironment(environment_);
        process.start(program, arguments);
        ASSERT_TRUE(process.waitForStarted());
    }

    // The one managed window once it has the focus: the main window.
    QString MainWindowInFront() {
        QString main;
        EXPECT_TRUE(WaitFor(
            [&] {
                const std::vector<QString> windows = desktop_.ManagedWindows();
                main = windows.size() == 1 ? windows.front() : QString();
                return !main.isEmpty() && desktop_.ActiveWindow() == main;
            },
            60s))
            << "the main window never came to the front";
        return main;
    }

    void Click(const QString& window, int x, int y) {
        desktop_.Run(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QStringLiteral("--window"), window,
                                                 QString::number(x), QString::number(y), QStringLiteral("click"),
                                                 QStringLiteral("1")});
    }

    // Waits until 复制 puts `address` on the clipboard: the conversion runs
    // once the window is up, so the first clicks may copy nothing yet.
    bool OutputShows(const QString& window, const QString& address) {
        return WaitFor(
            [&] {
                Click(window, CopyX, CopyY);
                return desktop_.Run(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard"),
                                                              QStringLiteral("-o")}) == address;
            },
            60s);
    }

    test::VirtualDesktop desktop_{QSize(1280, 900)};
    QTemporaryDir home_;
    QProcessEnvironment environment_;
    QProcess program_;
    QProcess opener_;
};

TEST_F(SchemeHandlerTest, XdgOpenShowsTheAddressInTheRunningCopyAndInANewOne) {
    Start(program_, QStringLiteral(VELKRANT_PROGRAM), {});
    const QString running = MainWindowInFront();
    desktop_.Run(QStringLiteral("xdotool"), {QStringLiteral("windowminimize"), running});
    // The new copy hands the link over and ends, and xdg-open with it.
    EXPECT_EQ(RunToEnd(QStringLiteral("xdg-open"), {QStringLiteral("thunder://QUFodHRwOi8vYS9iWlo=")}), 0);
    EXPECT_EQ(MainWindowInFront(), running);
    EXPECT_TRUE(OutputShows(running, QStringLiteral("http://a/b")));
    Click(running, ExitX, ExitY);
    ASSERT_TRUE(program_.waitForFinished(60000));

    // Nothing runs now: xdg-open starts the program, and waits for it.
    Start(opener_, QStringLiteral("xdg-open"), {QStringLiteral("thunder://QUFodHRwOi8vYy9kWlo=")});
    const QString started = MainWindowInFront();
    EXPECT_TRUE(OutputShows(started, QStringLiteral("http://c/d")));
    Click(started, ExitX, ExitY);
    ASSERT_TRUE(opener_.waitForFinished(60000));
    EXPECT_EQ(opener_.exitCode(), 0);
}

}  // namespace
}  // namespace velkrant
