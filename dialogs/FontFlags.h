#pragma once
// The font-dialog flag bits that clsComdlg::Flags carries for ShowFont.
//
// How each bit maps onto the toolkit's font dialog:
// - Effects: honoured; the dialog offers strike-out, underline and a text
//   colour. Without it those choices are hidden, and the colour comes
//   back black.
// - LimitSize: honoured; Min and Max (points) bound the size. The dialog
//   opens within them, and a size chosen outside comes back as the nearer
//   limit. Limits where Max is below 1 or below Min bound nothing.
// - FixedPitchOnly: honoured; only fixed-pitch families are listed.
// - ScalableOnly, TrueTypeOnly: honoured; only scalable families are listed.
// - InitToLogFont: always in effect; the dialog always opens on FontName.
// - ForceFontExist: always in effect; only installed fonts can be chosen.
// - Every other bit (screen or printer fonts, help button, hooks,
//   templates, apply button, script and simulation filters, suppressed
//   selections, vertical fonts) asks for something the toolkit's dialog
//   has no counterpart for; it is kept in Flags and has no effect.

#include <cstdint>

namespace velkrant::Cf {

inline constexpr std::uint32_t ScreenFonts = 0x1;
inline constexpr std::uint32_t PrinterFonts = 0x2;
inline constexpr std::uint32_t InitToLogFont = 0x40;
inline constexpr std::uint32_t Effects = 0x100;
inline constexpr std::uint32_t LimitSize = 0x2000;
inline constexpr std::uint32_t FixedPitchOnly = 0x4000;
inline constexpr std::uint32_t ForceFontExist = 0x10000;
inline constexpr std::uint32_t ScalableOnly = 0x20000;
inline constexpr std::uint32_t TrueTypeOnly = 0x40000;

}  // namespace velkrant::Cf
