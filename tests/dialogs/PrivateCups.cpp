#include "PrivateCups.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <csignal>
#include <cstring>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace velkrant::test {

namespace {

// A generic PDF printer's description, from the printer-driver-cups-pdf
// package: it knows paper, resolution and colour. The queues print into
// /dev/null, which needs no hardware and no backend that only root may run.
const char* const QueueDescription = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd";

constexpr int StartSeconds = 15;
constexpr int CommandMilliseconds = 15000;

QString Tool(const QString& name) {
    const QString found = QStandardPaths::findExecutable(name);
    return found.isEmpty() ? QStandardPaths::findExecutable(name, {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin")})
                           : found;
}

testing::AssertionResult Run(const QString& tool, const QStringList& arguments) {
    const QString program = Tool(tool);
    if (program.isEmpty()) {
        return testing::AssertionFailure() << tool.toStdString() << " not found; scripts/setup.sh installs it";
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(CommandMilliseconds) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        process.kill();
        process.waitForFinished();
        return testing::AssertionFailure() << tool.toStdString() << ' ' << arguments.join(u' ').toStdString()
                                           << " failed: " << process.readAll().toStdString();
    }
    return testing::AssertionSuccess();
}

// True when something accepts connections on the socket at `path`.
bool Listening(const QString& path) {
    const QByteArray name = path.toLocal8Bit();
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (name.size() >= static_cast<qsizetype>(sizeof(address.sun_path))) return false;
    std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    const bool connected =
        socket >= 0 && ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    if (socket >= 0) ::close(socket);
    return connected;
}

bool WriteFile(const QString& path, const QString& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text.toUtf8()) >= 0;
}

class Environment : public testing::Environment {
    void SetUp() override {
        qputenv("CUPS_SERVER", PrivateCups::Instance().Socket().toLocal8Bit());
        // A user's choice of printer would override the server's default.
        qunsetenv("PRINTER");
        qunsetenv("LPDEST");
    }
    void TearDown() override { PrivateCups::Instance().Stop(); }
};

[[maybe_unused]] testing::Environment* const registered = testing::AddGlobalTestEnvironment(new Environment);

}  // namespace

// Under /tmp, whatever TMPDIR says: a confined cupsd may use /tmp and
// little else, and the socket's path must stay short.
PrivateCups::PrivateCups() : dir_(QStringLiteral("/tmp/velkrant-cups-XXXXXX")) {}

PrivateCups& PrivateCups::Instance() {
    static PrivateCups cups;
    return cups;
}

testing::AssertionResult PrivateCups::Start() {
    if (cupsd_ && cupsd_->state() == QProcess::Running) {
        return testing::AssertionSuccess();
    }
    if (!dir_.isValid()) {
        return testing::AssertionFailure() << "no temporary folder for the print server";
    }
    if (testing::AssertionResult written = WriteConfiguration(); !written) {
        return written;
    }
    const QString program = Tool(QStringLiteral("cupsd"));
    if (program.isEmpty()) {
        return testing::AssertionFailure() << "cupsd not found; scripts/setup.sh installs it";
    }
    cupsd_ = std::make_unique<QProcess>();
    cupsd_->setProcessChannelMode(QProcess::MergedChannels);
    // Stays in the foreground, so that it is this process's child, and
    // ends when this process does, even if it dies without cleaning up.
    cupsd_->setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    cupsd_->start(program, {QStringLiteral("-f"), QStringLiteral("-c"), dir_.filePath(QStringLiteral("cupsd.conf")),
                            QStringLiteral("-s"), dir_.filePath(QStringLiteral("cups-files.conf"))});
    if (!cupsd_->waitForStarted(StartSeconds * 1000)) {
        return Failure(QStringLiteral("cupsd did not start: ") + cupsd_->errorString());
    }
    return WaitUntilListening();
}

testing::AssertionResult PrivateCups::SetQueues(const QStringList& names) {
    for (const QString& queue : queues_) {
        if (!names.contains(queue)) {
            if (testing::AssertionResult removed = Run(QStringLiteral("lpadmin"), {QStringLiteral("-x"), queue});
                !removed) {
                return removed;
            }
        }
    }
    if (!names.isEmpty() && !QFileInfo::exists(QString::fromLatin1(QueueDescription))) {
        return testing::AssertionFailure() << QueueDescription << " is missing; scripts/setup.sh installs it";
    }
    for (const QString& queue : names) {
        if (!queues_.contains(queue)) {
            if (testing::AssertionResult added = Run(QStringLiteral("lpadmin"),
                                                     {QStringLiteral("-p"), queue, QStringLiteral("-E"),
                                                      QStringLiteral("-v"), QStringLiteral("file:///dev/null"),
                                                      QStringLiteral("-P"), QString::fromLatin1(QueueDescription)});
                !added) {
                return added;
            }
        }
    }
    queues_ = names;
    return names.isEmpty() ? testing::AssertionSuccess()
                           : Run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), names.front()});
}

