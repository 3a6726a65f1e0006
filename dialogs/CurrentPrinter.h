#pragma once
// The program's current printer: the one printer object of the process,
// which the program's own printing would use. A printer dialog starts from
// it, and one whose caller asks for it (PrinterDefault) makes the chosen
// printer and its settings the current ones.

#include <QString>

class QPrinter;

namespace velkrant::CurrentPrinter {

/// The current printer, created on first use for the system's default
/// printer (the first one without a default, output to a file without any).
QPrinter& Get();

/// Sets `printer` to the current printer and its settings; to the
/// system's printer called `name` (in any case), where there is one, with
/// the current printer's settings.
void StartFrom(QPrinter& printer, const QString& name = {});

/// Makes `chosen` the current printer: its name, when the system has a
/// printer of that name (in any case), and its copies, duplex, orientation,
/// paper size, resolution, colour mode and paper source.
void Adopt(const QPrinter& chosen);

/// Forgets the current printer; the next use starts again from the
/// system's default.
void Forget();

}  // namespace velkrant::CurrentPrinter
