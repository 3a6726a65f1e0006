#include "SelectAllOnFocus.h"

#include <QEvent>
#include <QFocusEvent>
#include <QMetaObject>
#include <QWidget>

namespace velkrant {

bool SelectAllOnFocus::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
        case QEvent::FocusIn: {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            switch (reason) {
                case Qt::MouseFocusReason:
                case Qt::TabFocusReason:
                case Qt::BacktabFocusReason:
                case Qt::ShortcutFocusReason:
                case Qt::ActiveWindowFocusReason:
                    selectAll_(reason != Qt::ActiveWindowFocusReason);
                    // A click places the caret after the focus arrived (with
                    // a window manager, a click into an inactive window
                    // brings the focus back with the window first).
                    // Selecting once more when that press has been handled
                    // keeps the whole text selected.
                    awaitingClick_ = true;
                    break;
                default:
                    // The program putting the caret back (after a batch
                    // run) leaves it where the user had it.
                    break;
            }
            break;
        }
        case QEvent::MouseButtonPress:
            if (awaitingClick_) {
                QMetaObject::invokeMethod(this, [this] { selectAll_(true); }, Qt::QueuedConnection);
            }
            awaitingClick_ = false;
            break;
        case QEvent::KeyPress:
        case QEvent::FocusOut:
            awaitingClick_ = false;
            break;
        default:
            break;
    }
    return false;
}

}  // namespace velkrant
