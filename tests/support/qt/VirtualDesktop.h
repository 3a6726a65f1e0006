#pragma once
// A desktop of the test's own: an X server (Xvfb, on whichever display is
// free) with the openbox window manager, for what only a real window
// manager shows: frames, placement by outer frame, sizing borders. It
// needs no display beforehand, fails at once when a process of it ends
// (a busy machine only makes it wait longer), and goes with the object (or
// with the test process, should that die first).

#include <QProcess>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>
#include <vector>

namespace velkrant::test {

class VirtualDesktop {
public:
    /// Starts the server with one screen of `screen` pixels, then the
    /// window manager; check Error() before use.
    explicit VirtualDesktop(QSize screen);
    ~VirtualDesktop();
    VirtualDesktop(const VirtualDesktop&) = delete;
    VirtualDesktop& operator=(const VirtualDesktop&) = delete;

    /// Why the desktop is not up; empty when it is.
    QString Error() const { return error_; }

    /// The environment a program on this desktop runs in: this process's,
    /// with DISPLAY pointing here.
    QProcessEnvironment Environment() const;

    /// Runs an X tool (xdotool, xprop, xwininfo) on this desktop and gives
    /// its standard output; empty when it fails or takes over a minute.
    ///
    ///     desktop.Run("xdotool", {"key", "alt+b"});
    QString Run(const QString& program, const QStringList& arguments) const;

    /// The windows the window manager manages, oldest first.
    std::vector<QString> ManagedWindows() const;

    /// The outer frame of window `id` as the window manager draws it, in
    /// screen pixels; an invalid rectangle when the window is gone.
    QRect OuterFrame(const QString& id) const;

    /// The window that has the keyboard focus.
    QString ActiveWindow() const;

private:
    bool StartServer(QSize screen);
    bool StartWindowManager();

    QProcess server_;
    QProcess windowManager_;
    QString display_;
    QString error_;
};

/// Runs an X tool in `environment` (its DISPLAY names the server) and gives
/// its standard output; empty when it fails or takes over a minute.
QString RunTool(const QProcessEnvironment& environment, const QString& program, const QStringList& arguments);

/// Polls `done` every 50 ms until it holds or `limit` has passed.
bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit);

/// Makes `process` end when the test process ends, however it ends.
void EndWithTestProcess(QProcess& process);

/// Ends `process`: politely, then for good.
void Stop(QProcess& process);

}  // namespace velkrant::test
