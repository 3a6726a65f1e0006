#pragma once
// The batch window's import and export: the file dialogs, the list file,
// the messages and the error log, with nothing the user had ever lost.
//
// Failure codes in the log are those of FileBytes.h (ErrOutOfMemory also
// when a list does not fit into memory) and of the dialog class
// (ErrOverflow, ErrInvalidCall), plus ErrInternal for anything unexpected.

#include <QString>
#include <QStringList>

#include <optional>
#include <string>

class QWidget;

namespace velkrant::BatchFiles {

/// Asks for a list file and reads it whole. The text for the input box
/// (lines joined by CR LF), or nothing when the user cancelled or reading
/// failed (then "读取文件错误!" was shown and the log written). The caller
/// replaces the input box only when a text comes back, so a failed import
/// never loses what the user had. `owner` owns the dialog; null means the
/// registered main window.
///
///     if (auto text = BatchFiles::Import(this)) txtBatchIn->SetText(std::move(*text));
std::optional<std::u16string> Import(QWidget* owner);

/// Reads the list files at `paths` (dropped on the input box), one after
/// another in the order given: the text for the input box, their texts
/// joined by CR LF. Nothing when one cannot be read: "读取文件错误!" is
/// shown and the log written for that file, as for Import, and the files
/// after it are not read.
///
///     if (auto text = BatchFiles::ImportFiles({first, second})) txtBatchIn->SetText(std::move(*text));
std::optional<std::u16string> ImportFiles(const QStringList& paths);

/// Asks for a target and saves outputText + CR LF atomically; shows
/// "已保存!" or "写入文件错误!" (and writes the log).
///
///     BatchFiles::Export(this, txtBatchOut->toPlainText());
void Export(QWidget* owner, const QString& outputText);

}  // namespace velkrant::BatchFiles
