#include "SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

namespace velkrant {

// QLockFile takes a lock over once its owner is gone (or the machine has
// rebooted), and an unreadable one after its stale time. A live owner
// keeps its lock however long it runs: it holds the file open and locked,
// so the file cannot be removed under it.
SingleInstance::SingleInstance(const QString& lockPath) : lock_(lockPath) {}

bool SingleInstance::AnotherIsRunning() {
    if (lock_.tryLock(0)) {
        return false;
    }
    // Only a lock that someone else holds means another instance. When the
    // lock cannot be made at all (no writable runtime directory), starting
    // is better than refusing for good.
    return lock_.error() == QLockFile::LockFailedError;
}

QString SingleInstance::DefaultLockPath() {
    return QDir(RuntimeFolder()).filePath(QStringLiteral("velkrant.lock"));
}

QString SingleInstance::RuntimeFolder() {
#ifdef _WIN32
    // Qt's runtime location on Windows is the profile folder itself, where
    // the lock would lie in plain view; the user's temporary folder is the
    // place for files that live as long as a process.
    return QDir::tempPath();
#else
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
#endif
}

}  // namespace velkrant
