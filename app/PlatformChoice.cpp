#include "PlatformChoice.h"

#include <QtGlobal>

namespace velkrant::PlatformChoice {

QByteArray ForSession(const Environment& environment) {
    if (!environment("QT_QPA_PLATFORM").isEmpty()) return {};
    const bool wayland =
        environment("XDG_SESSION_TYPE") == "wayland" || !environment("WAYLAND_DISPLAY").isEmpty();
    // XWayland shows itself as an X display; Qt tries the platforms in
    // order, so a missing X plugin still leaves Wayland.
    if (!wayland || environment("DISPLAY").isEmpty()) return {};
    return "xcb;wayland";
}

void Apply() {
    const QByteArray platform = ForSession([](const char* name) { return qgetenv(name); });
    if (!platform.isEmpty()) qputenv("QT_QPA_PLATFORM", platform);
}

}  // namespace velkrant::PlatformChoice
