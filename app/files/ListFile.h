#pragma once
// List files: one link per line, CR LF line ends. They are written in the
// code page, which the download managers reading them expect; a list saved
// by an editor in UTF-8 is read as UTF-8.

#include "CodePage.h"

#include <QString>

#include <string>

namespace velkrant::ListFile {

/// The text of a list file's bytes. A file that starts with the UTF-8
/// byte-order mark, or is valid UTF-8 as a whole and holds a non-ASCII
/// character, is UTF-8 (the mark is dropped); anything else is in the code
/// page. Editors save UTF-8 by default now, and read through the code page
/// such a list would come out garbled ("café" as "caf茅").
///
///     DecodeBytes(Bytes{0xEF, 0xBB, 0xBF, 'c', 'a', 'f', 0xC3, 0xA9}) == u"café"
std::u16string DecodeBytes(BytesView bytes);

/// The text for the input box: the file's lines (DecodeBytes) joined by
/// CR LF, nothing after the last one. A line ends at CR or CR LF; a lone LF stays inside
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
