#pragma once
// One run of the toolkit's folder-choosing dialog, configured from the
// dialog class's properties.

#include "ScriptedDialog.h"

#include <QString>

#include <cstdint>
#include <optional>

class QFileDialog;
class QWidget;

namespace velkrant::FolderDialogRun {

struct Request {
    QWidget* owner = nullptr;
    QString prompt;  // the dialog's title; empty: the toolkit's own
    // Where browsing starts: 0 is the root of the file system; a few
    // well-known folder numbers (documents 5, desktop 16, pictures 39,
    // the user's home 40) start in that folder; any other number starts
    // at the root.
    std::int32_t specialFolder = 0;
    std::uint32_t flags = 0;  // Bif bits (see BrowseFlags.h)
};

/// Shows the dialog (or hands it to the pending script) and returns the
/// chosen folder with the platform's separators, or nothing when the user
/// cancelled.
std::optional<QString> Run(const Request& request);

/// Test hook: scripts that answer the next folder dialog. A script picks a
/// folder by moving the dialog there (setDirectory).
ScriptedDialog<QFileDialog>& Hook();

}  // namespace velkrant::FolderDialogRun
