#pragma once
// One running copy per user: a lock file in the user's runtime directory
// (on Windows the user's temporary folder), held for the life of the
// process. A lock left by a process that died (crashed or killed) is taken
// over, so a crash never locks a user out.

#include <QLockFile>
#include <QString>

namespace velkrant {

class SingleInstance {
public:
    /// Uses the lock file at `lockPath` (see DefaultLockPath()).
    explicit SingleInstance(const QString& lockPath);

    /// True when another live instance holds the lock; otherwise this
    /// instance holds it from now on, until it is destroyed.
    ///
    ///     SingleInstance instance(SingleInstance::DefaultLockPath());
    ///     if (instance.AnotherIsRunning()) { /* refuse to start */ }
    bool AnotherIsRunning();

    /// The per-user lock file: "velkrant.lock" in RuntimeFolder().
    static QString DefaultLockPath();

    /// The user's folder for files that live as long as a process: the
    /// runtime directory, on Windows the temporary folder (%TEMP%).
    static QString RuntimeFolder();

private:
    QLockFile lock_;
};

}  // namespace velkrant
