#pragma once
// Creating a window's controls from its design table: each control gets
// its designed name as object name and its geometry from twips.

#include "Twips.h"

#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include <type_traits>

namespace velkrant::Controls {

/// A control of type `Control` in `container`, named and placed.
///
///     auto* txtInput = Controls::Place<QLineEdit>(picAddress, "txtInput", {660, 60, 4995, 270});
template <class Control>
Control* Place(QWidget* container, const char* name, const QRect& twips) {
    auto* control = new Control(container);
    control->setObjectName(QLatin1String(name));
    control->setGeometry(Twips::ToRect(twips.x(), twips.y(), twips.width(), twips.height()));
    return control;
}

/// A control with a caption (label, button, check box, frame).
///
///     auto* cmdCode = Controls::PlaceCaptioned<QPushButton>(this, "cmdCode", u"加/解密(&C)", {5100, 1260, 1635, 375});
template <class Control>
Control* PlaceCaptioned(QWidget* container, const char* name, const char16_t* caption, const QRect& twips) {
    auto* control = Place<Control>(container, name, twips);
    const QString text = QString::fromUtf16(caption);
    if constexpr (requires { control->setTitle(text); }) {
        control->setTitle(text);
    } else {
        control->setText(text);
    }
    // Enter presses the button that has the focus, as Space does. None is
    // the window's default button: Enter in a text box presses nothing.
    if constexpr (std::is_base_of_v<QPushButton, Control>) {
        control->setAutoDefault(true);
    }
    return control;
}

/// Sets the window's font to the size its geometry was laid out for (9
/// points), keeping the system's family, so that captions fit the designed
/// rectangles on any desktop.
void UseDesignFont(QWidget* window);

/// Gives a read-only box the button-face background, so it reads as
/// output at a glance.
void UseButtonFaceBackground(QWidget* box);

/// Chains the focus through `controls` in the order given.
void SetTabOrder(std::initializer_list<QWidget*> controls);

}  // namespace velkrant::Controls
