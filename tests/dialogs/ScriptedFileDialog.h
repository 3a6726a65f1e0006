#pragma once
// Answers the next file dialog in the user's place and records what the
// dialog looked like when it was asked.

#include "clsComdlg.h"

#include <QFileDialog>

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

// The next dialog records what it saw in `seen` and answers `answer`.
inline void AnswerNext(std::optional<FileDialogRun::Answer> answer, Seen* seen = nullptr) {
    clsComdlg::AnswerNextFileDialog([answer, seen](QFileDialog& dialog) {
        if (seen != nullptr) {
            seen->shown += 1;
            seen->title = dialog.windowTitle();
            seen->nameFilters = dialog.nameFilters();
            seen->selectedNameFilter = dialog.selectedNameFilter();
            seen->acceptMode = dialog.acceptMode();
            seen->fileMode = dialog.fileMode();
            seen->confirmsOverwrite = !dialog.testOption(QFileDialog::DontConfirmOverwrite);
            seen->resolvesLinks = !dialog.testOption(QFileDialog::DontResolveSymlinks);
            seen->defaultSuffix = dialog.defaultSuffix();
            seen->directory = dialog.directory().absolutePath();
            seen->parent = dialog.parentWidget();
        }
        return answer;
    });
}

}  // namespace velkrant::test
