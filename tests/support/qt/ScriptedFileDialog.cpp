#include "ScriptedFileDialog.h"

#include "ColorDialogRun.h"
#include "CurrentPrinter.h"
#include "FolderDialogRun.h"
#include "FontDialogRun.h"
#include "PrintDialogRun.h"

namespace velkrant::test {

void AnswerNext(std::optional<FileDialogRun::Answer> answer, Seen* seen) {
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

DialogHooks::~DialogHooks() {
    EXPECT_FALSE(FileDialogRun::HasPendingScript()) << "a scripted file dialog was never shown";
    EXPECT_FALSE(ColorDialogRun::Hook().HasNext()) << "a scripted colour dialog was never shown";
    EXPECT_FALSE(FontDialogRun::Hook().HasNext()) << "a scripted font dialog was never shown";
    EXPECT_FALSE(PrintDialogRun::Hook().HasNext()) << "a scripted print dialog was never shown";
    EXPECT_FALSE(FolderDialogRun::Hook().HasNext()) << "a scripted folder dialog was never shown";
    clsComdlg::AnswerNextFileDialog({});
    clsComdlg::AnswerNextColorDialog({});
    clsComdlg::AnswerNextFontDialog({});
    clsComdlg::AnswerNextPrintDialog({});
    clsComdlg::AnswerNextFolderDialog({});
    CurrentPrinter::Forget();
    clsComdlg::SetMainWindow(nullptr);
    QDir::setCurrent(startFolder_);
}

}  // namespace velkrant::test
