#include "CurrentPrinter.h"

#include <QCoreApplication>
#include <QPrinter>
#include <QPrinterInfo>

#include <memory>

namespace velkrant::CurrentPrinter {

namespace {

std::unique_ptr<QPrinter>& Slot() {
    static std::unique_ptr<QPrinter> printer;
    return printer;
}

// The settings that travel with a printer choice. The name goes first:
// switching printers resets some settings to the new printer's defaults.
void CopySettings(const QPrinter& from, QPrinter& to) {
    to.setCopyCount(from.copyCount());
    to.setDuplex(from.duplex());
    to.setPageSize(from.pageLayout().pageSize());
    to.setPageOrientation(from.pageLayout().orientation());
    to.setResolution(from.resolution());
    to.setColorMode(from.colorMode());
    to.setPaperSource(from.paperSource());
}

// The system's printer called `name`, in any case; empty for none.
QString SystemPrinterNamed(const QString& name) {
    if (name.isEmpty()) return {};
    for (const QString& printer : QPrinterInfo::availablePrinterNames()) {
        if (printer.compare(name, Qt::CaseInsensitive) == 0) return printer;
    }
    return {};
}

}  // namespace

QPrinter& Get() {
    std::unique_ptr<QPrinter>& printer = Slot();
    if (!printer) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // The printer goes with the application, while the print system it
        // talks to is still loaded, not among the static objects after it.
        static const bool dropsWithTheApplication = (qAddPostRoutine(Forget), true);
        Q_UNUSED(dropsWithTheApplication);
    }
    return *printer;
}

void StartFrom(QPrinter& printer, const QString& name) {
    const QPrinter& current = Get();
    const QString named = SystemPrinterNamed(name);
    const QString printerName = named.isEmpty() ? current.printerName() : named;
    if (!printerName.isEmpty()) {
        printer.setPrinterName(printerName);
    }
    CopySettings(current, printer);
}

void Adopt(const QPrinter& chosen) {
    QPrinter& current = Get();
    if (const QString named = SystemPrinterNamed(chosen.printerName()); !named.isEmpty()) {
        current.setPrinterName(named);
    }
    CopySettings(chosen, current);
}

void Forget() {
    Slot().reset();
}

}  // namespace velkrant::CurrentPrinter
