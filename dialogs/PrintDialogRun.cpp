#include "PrintDialogRun.h"

#include "CurrentPrinter.h"
#include "DeviceMode.h"
#include "PrintFlags.h"

#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>

namespace velkrant::PrintDialogRun {

namespace {

struct PageRange {
    bool offered = false;
    std::int16_t from = 0;
    std::int16_t to = 0;
};

// The toolkit's page boxes count from 1, and a range must lie within the
// limits with its start before its end.
PageRange PageRangeOf(const Request& request) {
    const std::int16_t first = std::max<std::int16_t>(request.minPage, 1);
    if ((request.flags & Pd::NoPageNums) != 0 || first >= request.maxPage) {
        return {false, request.fromPage, request.toPage};
    }
    const auto from = std::clamp<std::int16_t>(request.fromPage, first, request.maxPage);
    const auto to = std::clamp<std::int16_t>(request.toPage, from, request.maxPage);
    return {true, from, to};
}

void SetUpPrinter(QPrinter& printer, const Request& request) {
    CurrentPrinter::StartFrom(printer, request.printerName);
    if (request.copies >= 1) {
        printer.setCopyCount(request.copies);
    }
    if (request.orientation == DeviceMode::Portrait || request.orientation == DeviceMode::Landscape) {
        printer.setPageOrientation(request.orientation == DeviceMode::Landscape ? QPageLayout::Landscape
                                                                                : QPageLayout::Portrait);
    }
    if (const auto source = DeviceMode::PaperSourceOfBin(request.paperBin)) {
        printer.setPaperSource(*source);
    }
    printer.setCollateCopies((request.flags & Pd::Collate) != 0);
}

void SetUpDialog(QPrintDialog& dialog, const Request& request, const PageRange& pages) {
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintShowPageSize |
                                                       QAbstractPrintDialog::PrintCollateCopies;
    options.setFlag(QAbstractPrintDialog::PrintPageRange, pages.offered);
    options.setFlag(QAbstractPrintDialog::PrintSelection, (request.flags & Pd::NoSelection) == 0);
    options.setFlag(QAbstractPrintDialog::PrintToFile,
                    (request.flags & (Pd::DisablePrintToFile | Pd::HidePrintToFile)) == 0);
    dialog.setOptions(options);
    if (pages.offered) {
        dialog.setMinMax(std::max<int>(request.minPage, 1), request.maxPage);
        dialog.setFromTo(pages.from, pages.to);
    }
    if (pages.offered && (request.flags & Pd::PageNums) != 0) {
        dialog.setPrintRange(QAbstractPrintDialog::PageRange);
    } else if ((request.flags & (Pd::Selection | Pd::NoSelection)) == Pd::Selection) {
        dialog.setPrintRange(QAbstractPrintDialog::Selection);
    } else {
        dialog.setPrintRange(QAbstractPrintDialog::AllPages);
    }
}

std::uint32_t ReturnedFlags(std::uint32_t flags, const QPrinter& printer) {
    flags &= ~(Pd::Selection | Pd::PageNums | Pd::Collate | Pd::PrintToFile);
    if (printer.printRange() == QPrinter::Selection) flags |= Pd::Selection;
    if (printer.printRange() == QPrinter::PageRange) flags |= Pd::PageNums;
    if (printer.collateCopies()) flags |= Pd::Collate;
    if (!printer.outputFileName().isEmpty()) flags |= Pd::PrintToFile;
    return flags;
}

}  // namespace

std::optional<Result> Run(const Request& request) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if ((request.flags & Pd::ReturnDefault) != 0) {
        // The caller asks what the current printer is, not for a choice:
        // no dialog, none of the caller's settings, the range as it was.
        CurrentPrinter::StartFrom(*printer);
        return Result{std::move(printer), request.flags, request.fromPage, request.toPage};
    }
    SetUpPrinter(*printer, request);
    const PageRange pages = PageRangeOf(request);
    {
        QPrintDialog dialog(printer.get(), request.owner);
        SetUpDialog(dialog, request, pages);
        if (!Hook().Run(dialog)) {
            return std::nullopt;
        }
    }
    Result result;
    result.flags = ReturnedFlags(request.flags, *printer);
    const bool chosenRange = printer->printRange() == QPrinter::PageRange;
    result.fromPage = chosenRange ? static_cast<std::int16_t>(printer->fromPage()) : pages.from;
    result.toPage = chosenRange ? static_cast<std::int16_t>(printer->toPage()) : pages.to;
    result.printer = std::move(printer);
    return result;
}

ScriptedDialog<QPrintDialog>& Hook() {
    static ScriptedDialog<QPrintDialog> hook;
    return hook;
}

}  // namespace velkrant::PrintDialogRun
