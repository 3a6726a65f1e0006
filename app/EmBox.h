#pragma once
// Text set one em per line, as the classic dialog font sets it. The CJK
// fonts of most Linux desktops ask for about one and a half em per line,
// more than a small designed control has room for.

#include <QFont>
#include <QFontInfo>

namespace velkrant::EmBox {

/// Where the baseline sits within a line one em high: ideographs fill the
/// em box from 0.88 em above the baseline to 0.12 em below it.
inline constexpr double BaselineInEm = 0.88;

/// One em of the font, in pixels.
inline int Em(const QFont& font) { return QFontInfo(font).pixelSize(); }

}  // namespace velkrant::EmBox
