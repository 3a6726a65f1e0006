#pragma once
// The effects part of the toolkit's font dialog. It offers strike-out and
// underline but no text colour, so where effects are asked for the dialog
// class adds the sixteen basic colours beside them; where they are not,
// the whole part is hidden.

class QComboBox;
class QFontDialog;

namespace velkrant::FontEffects {

/// The object name of the added colour choice.
inline constexpr char ColorBoxName[] = "cboColor";

/// Adds the colour choice to the dialog's effects, set to black, and
/// returns it; each entry holds its colour (0x00BBGGRR) as item data.
/// Returns null if the dialog has no effects part to add it to.
QComboBox* OfferWithColor(QFontDialog& dialog);

/// Hides strike-out and underline, so the chosen font has neither.
void Hide(QFontDialog& dialog);

}  // namespace velkrant::FontEffects
