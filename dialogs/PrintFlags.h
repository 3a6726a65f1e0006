#pragma once
// The printer-dialog flag bits that clsComdlg::Flags carries for
// ShowPrinter. The dialog hands Flags back with the range, collate and
// file bits set as the user left them.
//
// How each bit maps onto the toolkit's print dialog:
// - Selection, PageNums: honoured; the dialog opens on that range, and on
//   return exactly the chosen one is set (neither for all pages).
// - NoSelection: honoured; the selection is not offered.
// - NoPageNums: honoured; page numbers are not offered. They are not
//   offered either when Min is not below Max: there are no pages to choose.
// - Collate: honoured; the collate box opens as this bit says, and on
//   return the bit says whether copies are collated.
// - PrintToFile: set on return when the output goes to a file; the dialog
//   always opens on a printer.
// - DisablePrintToFile, HidePrintToFile: honoured; output to a file is not
//   offered.
// - PrintSetup: the same dialog is shown; it chooses printer, paper and
//   orientation too.
// - ReturnDC, ReturnIC: the toolkit has no device context to hand out;
//   hDC comes back 0.
// - ReturnDefault: honoured; no dialog is shown, and the properties
//   describe the current printer with its own settings.
// - UseDevModeCopies: always in effect; the print system makes the copies.
// - Every other bit (warnings, help button, hooks,
//   templates, network button, current page) asks for something the
//   toolkit's dialog has no counterpart for; it is kept and has no effect.

#include <cstdint>

namespace velkrant::Pd {

inline constexpr std::uint32_t Selection = 0x1;
inline constexpr std::uint32_t PageNums = 0x2;
inline constexpr std::uint32_t NoSelection = 0x4;
inline constexpr std::uint32_t NoPageNums = 0x8;
inline constexpr std::uint32_t Collate = 0x10;
inline constexpr std::uint32_t PrintToFile = 0x20;
inline constexpr std::uint32_t PrintSetup = 0x40;
inline constexpr std::uint32_t ReturnDC = 0x100;
inline constexpr std::uint32_t ReturnDefault = 0x400;
inline constexpr std::uint32_t UseDevModeCopies = 0x40000;
inline constexpr std::uint32_t DisablePrintToFile = 0x80000;
inline constexpr std::uint32_t HidePrintToFile = 0x100000;

}  // namespace velkrant::Pd
