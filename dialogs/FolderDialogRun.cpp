#include "FolderDialogRun.h"

#include "BrowseFlags.h"

#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

namespace velkrant::FolderDialogRun {

namespace {

// The toolkit's dialog cannot keep a user inside a folder, so the root a
// caller names only decides where browsing starts.
QString StartFolder(std::int32_t specialFolder) {
    QStandardPaths::StandardLocation location;
    switch (specialFolder) {
        case 5: location = QStandardPaths::DocumentsLocation; break;
        case 16: location = QStandardPaths::DesktopLocation; break;
        case 39: location = QStandardPaths::PicturesLocation; break;
        case 40: location = QStandardPaths::HomeLocation; break;
        default: return QDir::rootPath();
    }
    const QString folder = QStandardPaths::writableLocation(location);
    return QDir(folder).exists() ? folder : QDir::homePath();
}

}  // namespace

std::optional<QString> Run(const Request& request) {
    QFileDialog dialog(request.owner);
    // The widget dialog behaves the same on every desktop, so the flag
    // mapping holds everywhere.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, (request.flags & Bif::BrowseIncludeFiles) == 0);
    const bool mayCreate = (request.flags & Bif::NewDialogStyle) != 0 && (request.flags & Bif::NoNewFolderButton) == 0;
    dialog.setOption(QFileDialog::ReadOnly, !mayCreate);
    if (!request.prompt.isEmpty()) {
        dialog.setWindowTitle(request.prompt);
    }
    dialog.setDirectory(StartFolder(request.specialFolder));
    if (!Hook().Run(dialog)) {
        return std::nullopt;
    }
    const QStringList folders = dialog.selectedFiles();
    if (folders.isEmpty() || folders.front().isEmpty()) {
        return std::nullopt;
    }
    return QDir::toNativeSeparators(folders.front());
}

ScriptedDialog<QFileDialog>& Hook() {
    static ScriptedDialog<QFileDialog> hook;
    return hook;
}

}  // namespace velkrant::FolderDialogRun
