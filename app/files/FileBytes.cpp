#include "FileBytes.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace velkrant::FileBytes {

namespace {

NumberedError Failure(ErrorNumber number, const QString& detail) {
    return NumberedError::FromTable(number, detail.toStdU16String());
}

// The system's reasons for refusing an open are many; what the user can act
// on is which part of the path is wrong, so that is what the code tells.
NumberedError OpenFailure(const QString& path, bool forWriting, const QString& detail) {
    const QFileInfo info(path);
    const QFileInfo folder(info.absolutePath());
    if (info.isDir()) {
        return Failure(ErrPathFileAccess, detail);
    }
    if (!folder.isDir()) {
        return Failure(ErrPathNotFound, detail);
    }
    if (!info.exists() && !forWriting) {
        return Failure(ErrFileNotFound, detail);
    }
    const bool allowed = forWriting ? (info.exists() ? info.isWritable() : true) && folder.isWritable()
                                    : info.isReadable();
    if (!allowed) {
        return Failure(ErrPermissionDenied, detail);
    }
    return Failure(ErrPathFileAccess, detail);
}

NumberedError DataFailure(const QString& detail) {
    return Failure(ErrDeviceIo, detail);
}

// Opens a device or pipe without waiting for the other end: a pipe with no
// writer then reads as empty, and one with no reader refuses to be written.
void OpenWithoutWaiting(QFile& file, const QString& path, QIODevice::OpenMode mode) {
#ifdef Q_OS_UNIX
    const int access = mode.testFlag(QIODevice::WriteOnly) ? O_WRONLY : O_RDONLY;
    const int fd = ::open(QFile::encodeName(path).constData(), access | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        throw OpenFailure(path, access == O_WRONLY, QString::fromLocal8Bit(std::strerror(errno)));
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) < 0 ||
        !file.open(fd, mode | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw OpenFailure(path, access == O_WRONLY, file.errorString());
    }
#else
    file.setFileName(path);
    if (!file.open(mode | QIODevice::Unbuffered)) {
        throw OpenFailure(path, mode.testFlag(QIODevice::WriteOnly), file.errorString());
    }
#endif
}

// A short write is followed by another attempt, which then reports why
// the rest does not fit (file too large, disk full).
void WriteAll(QFileDevice& file, BytesView bytes) {
    const auto* data = reinterpret_cast<const char*>(bytes.data());
    auto left = static_cast<qint64>(bytes.size());
    while (left > 0) {
        const qint64 written = file.write(data, left);
        if (written <= 0) {
            throw DataFailure(file.errorString());
        }
        data += written;
        left -= written;
    }
}

}  // namespace

Bytes ReadAll(const QString& path) {
    const QFileInfo info(path);
    QFile file;
    if (info.exists() && !info.isFile() && !info.isDir()) {
        OpenWithoutWaiting(file, path, QIODevice::ReadOnly);
    } else {
        file.setFileName(path);
        if (!file.open(QIODevice::ReadOnly)) {
            throw OpenFailure(path, false, file.errorString());
        }
    }
    Bytes bytes;
    // Room for the whole file at once: grown a chunk at a time, a list of
    // a hundred megabytes would be copied over and over on its way in.
    // Devices and pipes tell no size and grow as they are read.
    bytes.reserve(static_cast<std::size_t>(std::clamp(file.size(), qint64{0}, ReadLimit)));
    char chunk[1 << 16];
    for (;;) {
        const qint64 got = file.read(chunk, sizeof chunk);
        if (got < 0) {
            throw DataFailure(file.errorString());
        }
        if (got == 0) {
            break;
        }
        if (static_cast<qint64>(bytes.size()) + got > ReadLimit) {
            throw Failure(ErrOutOfMemory, QStringLiteral("the file is larger than 256 MiB"));
        }
        bytes.append(reinterpret_cast<const std::uint8_t*>(chunk), static_cast<std::size_t>(got));
    }
    return bytes;
}

void Save(const QString& path, BytesView bytes) {
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        if (info.isDir()) {
            throw OpenFailure(path, true, QStringLiteral("a folder has this name"));
        }
        QFile file;
        OpenWithoutWaiting(file, path, QIODevice::WriteOnly);
        WriteAll(file, bytes);
        return;
    }
    // Unbuffered, so that every failed write is seen here: a failure in the
    // final flush of a buffered save can go unnoticed by commit(), which
    // would then put a truncated file in place of the old one.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        throw OpenFailure(path, true, file.errorString());
    }
    WriteAll(file, bytes);
    if (!file.commit()) {
        throw DataFailure(file.errorString());
    }
}

}  // namespace velkrant::FileBytes
