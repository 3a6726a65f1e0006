#pragma once
// List files: one link per line, CR LF line ends, in the code page (a list
// holding only CJK characters beyond ASCII that is valid UTF-8 is read as
// UTF-8, as the core reads any bytes).

#include <QString>

#include <string>

namespace velkrant::ListFile {

/// The text for the input box: the file's lines joined by CR LF, nothing
/// after the last one. A line ends at CR or CR LF; a lone LF stays inside
/// its line. The whole file is read before the text is built, so a failure
/// gives no partial text. Throws NumberedError (codes in FileBytes.h).
///
///     // file bytes "a\r\nb\r\n\r\n"
///     ListFile::Read(path) == u"a\r\nb\r\n"
std::u16string Read(const QString& path);

/// Saves `text` followed by one CR LF, in the code page, replacing the
/// file atomically (FileBytes::Save). Throws NumberedError.
///
///     ListFile::Write(path, QStringLiteral("a\r\nb"));  // file bytes "a\r\nb\r\n"
void Write(const QString& path, const QString& text);

}  // namespace velkrant::ListFile
