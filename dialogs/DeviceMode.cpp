#include "DeviceMode.h"

#include "CodePageText.h"

#include <QPageSize>
#include <QPrinterInfo>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

namespace velkrant::DeviceMode {

namespace {

// Which value a device mode fills.
enum Field : std::int32_t {
    FieldOrientation = 0x1,
    FieldPaperSize = 0x2,
    FieldPaperLength = 0x4,
    FieldPaperWidth = 0x8,
    FieldCopies = 0x100,
    FieldDefaultSource = 0x200,
    FieldPrintQuality = 0x400,
    FieldColor = 0x800,
    FieldDuplex = 0x1000,
    FieldYResolution = 0x2000,
    FieldCollate = 0x8000,
};

// Paper sources and their bin numbers.
constexpr std::array<std::pair<QPrinter::PaperSource, std::int32_t>, 13> Bins{{
    {QPrinter::OnlyOne, 1},
    {QPrinter::Lower, 2},
    {QPrinter::Middle, 3},
    {QPrinter::Manual, 4},
    {QPrinter::Envelope, 5},
    {QPrinter::EnvelopeManual, 6},
    {QPrinter::Auto, 7},
    {QPrinter::Tractor, 8},
    {QPrinter::SmallFormat, 9},
    {QPrinter::LargeFormat, 10},
    {QPrinter::LargeCapacity, 11},
    {QPrinter::Cassette, 14},
    {QPrinter::FormSource, 15},
}};

std::int16_t Short(double value) {
    return static_cast<std::int16_t>(std::clamp<double>(std::round(value), std::numeric_limits<std::int16_t>::min(),
                                                        std::numeric_limits<std::int16_t>::max()));
}

std::int16_t DuplexOf(const QPrinter& printer) {
    QPrinter::DuplexMode mode = printer.duplex();
    if (mode == QPrinter::DuplexAuto) {
        mode = QPrinterInfo(printer).defaultDuplexMode();
    }
    switch (mode) {
        case QPrinter::DuplexNone: return 1;
        case QPrinter::DuplexLongSide: return 2;
        case QPrinter::DuplexShortSide: return 3;
        default: return 0;
    }
}

// The names block: the texts follow the block's four 16-bit members, which
// take eight characters; each offset counts code-page characters from the
// start of the block.
void FillNames(Extras& extras, const QPrinter& printer) {
    const QPrinterInfo info(printer);
    const QString driver = info.makeAndModel();
    const QString device = printer.printerName();
    const QString port = printer.outputFileName();
    const QChar nul(u'\0');
    extras.names = driver + nul + device + nul + port + nul;
    const std::size_t driverOffset = 8;
    const std::size_t deviceOffset = driverOffset + CodePageLength(driver) + 1;
    const std::size_t outputOffset = deviceOffset + CodePageLength(device) + 1;
    extras.driverOffset = Short(static_cast<double>(driverOffset));
    extras.deviceOffset = Short(static_cast<double>(deviceOffset));
    extras.outputOffset = Short(static_cast<double>(outputOffset));
    extras.isDefault = info.isDefault() ? 1 : 0;
}

}  // namespace

Extras ExtrasOf(const QPrinter& printer) {
    Extras extras;
    extras.fields = FieldOrientation | FieldCopies | FieldColor | FieldCollate;
    extras.collate = printer.collateCopies() ? 1 : 0;
    extras.color = printer.colorMode() == QPrinter::Color ? 2 : 1;
    extras.duplex = DuplexOf(printer);
    if (extras.duplex != 0) extras.fields |= FieldDuplex;
    const QPageSize page = printer.pageLayout().pageSize();
    extras.paperSize = static_cast<std::int16_t>(page.windowsId());
    if (extras.paperSize != 0) extras.fields |= FieldPaperSize;
    if (page.isValid()) {
        const QSizeF millimetres = page.size(QPageSize::Millimeter);
        extras.paperWidth = Short(millimetres.width() * 10);
        extras.paperLength = Short(millimetres.height() * 10);
        extras.fields |= FieldPaperWidth | FieldPaperLength;
    }
    // The toolkit lays pages out at one resolution for both directions.
    extras.printQuality = Short(printer.resolution());
    extras.yResolution = extras.printQuality;
    if (extras.printQuality > 0) extras.fields |= FieldPrintQuality | FieldYResolution;
    if (PaperBinOf(printer) != 0) extras.fields |= FieldDefaultSource;
    FillNames(extras, printer);
    return extras;
}

std::int32_t OrientationOf(const QPrinter& printer) {
    return printer.pageLayout().orientation() == QPageLayout::Landscape ? Landscape : Portrait;
}

std::int32_t PaperBinOf(const QPrinter& printer) {
    for (const auto& [source, bin] : Bins) {
        if (source == printer.paperSource()) return bin;
    }
    return 0;
}

std::optional<QPrinter::PaperSource> PaperSourceOfBin(std::int32_t bin) {
    for (const auto& [source, number] : Bins) {
        if (number == bin) return source;
    }
    return std::nullopt;
}

}  // namespace velkrant::DeviceMode
