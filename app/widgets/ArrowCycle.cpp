#include "ArrowCycle.h"

#include <QAbstractButton>
#include <QKeyEvent>

#include <algorithm>
#include <utility>

namespace velkrant {

namespace {

// +1 for the next button, -1 for the previous one, 0 for any other key.
int StepOf(const QKeyEvent& key) {
    if (key.modifiers() & ~Qt::KeypadModifier) return 0;
    switch (key.key()) {
        case Qt::Key_Right:
        case Qt::Key_Down:
            return 1;
        case Qt::Key_Left:
        case Qt::Key_Up:
            return -1;
        default:
            return 0;
    }
}

}  // namespace

void ArrowCycle::Install(std::vector<QAbstractButton*> buttons) {
    new ArrowCycle(std::move(buttons));
}

ArrowCycle::ArrowCycle(std::vector<QAbstractButton*> buttons)
    : QObject(buttons.front()->parent()), buttons_(std::move(buttons)) {
    for (QAbstractButton* button : buttons_) {
        button->installEventFilter(this);
    }
}

bool ArrowCycle::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const int step = StepOf(*static_cast<QKeyEvent*>(event));
    const auto at = std::find(buttons_.begin(), buttons_.end(), watched);
    if (step == 0 || at == buttons_.end()) return false;
    const int count = static_cast<int>(buttons_.size());
    QAbstractButton* next = buttons_[(static_cast<int>(at - buttons_.begin()) + step + count) % count];
    next->click();
    next->setFocus(Qt::OtherFocusReason);
    return true;
}

}  // namespace velkrant
