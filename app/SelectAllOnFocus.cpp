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
    if (event->type() == QEvent::FocusIn) {
        QMetaObject::invokeMethod(watched, "selectAll");
        // A click places the caret after the focus arrived; selecting once
        // more when that press has been handled keeps the whole text
        // selected.
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason) {
            QMetaObject::invokeMethod(watched, "selectAll", Qt::QueuedConnection);
        }
    }
    return false;
}

}  // namespace velkrant