void PrivateCups::Stop() {
    if (!cupsd_) return;
    cupsd_->terminate();
    if (!cupsd_->waitForFinished(5000)) {
        cupsd_->kill();
        cupsd_->waitForFinished();
    }
    cupsd_.reset();
    queues_.clear();
}

testing::AssertionResult PrivateCups::WriteConfiguration() const {
    const QDir root(dir_.path());
    for (const char* folder : {"spool", "cache", "state", "tmp", "log"}) {
        if (!root.mkpath(QString::fromLatin1(folder))) {
            return testing::AssertionFailure() << "cannot create " << folder << " for the print server";
        }
    }
    const QString server = QStringLiteral(
                               "Listen %1\n"
                               "Browsing No\n"
                               "WebInterface No\n"
                               "LogLevel warn\n"
                               "DefaultAuthType None\n"
                               "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                               "<Policy default>\n  <Limit All>\n    Order allow,deny\n    Allow all\n  </Limit>\n"
                               "</Policy>\n")
                               .arg(Socket());
    const QString files = QStringLiteral(
                              "ServerRoot %1\n"
                              "RequestRoot %1/spool\n"
                              "CacheDir %1/cache\n"
                              "StateDir %1/state\n"
                              "TempDir %1/tmp\n"
                              "AccessLog %1/log/access_log\n"
                              "ErrorLog %1/log/error_log\n"
                              "PageLog %1/log/page_log\n"
                              "SystemGroup root\n"
                              "FileDevice Yes\n")
                              .arg(dir_.path());
    if (!WriteFile(root.filePath(QStringLiteral("cupsd.conf")), server) ||
        !WriteFile(root.filePath(QStringLiteral("cups-files.conf")), files)) {
        return testing::AssertionFailure() << "cannot write the print server's configuration";
    }
    return testing::AssertionSuccess();
}

testing::AssertionResult PrivateCups::WaitUntilListening() {
    for (int waited = 0; waited < StartSeconds * 1000; waited += 100) {
        if (Listening(Socket())) {
            return testing::AssertionSuccess();
        }
        if (cupsd_->waitForFinished(100)) {
            return Failure(QStringLiteral("cupsd ended at start-up"));
        }
    }
    testing::AssertionResult failure = Failure(QStringLiteral("cupsd did not listen within %1 seconds").arg(StartSeconds));
    Stop();
    return failure;
}

testing::AssertionResult PrivateCups::Failure(const QString& what) const {
    QFile log(dir_.filePath(QStringLiteral("log/error_log")));
    const QByteArray logged = log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
    const QByteArray said = cupsd_ ? cupsd_->readAll() : QByteArray();
    return testing::AssertionFailure() << what.toStdString() << "\n" << said.toStdString() << logged.toStdString();
}

}  // namespace velkrant::test
