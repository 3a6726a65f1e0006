#pragma once
// Whole-file reads and safe saves of raw bytes, with every failure turned
// into a numbered error whose code is stable (it is written to the error
// log):
//    7 Out of memory            the file is far larger than a list can be
//   53 File not found           the file to read does not exist
//   57 Device I/O error         reading or writing the data failed
//   70 Permission denied        the file or its folder may not be used
//   75 Path/File access error   a folder stands where the file should be,
//                               or the system refused for another reason
//   76 Path not found           the folder part does not exist, or is a file

#include "CodePage.h"

#include <QString>

namespace velkrant::FileBytes {

inline constexpr int ErrOutOfMemory = 7;
inline constexpr int ErrFileNotFound = 53;
inline constexpr int ErrDeviceIo = 57;
inline constexpr int ErrPermissionDenied = 70;
inline constexpr int ErrPathFileAccess = 75;
inline constexpr int ErrPathNotFound = 76;

/// Reads at most this many bytes; a list is never near it, while a device
/// such as an endless stream would otherwise fill the memory.
inline constexpr qint64 ReadLimit = qint64{256} << 20;

/// The whole content of a file, read before anything else happens with it.
/// Throws NumberedError. A pipe with no writer reads as empty, never waits.
///
///     const Bytes bytes = FileBytes::ReadAll(QStringLiteral("/tmp/links.lst"));
Bytes ReadAll(const QString& path);

/// Makes `bytes` the file's whole content. A new or regular file is
/// replaced atomically: after a failure the old file is exactly as it was.
/// An existing device or pipe is written into directly, never replaced; a
/// pipe without a reader fails at once instead of waiting. Throws
/// NumberedError.
///
///     FileBytes::Save(QStringLiteral("/tmp/out.lst"), CodePage::TextToBytes(u"a\r\n"));
void Save(const QString& path, BytesView bytes);

}  // namespace velkrant::FileBytes
