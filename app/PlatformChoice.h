#pragma once
// Which windowing platform the program asks Qt for. Its windows must be
// placed (the main window at the golden section, the batch window right
// beneath it), and a Wayland client cannot place its windows; so on a
// Wayland session the program prefers XWayland, falling back to Wayland
// where no X server is at hand. The user's own QT_QPA_PLATFORM always wins.

#include <QByteArray>

#include <functional>

namespace velkrant::PlatformChoice {

/// Reads one environment variable; empty when unset.
using Environment = std::function<QByteArray(const char* name)>;

/// The value for QT_QPA_PLATFORM, or empty to leave Qt's own choice.
///
///     ForSession(environment) == "xcb;wayland"  // Wayland session, DISPLAY set, QT_QPA_PLATFORM unset
QByteArray ForSession(const Environment& environment);

/// Sets QT_QPA_PLATFORM for this process as ForSession says; call it
/// before the application object is created.
void Apply();

}  // namespace velkrant::PlatformChoice
