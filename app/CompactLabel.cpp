#include "CompactLabel.h"

#include "EmBox.h"

#include <QPainter>
#include <QTextLayout>

namespace velkrant {

void CompactLabel::paintEvent(QPaintEvent*) {
    // The lines break where the label's own font breaks them and lie one em
    // of it apart; the ideographs are drawn one pixel smaller so that
    // neighbouring lines do not touch, as the classic bitmap font leaves a
    // pixel between them.
    QTextLayout layout(text(), font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(contentsRect().width());
    }
    layout.endLayout();

    const int pitch = EmBox::Em(font());
    QFont glyphs = font();
    glyphs.setPixelSize(pitch - 1);
    const QPointF firstBaseline = contentsRect().topLeft() + QPointF(0, 0.5 + EmBox::BaselineInEm * (pitch - 1));
    QPainter painter(this);
    painter.setFont(glyphs);
    painter.setPen(palette().color(QPalette::WindowText));
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        painter.drawText(firstBaseline + QPointF(0, i * pitch), text().mid(line.textStart(), line.textLength()));
    }
}

}  // namespace velkrant
