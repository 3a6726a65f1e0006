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

    /// Notes where the window's focus is, unless a run already noted it.
    /// Disabling does this too; call it first when disabling a parent
    /// window will take the focus away before this window's turn.
    void RememberFocus();

    void SetEnabled(bool enabled);

private:
    QWidget& window_;
    QPointer<QWidget> savedFocus_;
};

}  // namespace velkrant
