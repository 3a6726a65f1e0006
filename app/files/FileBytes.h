#pragma once
// Whole-file reads and safe saves of raw bytes, with every failure turned
// into a numbered error whose code is stable (it is written to the error
// log): ErrOutOfMemory, ErrFileNotFound, ErrDeviceIo, ErrPermissionDenied,
// ErrPathFileAccess and ErrPathNotFound of NumberedError.h.

#include "CodePage.h"
#include "NumberedError.h"

#include <QString>

namespace velkrant::FileBytes {

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
