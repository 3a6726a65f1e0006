#include "CompactLabel.h"

#include "EmBox.h"

#include <QPainter>

namespace velkrant {

void CompactLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    EmBox::DrawLines(painter, text(), font(), contentsRect(), Qt::AlignLeft | Qt::AlignTop);
}

}  // namespace velkrant
