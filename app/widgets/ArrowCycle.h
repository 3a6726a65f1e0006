#pragma once
// Arrow keys in a group of option buttons: they step through the buttons
// in the group's own order, not by where the buttons happen to stand on
// the screen, and wrap around at either end.

#include <QObject>

#include <vector>

class QAbstractButton;

namespace velkrant {

class ArrowCycle : public QObject {
public:
    /// Right and Down select the next button of `buttons`, Left and Up the
    /// previous one; past the last comes the first, and the other way
    /// round. Selecting clicks the button and gives it the focus, as a
    /// click with the mouse would. Belongs to the first button's parent.
    ///
    ///     ArrowCycle::Install({optOption[0], optOption[1], optOption[2]});
    static void Install(std::vector<QAbstractButton*> buttons);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit ArrowCycle(std::vector<QAbstractButton*> buttons);

    std::vector<QAbstractButton*> buttons_;
};

}  // namespace velkrant
