#include "FileDialogRun.h"

#include "FileDialogFilter.h"
#include "OfnFlags.h"

#include <QDir>
#include <QFileDialog>

#include <utility>
#include <vector>

namespace velkrant::FileDialogRun {

namespace {

Script& PendingScript() {
    static Script script;
    return script;
}

void Configure(QFileDialog& dialog, const Request& request, const std::vector<FileDialogFilter::Entry>& types) {
    // The widget dialog behaves the same on every desktop, which keeps the
    // flag mapping below true everywhere, and it shows descriptions only,
    // as the list's author wrote them.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    const bool save = request.kind == Kind::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(!save && (request.flags & Ofn::FileMustExist) != 0 ? QFileDialog::ExistingFile
                                                                          : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, (request.flags & Ofn::OverwritePrompt) == 0);
    dialog.setOption(QFileDialog::DontResolveSymlinks, (request.flags & Ofn::NoDereferenceLinks) != 0);
    if ((request.flags & Ofn::ForceShowHidden) != 0) {
        dialog.setFilter(dialog.filter() | QDir::Hidden);
    }
    if (!request.title.isEmpty()) {
        dialog.setWindowTitle(request.title);
    }
    if (!request.initDir.isEmpty()) {
        dialog.setDirectory(request.initDir);
    }
    QString suffix = request.defaultExt;
    while (suffix.startsWith(u'.')) {
        suffix.remove(0, 1);
    }
    dialog.setDefaultSuffix(suffix);
    if (!types.empty()) {
        QStringList nameFilters;
        for (const auto& type : types) {
            nameFilters << type.nameFilter;
        }
        dialog.setNameFilters(nameFilters);
        dialog.selectNameFilter(nameFilters.front());
    }
}

// The selected filter comes back in its full form, or as the bare
// description when details are hidden; both identify the entry.
int SelectedTypeIndex(const QFileDialog& dialog, const std::vector<FileDialogFilter::Entry>& types) {
    const QString selected = dialog.selectedNameFilter();
    for (std::size_t i = 0; i < types.size(); ++i) {
        if (selected == types[i].nameFilter || selected == types[i].description.trimmed()) {
            return static_cast<int>(i) + 1;
        }
    }
    return types.empty() ? 0 : 1;
}

}  // namespace

void SetNextScript(Script script) {
    PendingScript() = std::move(script);
}

bool HasPendingScript() {
    return static_cast<bool>(PendingScript());
}

std::optional<Answer> Run(const Request& request) {
    const std::vector<FileDialogFilter::Entry> types = FileDialogFilter::Parse(request.filter);
    QFileDialog dialog(request.owner);
    Configure(dialog, request, types);
    if (Script script = std::exchange(PendingScript(), Script{})) {
        return script(dialog);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty() || files.front().isEmpty()) {
        return std::nullopt;
    }
    return Answer{QDir::toNativeSeparators(files.front()), SelectedTypeIndex(dialog, types)};
}

}  // namespace velkrant::FileDialogRun
