#include "NarrowButton.h"

#include "EmBox.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace velkrant {

namespace {

constexpr int BevelWidth = 3;

}  // namespace

void NarrowButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    // The caption keeps clear of the button's bevel, three pixels a side,
    // so a 29-pixel button fits one ideograph a line without touching it.
    const QRect area = rect().adjusted(BevelWidth, BevelWidth, -BevelWidth, -BevelWidth);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    EmBox::DrawLines(painter, caption, font(), area, Qt::AlignCenter);
}

}  // namespace velkrant
