#include "WindowEnabler.h"

namespace velkrant {

void WindowEnabler::SetEnabled(bool enabled) {
    if (!enabled && window_.isEnabled()) {
        savedFocus_ = window_.focusWidget();
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
