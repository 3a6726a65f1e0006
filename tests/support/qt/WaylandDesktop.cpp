#include "WaylandDesktop.h"

#include "VirtualDesktop.h"

#include <QFile>
#include <QRegularExpression>

namespace velkrant::test {

namespace {

using namespace std::chrono_literals;

const QString Socket = QStringLiteral("wayland-velkrant");

}  // namespace

WaylandDesktop::WaylandDesktop(QSize screen) {
    if (!runtime_.isValid()) {
        error_ = QStringLiteral("no runtime folder: ") + runtime_.errorString();
        return;
    }
    QFile::setPermissions(runtime_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("DISPLAY"));
    EndWithTestProcess(compositor_);
    compositor_.setProcessEnvironment(environment);
    compositor_.setProcessChannelMode(QProcess::MergedChannels);
    compositor_.start(QStringLiteral("weston"),
                      {QStringLiteral("--backend=headless-backend.so"), QStringLiteral("--xwayland"),
                       QStringLiteral("--socket=") + Socket, QStringLiteral("--width=%1").arg(screen.width()),
                       QStringLiteral("--height=%1").arg(screen.height()), QStringLiteral("--idle-time=0")});
    // weston logs which display its XWayland serves once it listens there;
    // XWayland itself starts with the first X client.
    const QRegularExpression listening(QStringLiteral("xserver listening on display (:\\d+)"));
    QString log;
    const bool up = WaitFor(
        [&] {
            compositor_.waitForReadyRead(50);
            log += QString::fromLocal8Bit(compositor_.readAll());
            return compositor_.state() == QProcess::NotRunning ||
                   (listening.match(log).hasMatch() && QFile::exists(runtime_.filePath(Socket)));
        },
        180s);
    if (!up || compositor_.state() == QProcess::NotRunning) {
        error_ = QStringLiteral("weston did not come up with XWayland: ") + log;
        return;
    }
    display_ = listening.match(log).captured(1);
}

WaylandDesktop::~WaylandDesktop() {
    Stop(compositor_);
}

QProcessEnvironment WaylandDesktop::Environment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
    environment.insert(QStringLiteral("WAYLAND_DISPLAY"), Socket);
    environment.insert(QStringLiteral("DISPLAY"), display_);
    environment.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    return environment;
}

}  // namespace velkrant::test
