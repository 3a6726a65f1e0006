#include "EmBox.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

namespace velkrant::EmBox {

void DrawLines(QPainter& painter, const QString& text, const QFont& font, const QRect& area,
               Qt::Alignment alignment) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(area.width());
    }
    layout.endLayout();

    const int pitch = Em(font);
    QFont glyphs = font;
    glyphs.setPixelSize(pitch - 1);
    const QFontMetricsF metrics(glyphs);
    const int blockHeight = pitch * layout.lineCount();
    qreal top = area.top();
    if (alignment & Qt::AlignVCenter) top += (area.height() - blockHeight) / 2.0;
    if (alignment & Qt::AlignBottom) top += area.height() - blockHeight;

    painter.save();
    painter.setFont(glyphs);
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        const QString part = text.mid(line.textStart(), line.textLength());
        const qreal spare = area.width() - metrics.horizontalAdvance(part.trimmed());
        qreal left = area.left();
        if (alignment & Qt::AlignHCenter) left += spare / 2;
        if (alignment & Qt::AlignRight) left += spare;
        painter.drawText(QPointF(left, top + i * pitch + 0.5 + BaselineInEm * (pitch - 1)), part);
    }
    painter.restore();
}

}  // namespace velkrant::EmBox
