#pragma once
// Answers the next file dialog in the user's place and records what the
// dialog looked like when it was asked.

#include "clsComdlg.h"

#include <QDir>
#include <QFileDialog>

#include <gtest/gtest.h>

#include <optional>

namespace velkrant::test {

// What a scripted dialog saw when it was asked.
struct Seen {
    int shown = 0;
    QString title;
    QStringList nameFilters;
    QString selectedNameFilter;
    QFileDialog::AcceptMode acceptMode = QFileDialog::AcceptOpen;
    QFileDialog::FileMode fileMode = QFileDialog::AnyFile;
    bool confirmsOverwrite = false;
    bool resolvesLinks = true;
    QString defaultSuffix;
    QString directory;
    QWidget* parent = nullptr;
};

/// The next dialog records what it saw in `seen` and answers `answer`.
void AnswerNext(std::optional<FileDialogRun::Answer> answer, Seen* seen = nullptr);

/// Owns the dialog class's hooks for one test: at its end a script that no
/// dialog used fails the test, the class forgets every script, the
/// registered main window and the program's current printer, and the
/// current folder (which a file dialog moves) is put back, so nothing leaks
/// into the next test.
class DialogHooks {
public:
    DialogHooks() : startFolder_(QDir::currentPath()) {}
    ~DialogHooks();
    DialogHooks(const DialogHooks&) = delete;
    DialogHooks& operator=(const DialogHooks&) = delete;

    /// Registers `window` as the owner of dialogs without one.
    void SetMainWindow(QWidget* window) { clsComdlg::SetMainWindow(window); }

private:
    QString startFolder_;
};

}  // namespace velkrant::test
