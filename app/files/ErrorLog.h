#pragma once
// The error log: one line about the latest failed import or export, kept
// in the current directory under the program's own name. Each failure
// replaces the whole file; nothing is ever appended.

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace velkrant::ErrorLog {

/// The executable's file name without its extension, plus ".log"; relative,
/// so it names a file in the current directory.
///
///     ErrorLog::FileName() == u"velkrant.log"   // for velkrant or velkrant.exe
QString FileName();

/// The characters a locale writes between the parts of a short date and
/// of a time.
struct Separators {
    QChar date = u'/';
    QChar time = u':';
};

/// The locale's separators; "/" and ":" where its formats show none.
///
///     SeparatorsOf(QLocale(QLocale::German)).date == u'.'
Separators SeparatorsOf(const QLocale& locale);

/// The log line, without its CR LF: date (year, month, day), time (hours,
/// minutes, seconds), code and description, separated by tabs.
///
///     Line(QDateTime({2024, 3, 5}, {7, 8, 9}), 53, QStringLiteral("File not found"))
///         == u"2024/03/05\t07:08:09\t53\tFile not found"
QString Line(const QDateTime& when, int code, const QString& description, Separators separators = {});

/// Replaces the log with the line for a failure that happened now, with
/// the system locale's separators, in the code page. Never throws: a log that cannot be written is skipped. The
/// list file the failure concerns is never overwritten, even when the user
/// picked the log's own name as the list.
void Write(int code, const QString& description, const QString& listFile = {}) noexcept;

}  // namespace velkrant::ErrorLog
