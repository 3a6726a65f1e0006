#include "SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

namespace velkrant {
namespace {

// Both programs are started with their own runtime directory, so the tests
// never meet a Velkrant the user is running, nor each other. The lock's
// folder is named by XDG_RUNTIME_DIR on Linux and by TMP and TEMP on
// Windows; each system ignores the others' names.
class InstanceTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(runtime_.isValid());
        environment_ = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"XDG_RUNTIME_DIR", "TMP", "TEMP"}) {
            environment_.insert(QString::fromLatin1(name), QDir::toNativeSeparators(runtime_.path()));
        }
        environment_.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    }

    void TearDown() override {
        for (QProcess* process : {&first_, &second_}) {
            if (process->state() != QProcess::NotRunning) {
                process->kill();
                process->waitForFinished();
            }
        }
    }

    QString LockPath() const { return QDir(runtime_.path()).filePath(QStringLiteral("velkrant.lock")); }

    // Starts the real program and waits until it holds the lock.
    void StartProgram() {
        first_.setProcessEnvironment(environment_);
        first_.start(QStringLiteral(VELKRANT_PROGRAM), {});
        ASSERT_TRUE(first_.waitForStarted());
        ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(LockPath()); }, 30000));
    }

    // Runs the probe to its end and returns what it printed, its lines
    // ended by LF (Windows' C runtime writes CR LF).
    std::string RunProbe(const QStringList& arguments = {}) {
        second_.setProcessEnvironment(environment_);
        second_.start(QStringLiteral(VELKRANT_PROBE), arguments);
        EXPECT_TRUE(second_.waitForFinished(60000));
        EXPECT_EQ(second_.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(second_.exitCode(), 0) << second_.readAllStandardError().toStdString();
        return second_.readAllStandardOutput().replace("\r\n", "\n").toStdString();
    }

    QTemporaryDir runtime_;
    QProcessEnvironment environment_;
    QProcess first_;
    QProcess second_;
};

TEST_F(InstanceTest, SecondStartIsRefusedWithNoticeAndNoWindow) {
    StartProgram();
    EXPECT_EQ(RunProbe(), "message: 该程序已运行|提示|information\nended\n");
    EXPECT_EQ(first_.state(), QProcess::Running) << "the first instance stays as it was";
}

TEST_F(InstanceTest, LockOfKilledProcessDoesNotBlockNextStart) {
    StartProgram();
    first_.kill();  // SIGKILL: the lock file stays behind
    ASSERT_TRUE(first_.waitForFinished());
    ASSERT_TRUE(QFile::exists(LockPath()));
    EXPECT_EQ(RunProbe(), "shown: 1\nended\n");
}

TEST_F(InstanceTest, ClosingMainWindowDuringSlideEndsTheProgram) {
    EXPECT_EQ(RunProbe({QStringLiteral("--close-during-slide")}), "shown: 1\nslide returned\nended\n");
}

TEST(LockTest, NoWritableRuntimeDirectoryStartsRatherThanRefusesForGood) {
    QTemporaryDir directory;
    SingleInstance instance(QDir(directory.path()).filePath(QStringLiteral("missing/velkrant.lock")));
    EXPECT_FALSE(instance.AnotherIsRunning());
}

}  // namespace
}  // namespace velkrant
