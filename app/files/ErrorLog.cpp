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

// The first character of a format that is neither a field letter, a
// space nor a quote: what the locale puts between the fields.
QChar SeparatorIn(const QString& format, QChar fallback) {
    for (const QChar c : format) {
        if (!c.isLetter() && !c.isSpace() && c != u'\'') return c;
    }
    return fallback;
}

}  // namespace

Separators SeparatorsOf(const QLocale& locale) {
    const Separators fallback;
    return {SeparatorIn(locale.dateFormat(QLocale::ShortFormat), fallback.date),
            SeparatorIn(locale.timeFormat(QLocale::ShortFormat), fallback.time)};
}

QString FileName() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() + QStringLiteral(".log");
}

QString Line(const QDateTime& when, int code, const QString& description, Separators separators) {
    const auto digits = [](int value, int width) { return QString::number(value).rightJustified(width, u'0'); };
    const QDate date = when.date();
    const QTime time = when.time();
    return digits(date.year(), 4) + separators.date + digits(date.month(), 2) + separators.date +
           digits(date.day(), 2) + u'\t' + digits(time.hour(), 2) + separators.time + digits(time.minute(), 2) +
           separators.time + digits(time.second(), 2) + u'\t' + QString::number(code) + u'\t' + description;
}

void Write(int code, const QString& description, const QString& listFile) noexcept {
    try {
        const QString path = FileName();
        if (!listFile.isEmpty() && SameFile(path, listFile)) {
            return;
        }
        const QString line = Line(QDateTime::currentDateTime(), code, description, SeparatorsOf(QLocale::system())) +
                             QStringLiteral("\r\n");
        FileBytes::Save(path, CodePage::TextToBytes(line.toStdU16String()));
    } catch (...) {
        // A log is a courtesy; failing to write it must not turn one
        // reported failure into two.
    }
}

}  // namespace velkrant::ErrorLog
