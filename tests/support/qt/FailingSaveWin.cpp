#include "FailingSave.h"

#include <QDir>

#include <gtest/gtest.h>

#include <windows.h>

namespace velkrant::test {

// Open for reading without sharing the right to delete: the file can
// still be read, but nobody can rename another file over it, which is how
// a save replaces a file.
struct FailingSave::Held {
    HANDLE file = INVALID_HANDLE_VALUE;
};

FailingSave::FailingSave(const QString& path) : held_(std::make_unique<Held>()) {
    held_->file = CreateFileW(reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(path).utf16()), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    EXPECT_NE(held_->file, INVALID_HANDLE_VALUE) << "cannot hold " << path.toStdString() << ": " << GetLastError();
}

FailingSave::~FailingSave() {
    if (held_->file != INVALID_HANDLE_VALUE) CloseHandle(held_->file);
}

}  // namespace velkrant::test
