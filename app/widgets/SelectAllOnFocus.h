#pragma once
// Selects a text box's whole text whenever the user moves the focus into
// it, by mouse or keyboard (or comes back to its window), so a link can be
// replaced or copied in one go.

#include <QObject>

namespace velkrant {

class SelectAllOnFocus : public QObject {
public:
    /// Works for any widget with a selectAll() slot (line and plain-text
    /// edits); the filter is owned by `box`.
    ///
    ///     SelectAllOnFocus::Install(txtInput);
    static void Install(QWidget* box);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;

    bool awaitingClick_ = false;  // focus just arrived; a click may follow
};

}  // namespace velkrant
