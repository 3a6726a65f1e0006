#pragma once
// A push button whose caption wraps onto further lines when the button is
// too narrow for it, as the batch window's slim buttons need ("粘贴" on
// two lines). Its text stays the caption as it is, for shortcuts and
// accessibility.

#include <QPushButton>

namespace velkrant {

class NarrowButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace velkrant
