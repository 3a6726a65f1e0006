#pragma once
// Window and control geometry is designed in twips, 15 to a logical pixel
// at 96 dots per inch. Every conversion goes through here, so the designed
// tables are applied the same way everywhere; Qt's high-DPI scaling maps
// logical pixels to the device.

#include <QRect>

namespace velkrant::Twips {

inline constexpr int PerPixel = 15;

/// Twips to logical pixels, rounded to the nearest pixel.
///
///     Twips::ToPixels(660) == 44
int ToPixels(double twips);

/// Logical pixels to twips.
///
///     Twips::FromPixels(461) == 6915
int FromPixels(int pixels);

/// A designed rectangle (left, top, width, height in twips) in pixels.
///
///     Twips::ToRect(660, 60, 4995, 270) == QRect(44, 4, 333, 18)
QRect ToRect(int left, int top, int width, int height);

}  // namespace velkrant::Twips
