#pragma once
// One run of the toolkit's colour dialog with an object's own custom
// colours.
//
// The toolkit keeps one table of custom colours for the whole process, so
// the object's table is loaded into it before every run and read back after
// an accepted one: colours a user defines stay with the object that showed
// the dialog and never appear in another object's dialog.
//
// The dialog always opens on black: the chosen colour is a result only.
// None of the colour dialog's flag bits has a counterpart in the toolkit's
// dialog (it is always fully open, offers every colour, and has no help
// button, hooks or templates), so they are kept and have no effect.

#include "ScriptedDialog.h"

#include <array>
#include <cstdint>
#include <optional>

class QColorDialog;
class QWidget;

namespace velkrant::ColorDialogRun {

/// 16 colours in the stored 0x00BBGGRR form (see ColorRef.h).
using CustomColors = std::array<std::uint32_t, 16>;

/// Shows the dialog owned by `owner` (or hands it to the pending script).
/// Accepted: returns the chosen colour and leaves the dialog's custom
/// colours in `customColors`. Cancelled: nothing, and `customColors` is
/// left as it was.
std::optional<std::uint32_t> Run(QWidget* owner, CustomColors& customColors);

/// Test hook: scripts that answer the next colour dialog.
ScriptedDialog<QColorDialog>& Hook();

}  // namespace velkrant::ColorDialogRun
