#pragma once
// Helpers shared by the file, log, import/export and dialog tests: private
// temporary and working folders, and raw file contents (FailingSave.h
// makes a save fail).

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace velkrant::test {

inline QByteArray FileContent(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline void SetFileContent(const QString& path, const QByteArray& content) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(content), content.size());
}

/// A temporary folder that steps out of itself before it goes, should it
/// be the current directory then (a file dialog moves there): Windows
/// cannot remove the current directory, and the folder would stay behind.
class TemporaryFolder : public QTemporaryDir {
public:
    TemporaryFolder() = default;
    ~TemporaryFolder() {
        const QString current = QDir::currentPath();
        if (current == path() || current.startsWith(path() + u'/')) QDir::setCurrent(QDir::tempPath());
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
};

/// A fresh temporary folder that is the current directory for the test's
/// lifetime, so the error log lands there and nowhere else.
class WorkFolder {
public:
    WorkFolder() : previous_(QDir::currentPath()) {
        EXPECT_TRUE(dir_.isValid());
        QDir::setCurrent(dir_.path());
    }
    ~WorkFolder() { QDir::setCurrent(previous_); }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    QString Path(const QString& name) const { return dir_.filePath(name); }
    QStringList Entries() const { return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden); }

private:
    QTemporaryDir dir_;
    QString previous_;
};

}  // namespace velkrant::test
