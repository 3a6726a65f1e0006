// The program on a Wayland session: weston's headless backend with
// XWayland, the real start-up (the probe), driven as a user does: convert a
// link, tick the batch box, convert a list. Left to itself the program asks
// for XWayland, where an X client may ask for its windows' places; told to
// use Wayland, it leaves them to the compositor.

#include "TestSupport.h"
#include "VirtualDesktop.h"
#include "WaylandDesktop.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <ostream>
#include <string>

namespace velkrant {
namespace {

using namespace std::chrono_literals;

struct SessionCase {
    const char* name;
    const char* platformSet;  // QT_QPA_PLATFORM; empty: unset, as a session has it
    const char* platformUsed;
};

void PrintTo(const SessionCase& c, std::ostream* os) {
    *os << c.name;
}

// The probe's report: "key: value" lines.
std::map<std::string, std::string> Report(const QByteArray& output) {
    std::map<std::string, std::string> report;
    for (const QByteArray& line : output.split('\n')) {
        const qsizetype colon = line.indexOf(": ");
        if (colon > 0) report[line.left(colon).toStdString()] = line.mid(colon + 2).toStdString();
    }
    return report;
}

// The window X window `id` is transient for, as XWayland holds it; empty
// when none.
QString TransientFor(const QProcessEnvironment& environment, const QString& id) {
    const QString line =
        test::RunTool(environment, QStringLiteral("xprop"), {QStringLiteral("-id"), id, QStringLiteral("WM_TRANSIENT_FOR")});
    const QRegularExpressionMatch match = QRegularExpression(QStringLiteral("window id # (0x[0-9a-f]+)")).match(line);
    return match.hasMatch() ? match.captured(1) : QString();
}

class WaylandSessionTest : public testing::TestWithParam<SessionCase> {
protected:
    void TearDown() override { test::Stop(probe_); }

    test::WaylandDesktop desktop_{QSize(1280, 900)};
    QProcess probe_;
};

TEST_P(WaylandSessionTest, StartsConvertsAndOpensTheBatchWindow) {
    ASSERT_TRUE(desktop_.Error().isEmpty()) << desktop_.Error().toStdString();
    QProcessEnvironment environment = desktop_.Environment();
    if (*GetParam().platformSet != '\0') {
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QString::fromLatin1(GetParam().platformSet));
    }
    environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    test::EndWithTestProcess(probe_);
    probe_.setProcessEnvironment(environment);
    probe_.start(QStringLiteral(VELKRANT_PROBE), {QStringLiteral("--convert")});
    ASSERT_TRUE(probe_.waitForStarted());
    QByteArray output;
    test::WaitFor(
        [&] {
            probe_.waitForReadyRead(50);
            output += probe_.readAllStandardOutput();
            return output.contains("windows: ") || probe_.state() == QProcess::NotRunning;
        },
        180s);
    std::map<std::string, std::string> report = Report(output);
    ASSERT_TRUE(report.count("windows")) << output.toStdString() << probe_.readAllStandardError().toStdString();

    EXPECT_EQ(report["platform"], GetParam().platformUsed);
    EXPECT_EQ(report["converted"], "http://a/b");
    EXPECT_EQ(report["batch open"], "1");
    EXPECT_EQ(report["batch converted"], "http://a/c|// 普通协议,不需要解密!");
    EXPECT_EQ(report["message"], "批量处理已完成!|提示|information");
    if (report["platform"] != "xcb") return;
    // weston's shell places X windows itself, whatever position they ask
    // for (the X server's coordinates are not the screen's there); what
    // keeps the batch window with the main window is that it belongs to it.
    const QStringList ids = QString::fromStdString(report["windows"]).split(u' ');
    ASSERT_EQ(ids.size(), 2);
    EXPECT_EQ(TransientFor(environment, ids[1]), QStringLiteral("0x%1").arg(ids[0].toULongLong(), 0, 16));
}

INSTANTIATE_TEST_SUITE_P(Sessions, WaylandSessionTest,
                         testing::Values(SessionCase{"PlatformUnsetTakesXWayland", "", "xcb"},
                                         SessionCase{"PlatformWayland", "wayland", "wayland"}),
                         test::RowName);

}  // namespace
}  // namespace velkrant
