#pragma once
// Text set one em per line, the spacing the controls' designed heights
// allow. The CJK fonts of most Linux desktops ask for about one and a half
// em per line, more than a small designed control has room for.

#include <QFont>
#include <QFontInfo>
#include <QString>

class QPainter;
class QRect;

namespace velkrant::EmBox {

/// Where the baseline sits within a line one em high: ideographs fill the
/// em box from 0.88 em above the baseline to 0.12 em below it.
inline constexpr double BaselineInEm = 0.88;

/// One em of the font, in pixels.
inline int Em(const QFont& font) { return QFontInfo(font).pixelSize(); }

/// Draws `text` in `area` with the painter's pen, broken into lines where
/// `font` breaks it at the area's width. The lines lie one em apart and
/// the glyphs are one pixel smaller, so a pixel always separates
/// neighbouring lines and they never touch. `alignment` places
/// each line across and the block of lines up and down.
///
///     EmBox::DrawLines(painter, u"一般情况推荐使用自动判断", font(), contentsRect(), Qt::AlignLeft | Qt::AlignTop);
void DrawLines(QPainter& painter, const QString& text, const QFont& font, const QRect& area,
               Qt::Alignment alignment);

}  // namespace velkrant::EmBox
