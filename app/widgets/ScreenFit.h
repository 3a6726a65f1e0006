#pragma once
// Keeping windows on the screen. Every rectangle is a window's outer frame,
// as the window manager draws it, in the screen's logical pixels; `area` is
// the screen's available area (without panels and docks).

#include <QRect>

namespace velkrant::ScreenFit {

/// `window` moved as little as needed to lie inside `area`. A window wider
/// or taller than the area keeps its top or left edge inside, so its title
/// bar stays within reach.
///
///     MovedInside({-20, 850, 463, 200}, {0, 0, 1280, 900}) == QRect(0, 700, 463, 200)
QRect MovedInside(const QRect& window, const QRect& area);

/// Where an upper window and a lower one of `lowerHeight` go when the lower
/// one sits directly beneath the upper one, with the same left edge and
/// width and the frames touching.
struct Stack {
    QRect upper;
    QRect lower;
};

/// Both windows inside `area`, moved as little as needed: the upper one is
/// first moved inside, then up until the lower one fits beneath it. When
/// the area cannot hold both, the upper one goes to the area's top and the
/// lower one is shortened to the room left (never below one pixel); it
/// never covers the upper one.
///
///     Beneath({409, 600, 463, 190}, 283, {0, 0, 1280, 900}).upper == QRect(409, 427, 463, 190)
Stack Beneath(const QRect& upper, int lowerHeight, const QRect& area);

}  // namespace velkrant::ScreenFit
