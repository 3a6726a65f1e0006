#pragma once
// A save that fails as it does on a user's machine when the disk is full
// or another program holds the file: made the way each platform allows,
// one source file per platform.

#include <QString>

#include <memory>

namespace velkrant::test {

/// While it lives, saving more than a kilobyte into the existing file at
/// `path` fails, and the file stays as it was. On POSIX systems no file
/// may grow beyond a kilobyte (a write fails with "file too large", even
/// for root); on Windows another handle holds the file open, so it cannot
/// be replaced.
///
///     { test::FailingSave failing(path); ListFile::Write(path, QString(4096, u'x')); }  // throws
class FailingSave {
public:
    explicit FailingSave(const QString& path);
    ~FailingSave();
    FailingSave(const FailingSave&) = delete;
    FailingSave& operator=(const FailingSave&) = delete;

private:
    struct Held;
    std::unique_ptr<Held> held_;
};

}  // namespace velkrant::test
