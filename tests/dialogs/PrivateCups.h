#pragma once
// A print server of the test process's own: a cupsd whose configuration,
// spool, logs and socket live in a temporary folder, reached through
// CUPS_SERVER. Printer tests run against it, never against the system's
// print service, and change nothing outside that folder.
//
// An environment set up before the first test points CUPS_SERVER at the
// server's socket for the whole process (whether the server runs or not,
// so a test without it sees a system without printers), and stops the
// server after the last test; the server also ends with the process if
// that dies first.

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace velkrant::test {

class PrivateCups {
public:
    /// The process's server.
    static PrivateCups& Instance();

    /// Starts the server unless it runs. Fails, within seconds, with the
    /// server's own words when it cannot start.
    testing::AssertionResult Start();

    /// Makes the server's queues exactly `names` (queues that need no
    /// hardware), the first one the default.
    testing::AssertionResult SetQueues(const QStringList& names);

    void Stop();

    /// Where clients reach the server.
    QString Socket() const { return dir_.filePath(QStringLiteral("cups.sock")); }

private:
    PrivateCups();
    testing::AssertionResult WriteConfiguration() const;
    testing::AssertionResult WaitUntilListening();
    testing::AssertionResult Failure(const QString& what) const;

    QTemporaryDir dir_;
    std::unique_ptr<QProcess> cupsd_;
    QStringList queues_;
};

}  // namespace velkrant::test
