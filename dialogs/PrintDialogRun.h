#pragma once
// One run of the toolkit's print dialog, configured from the dialog class's
// properties. It starts from the program's current printer (see
// CurrentPrinter.h), with the caller's choices on top.

#include "ScriptedDialog.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

class QPrintDialog;
class QPrinter;
class QWidget;

namespace velkrant::PrintDialogRun {

struct Request {
    QWidget* owner = nullptr;
    std::uint32_t flags = 0;  // Pd bits (see PrintFlags.h)
    std::int16_t minPage = 0;  // pages can be chosen when minPage < maxPage
    std::int16_t maxPage = 0;
    std::int16_t fromPage = 0;  // the range the dialog offers, kept within the limits
    std::int16_t toPage = 0;
    std::int16_t copies = 1;  // below 1: the current printer's
    std::int32_t orientation = 1;  // 1 portrait, 2 landscape; others: the current printer's
    QString printerName;  // empty or unknown: the current printer
    std::int32_t paperBin = 0;  // unknown numbers: the current printer's
};

struct Result {
    std::unique_ptr<QPrinter> printer;  // the chosen printer, set up as chosen
    std::uint32_t flags = 0;  // the request's flags with the returned bits
    std::int16_t fromPage = 0;  // the chosen page range, or the one offered
    std::int16_t toPage = 0;
};

/// Shows the dialog (or hands it to the pending script) and returns the
/// choice, or nothing when the user cancelled.
std::optional<Result> Run(const Request& request);

/// Test hook: scripts that answer the next print dialog. A script chooses
/// by setting up the dialog's printer (QPrintDialog::printer()).
ScriptedDialog<QPrintDialog>& Hook();

}  // namespace velkrant::PrintDialogRun
