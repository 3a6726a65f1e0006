#pragma once
// A check box whose caption is set in one em, centred in the box, so that
// the caption, its accelerator's underline and the whole indicator fit a
// designed height of one line of 9-point text. The standard
// drawing centres the font's full line height instead, which pushes the
// underline and the indicator's lower edge out of a 13-pixel box.

#include <QCheckBox>

namespace velkrant {

class CompactCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace velkrant
