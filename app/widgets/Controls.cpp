#include "Controls.h"

#include <QFont>
#include <QPalette>

namespace velkrant::Controls {

void UseDesignFont(QWidget* window) {
    QFont font = window->font();
    font.setPointSize(9);
    window->setFont(font);
}

void UseButtonFaceBackground(QWidget* box) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    box->setPalette(palette);
}

void SetTabOrder(std::initializer_list<QWidget*> controls) {
    QWidget* previous = nullptr;
    for (QWidget* control : controls) {
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, control);
        }
        previous = control;
    }
}

}  // namespace velkrant::Controls
