#include "VirtualDesktop.h"

#include <QRegularExpression>
#include <QThread>

#include <csignal>
#include <sys/prctl.h>

namespace velkrant::test {

namespace {

using namespace std::chrono_literals;

// Ceilings far above the normal time (a second or two): on a machine
// busy with a long compile, starting the server or the window manager can
// take many times longer, and that is no fault of the program. A process
// that ends early is reported at once all the same.
constexpr int StartLimitMs = 180000;
constexpr int ToolLimitMs = 60000;

// The numbers after "=" in an xprop line ("_NET_FRAME_EXTENTS(CARDINAL) = 1, 1, 20, 1").
std::vector<int> PropertyNumbers(const QString& line) {
    std::vector<int> numbers;
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0) return numbers;
    for (const QString& part : line.mid(equals + 1).split(u',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int value = part.trimmed().toInt(&ok, 0);
        if (ok) numbers.push_back(value);
    }
    return numbers;
}

// The window ids of an xprop line ("_NET_CLIENT_LIST(WINDOW): window id # 0x400006, 0x400010").
std::vector<QString> WindowIds(const QString& line) {
    std::vector<QString> ids;
    const qsizetype hash = line.indexOf(u'#');
    if (hash < 0) return ids;
    for (const QString& id : line.mid(hash + 1).split(u',', Qt::SkipEmptyParts)) {
        ids.push_back(id.trimmed());
    }
    return ids;
}

// A field of xwininfo's report, as "  Width: 463".
int WindowInfoField(const QString& report, const QString& field) {
    const QRegularExpression pattern(QStringLiteral("^\\s*%1:\\s*(-?\\d+)").arg(QRegularExpression::escape(field)),
                                     QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = pattern.match(report);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

}  // namespace

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        QThread::msleep(50);
    }
    return true;
}

void EndWithTestProcess(QProcess& process) {
    process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

void Stop(QProcess& process) {
    if (process.state() == QProcess::NotRunning) return;
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

VirtualDesktop::VirtualDesktop(QSize screen) {
    if (StartServer(screen)) StartWindowManager();
}

VirtualDesktop::~VirtualDesktop() {
    Stop(windowManager_);
    Stop(server_);
}

bool VirtualDesktop::StartServer(QSize screen) {
    // -displayfd: the server takes the first free display and says which
    // on the given descriptor, here its standard output.
    EndWithTestProcess(server_);
    server_.setProcessChannelMode(QProcess::SeparateChannels);
    server_.start(QStringLiteral("Xvfb"),
                  {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                   QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height()), QStringLiteral("-nolisten"),
                   QStringLiteral("tcp")});
    if (!server_.waitForStarted(StartLimitMs)) {
        error_ = QStringLiteral("Xvfb does not start: ") + server_.errorString();
        return false;
    }
    QByteArray number;
    const bool said = WaitFor(
        [&] {
            server_.waitForReadyRead(50);
            number += server_.readAllStandardOutput();
            return number.contains('\n') || server_.state() == QProcess::NotRunning;
        },
        std::chrono::milliseconds(StartLimitMs));
    if (!said || !number.contains('\n')) {
        error_ = QStringLiteral("Xvfb named no display: ") + QString::fromLocal8Bit(server_.readAllStandardError());
        return false;
    }
    display_ = u':' + QString::fromLatin1(number.trimmed());
    return true;
}

bool VirtualDesktop::StartWindowManager() {
    EndWithTestProcess(windowManager_);
    windowManager_.setProcessEnvironment(Environment());
    windowManager_.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    if (!windowManager_.waitForStarted(StartLimitMs)) {
        error_ = QStringLiteral("openbox does not start: ") + windowManager_.errorString();
        return false;
    }
    // A window manager announces itself on the root window once it runs.
    const bool managing = WaitFor(
        [&] {
            return windowManager_.state() == QProcess::NotRunning ||
                   Run(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
                       .contains(QStringLiteral("window id"));
        },
        std::chrono::milliseconds(StartLimitMs));
    if (!managing || windowManager_.state() == QProcess::NotRunning) {
        error_ = QStringLiteral("openbox did not take over the display: ") +
                 QString::fromLocal8Bit(windowManager_.readAllStandardError());
        return false;
    }
    return true;
}

QProcessEnvironment VirtualDesktop::Environment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display_);
    return environment;
}

QString RunTool(const QProcessEnvironment& environment, const QString& program, const QStringList& arguments) {
    QProcess tool;
    EndWithTestProcess(tool);
    tool.setProcessEnvironment(environment);
    tool.start(program, arguments);
    if (!tool.waitForFinished(ToolLimitMs)) {
        tool.kill();
        tool.waitForFinished();
        return {};
    }
    return tool.exitCode() == 0 ? QString::fromLocal8Bit(tool.readAllStandardOutput()) : QString();
}

QString VirtualDesktop::Run(const QString& program, const QStringList& arguments) const {
    return RunTool(Environment(), program, arguments);
}

std::vector<QString> VirtualDesktop::ManagedWindows() const {
    return WindowIds(Run(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST")}));
}

QRect VirtualDesktop::OuterFrame(const QString& id) const {
    const QString info = Run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id});
    if (info.isEmpty()) return {};
    const std::vector<int> extents = PropertyNumbers(
        Run(QStringLiteral("xprop"), {QStringLiteral("-id"), id, QStringLiteral("_NET_FRAME_EXTENTS")}));
    // left, right, top, bottom; a window not framed yet has none.
    const int left = extents.size() == 4 ? extents[0] : 0;
    const int right = extents.size() == 4 ? extents[1] : 0;
    const int top = extents.size() == 4 ? extents[2] : 0;
    const int bottom = extents.size() == 4 ? extents[3] : 0;
    return {WindowInfoField(info, QStringLiteral("Absolute upper-left X")) - left,
            WindowInfoField(info, QStringLiteral("Absolute upper-left Y")) - top,
            WindowInfoField(info, QStringLiteral("Width")) + left + right,
            WindowInfoField(info, QStringLiteral("Height")) + top + bottom};
}

QString VirtualDesktop::ActiveWindow() const {
    const std::vector<QString> active =
        WindowIds(Run(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_ACTIVE_WINDOW")}));
    return active.empty() ? QString() : active.front();
}

}  // namespace velkrant::test
