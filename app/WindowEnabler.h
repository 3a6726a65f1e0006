#pragma once
// Disables and re-enables a whole window around a batch run. Disabling a
// window in Qt takes the focus away from its controls; the enabler puts it
// back where it was, so the user finds the caret where they left it.

#include <QPointer>
#include <QWidget>

namespace velkrant {

class WindowEnabler {
public:
    /// `window` must outlive the enabler (the window usually owns it).
    ///
    ///     WindowEnabler enabler(*this);
    ///     enabler.SetEnabled(false); /* ... */ enabler.SetEnabled(true);
    explicit WindowEnabler(QWidget& window) : window_(window) {}

    void SetEnabled(bool enabled);

private:
    QWidget& window_;
    QPointer<QWidget> savedFocus_;
};

}  // namespace velkrant
