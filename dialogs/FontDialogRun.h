#pragma once
// One run of the toolkit's font dialog, configured from the dialog class's
// properties, and the chosen font in the terms the class stores.

#include "ScriptedDialog.h"

#include <QString>

#include <cstdint>
#include <optional>

class QFontDialog;
class QWidget;

namespace velkrant::FontDialogRun {

struct Request {
    QWidget* owner = nullptr;
    QString fontName;  // empty: the program's own font
    std::uint32_t flags = 0;  // Cf bits (see FontFlags.h)
    std::int16_t min = 0;  // size limits in points, with Cf::LimitSize
    std::int16_t max = 0;
};

struct Choice {
    QString fontName;
    int weight = 400;  // 1 (thin) to 1000 (black); 400 is normal
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::int32_t charSet = 1;  // the character set of the chosen script; 1 when none was chosen
    std::uint32_t color = 0;  // 0x00BBGGRR; black without Cf::Effects
    float pointSize = 0;  // whole points, as the screen shows the size (see ScreenPointSize)
};

/// Shows the dialog (or hands it to the pending script) and returns the
/// choice, or nothing when the user cancelled.
std::optional<Choice> Run(const Request& request);

/// A size as the screen shows it: `pointSize` turned into whole pixels at
/// `dotsPerInch` (halves away from zero) and back into points, rounded to
/// whole points with halves going to the even neighbour.
///
///     ScreenPointSize(10, 96) == 10    // 13 pixels, 9.75 points
///     ScreenPointSize(10.5, 96) == 10  // 14 pixels, 10.5 points
float ScreenPointSize(double pointSize, int dotsPerInch);

/// Test hook: scripts that answer the next font dialog.
ScriptedDialog<QFontDialog>& Hook();

}  // namespace velkrant::FontDialogRun
