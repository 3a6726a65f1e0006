#include "SelectAllOnFocus.h"

#include <QEvent>
#include <QFocusEvent>
#include <QMetaObject>
#include <QWidget>

namespace velkrant {

void SelectAllOnFocus::Install(QWidget* box) {
    box->installEventFilter(new SelectAllOnFocus(box));
}

bool SelectAllOnFocus::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::FocusIn) return false;
    // Only the user moving into the box selects; focus that comes back with
    // the window (after a message box) or from the program keeps the caret.
    switch (static_cast<QFocusEvent*>(event)->reason()) {
        case Qt::MouseFocusReason:
            QMetaObject::invokeMethod(watched, "selectAll");
            // The click places the caret after the focus arrived; selecting
            // once more when that press has been handled keeps the whole
            // text selected.
            QMetaObject::invokeMethod(watched, "selectAll", Qt::QueuedConnection);
            break;
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
        case Qt::ShortcutFocusReason:
            QMetaObject::invokeMethod(watched, "selectAll");
            break;
        default:
            break;
    }
    return false;
}

}  // namespace velkrant
