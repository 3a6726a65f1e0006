#include "CompactLabel.h"

#include <QFontInfo>
#include <QPainter>
#include <QTextLayout>

namespace velkrant {

namespace {

// Where the baseline sits within a line one em high: ideographs fill the
// em box from 0.88 em above the baseline to 0.12 em below it.
constexpr double BaselineInEm = 0.88;

}  // namespace

void CompactLabel::paintEvent(QPaintEvent*) {
    const qreal em = QFontInfo(font()).pixelSize();
    QTextLayout layout(text(), font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (int i = 0;; ++i) {
        QTextLine line = layout.createLine();
        if (!line.isValid()) break;
        line.setLineWidth(contentsRect().width());
        line.setPosition(QPointF(0, (i + BaselineInEm) * em - line.ascent()));
    }
    layout.endLayout();
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    layout.draw(&painter, contentsRect().topLeft());
}

}  // namespace velkrant
