#pragma once
// A chosen printer described in the numbers the dialog class reports: the
// device-mode values (orientation 1 portrait and 2 landscape, paper size
// numbers, paper sizes in tenths of a millimetre, paper bins...) and the
// names block (driver, device and port, NUL-separated, with their offsets).
//
// Filled from what the toolkit knows about the printer. Where a value has
// no counterpart it stays 0; on Linux with CUPS these are:
// - DisplayFlags: a screen setting; printers have none.
// - DriverVersion, SpecVersion: version numbers of a Windows printer
//   driver and of its settings record; CUPS drivers carry neither.
// - Scale: the toolkit's printer has no scale setting (a program scales
//   what it paints), so there is no factor to report.
// - TTOption: how a Windows driver treats TrueType fonts; the toolkit
//   embeds the fonts itself.
// - the port in the names block: CUPS knows where a queue prints to (its
//   device address), but the toolkit does not pass it on, so the port is
//   empty; for output to a file it is the file's path.
// PrintQuality and YResolution are the resolution at which the toolkit lays
// pages out for the printer (1200 dots per inch with CUPS), which is what a
// program painting on the printer works with; the driver's own resolution
// option stays inside the print system. Fields holds a bit for each value
// that was filled, so callers can tell a filled 0 from an unknown one.

#include <QPrinter>
#include <QString>

#include <cstdint>
#include <optional>

namespace velkrant::DeviceMode {

inline constexpr std::int32_t Portrait = 1;
inline constexpr std::int32_t Landscape = 2;

/// The printer's settings that the dialog class reports read-only.
struct Extras {
    std::int16_t collate = 0;  // 1 collated, 0 not
    std::int16_t color = 0;  // 1 monochrome, 2 colour
    std::int32_t displayFlags = 0;
    std::int16_t driverVersion = 0;
    std::int16_t duplex = 0;  // 1 simplex, 2 long edge, 3 short edge
    std::int32_t fields = 0;  // which values are filled
    std::int16_t paperLength = 0;  // tenths of a millimetre
    std::int16_t paperSize = 0;  // the paper's number; 0 for a size without one
    std::int16_t paperWidth = 0;
    std::int16_t printQuality = 0;  // dots per inch
    std::int16_t scale = 0;
    std::int16_t specVersion = 0;
    std::int16_t ttOption = 0;
    std::int16_t yResolution = 0;  // dots per inch
    QString names;  // driver, device and port, each followed by a NUL
    std::int16_t isDefault = 0;  // 1 for the system's default printer
    std::int16_t driverOffset = 0;  // offsets in code-page characters from the block's start
    std::int16_t deviceOffset = 0;
    std::int16_t outputOffset = 0;
};

Extras ExtrasOf(const QPrinter& printer);

/// Portrait or Landscape.
std::int32_t OrientationOf(const QPrinter& printer);

/// The number of the paper bin the printer takes paper from.
std::int32_t PaperBinOf(const QPrinter& printer);

/// The paper source a bin number stands for; nothing for an unknown number.
std::optional<QPrinter::PaperSource> PaperSourceOfBin(std::int32_t bin);

}  // namespace velkrant::DeviceMode
