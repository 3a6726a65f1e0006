#include "ErrorLog.h"

#include "CodePage.h"
#include "FileBytes.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace velkrant::ErrorLog {

namespace {

bool SameFile(const QString& a, const QString& b) {
    const QFileInfo first(a);
    const QFileInfo second(b);
    if (first.exists() && second.exists()) {
        return first.canonicalFilePath() == second.canonicalFilePath();
    }
    return first.absoluteFilePath() == second.absoluteFilePath();
}

}  // namespace

QString FileName() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() + QStringLiteral(".log");
}

QString Line(const QDateTime& when, int code, const QString& description) {
    const QDate date = when.date();
    const QTime time = when.time();
    return QString::asprintf("%04d/%02d/%02d\t%02d:%02d:%02d\t%d\t", date.year(), date.month(), date.day(),
                             time.hour(), time.minute(), time.second(), code) +
           description;
}

void Write(int code, const QString& description, const QString& listFile) noexcept {
    try {
        const QString path = FileName();
        if (!listFile.isEmpty() && SameFile(path, listFile)) {
            return;
        }
        const QString line = Line(QDateTime::currentDateTime(), code, description) + QStringLiteral("\r\n");
        FileBytes::Save(path, CodePage::TextToBytes(line.toStdU16String()));
    } catch (...) {
        // A log is a courtesy; failing to write it must not turn one
        // reported failure into two.
    }
}

}  // namespace velkrant::ErrorLog
