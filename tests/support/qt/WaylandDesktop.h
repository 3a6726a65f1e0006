#pragma once
// A Wayland session of the test's own: weston's headless backend with
// XWayland, in a runtime folder of its own, so that a program comes up as
// it does on a user's Wayland desktop (WAYLAND_DISPLAY and DISPLAY both
// set). It fails at once when weston ends, waits with a ceiling far above
// the normal time otherwise, and goes with the object (or with the test
// process, should that die first).

#include <QProcess>
#include <QSize>
#include <QString>
#include <QTemporaryDir>

namespace velkrant::test {

class WaylandDesktop {
public:
    /// Starts weston with one output of `screen` pixels and waits until
    /// both its socket and XWayland's display are there; check Error().
    explicit WaylandDesktop(QSize screen);
    ~WaylandDesktop();
    WaylandDesktop(const WaylandDesktop&) = delete;
    WaylandDesktop& operator=(const WaylandDesktop&) = delete;

    /// Why the session is not up; empty when it is.
    QString Error() const { return error_; }

    /// A Wayland session's environment: this process's, with the
    /// compositor's runtime folder and socket, XWayland's DISPLAY,
    /// XDG_SESSION_TYPE=wayland and no QT_QPA_PLATFORM.
    QProcessEnvironment Environment() const;

private:
    QTemporaryDir runtime_;
    QProcess compositor_;
    QString display_;
    QString error_;
};

}  // namespace velkrant::test
