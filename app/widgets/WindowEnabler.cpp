#include "WindowEnabler.h"

namespace velkrant {

void WindowEnabler::RememberFocus() {
    if (!savedFocus_) {
        savedFocus_ = window_.focusWidget();
    }
}

void WindowEnabler::SetEnabled(bool enabled) {
    if (!enabled) {
        RememberFocus();
    }
    window_.setEnabled(enabled);
    if (enabled && savedFocus_ && window_.isVisible()) {
        savedFocus_->setFocus(Qt::OtherFocusReason);
    }
    if (enabled) {
        savedFocus_.clear();
    }
}

}  // namespace velkrant
