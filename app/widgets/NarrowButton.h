#pragma once
// A push button whose caption wraps onto further lines when the button is
// too narrow for it, as the batch window's slim buttons need ("粘贴" on
// two lines), set one em per line (EmBox.h). Its text stays the caption
// as it is, for accessibility; the caption is drawn as written, so it is
// for captions without an accelerator, as the batch window's are.

#include <QPushButton>

namespace velkrant {

class NarrowButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace velkrant
