#include "CompactCheckBox.h"

#include "EmBox.h"

#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QTextLayout>
#include <QtMath>

#include <algorithm>

namespace velkrant {

namespace {

// The ascent of the caption's line: that of its tallest font, which for a
// Chinese caption is the fallback CJK font rather than the widget's own.
qreal LineAscent(const QString& text, const QFont& font) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    return line.ascent();
}

}  // namespace

void CompactCheckBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QStyle* look = style();

    QStyleOptionButton indicator = option;
    const int side = std::min(look->pixelMetric(QStyle::PM_IndicatorHeight, &option, this), height());
    indicator.rect = QRect(0, (height() - side) / 2, side, side);
    painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, indicator);

    // The em box centred, but never so low that the accelerator's underline
    // (lower in CJK fonts) would fall out of the box.
    const int em = EmBox::Em(font());
    const int underlineBottom = fontMetrics().underlinePos() + fontMetrics().lineWidth();
    const int baseline = std::min((height() - em) / 2 + qRound(EmBox::BaselineInEm * em), height() - underlineBottom);
    const int left = side + look->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
    const int top = baseline - qCeil(LineAscent(option.text, font()));
    const QRect captionArea(left, top, width() - left, height() - top);
    const int flags = Qt::AlignLeft | Qt::AlignTop |
                      (look->styleHint(QStyle::SH_UnderlineShortcut, &option, this) ? Qt::TextShowMnemonic
                                                                                     : Qt::TextHideMnemonic);
    painter.drawItemText(captionArea, flags, palette(), isEnabled(), option.text, QPalette::WindowText);

    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.rect = look->itemTextRect(fontMetrics(), captionArea, flags, isEnabled(), option.text)
                         .adjusted(-1, 0, 1, 0)
                         .intersected(rect());
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

}  // namespace velkrant
