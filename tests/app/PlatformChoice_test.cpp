#include "PlatformChoice.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace velkrant::PlatformChoice {
namespace {

using test::PrintTo;

struct PlatformCase {
    const char* name;
    std::map<std::string, QByteArray> environment;
    QByteArray platform;  // empty: Qt's own choice
};

class PlatformChoiceTest : public testing::TestWithParam<PlatformCase> {};

TEST_P(PlatformChoiceTest, WaylandSessionsAskForXWaylandUnlessTheUserChose) {
    const auto& environment = GetParam().environment;
    const QByteArray chosen = ForSession([&](const char* name) {
        const auto found = environment.find(name);
        return found == environment.end() ? QByteArray() : found->second;
    });
    EXPECT_EQ(chosen.toStdString(), GetParam().platform.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Sessions, PlatformChoiceTest,
    testing::Values(
        PlatformCase{"X11Session", {{"XDG_SESSION_TYPE", "x11"}, {"DISPLAY", ":0"}}, ""},
        PlatformCase{"WaylandSession", {{"XDG_SESSION_TYPE", "wayland"}, {"WAYLAND_DISPLAY", "wayland-0"},
                                        {"DISPLAY", ":0"}}, "xcb;wayland"},
        PlatformCase{"WaylandDisplayWithoutSessionType", {{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":1"}},
                     "xcb;wayland"},
        PlatformCase{"WaylandWithoutXWayland", {{"XDG_SESSION_TYPE", "wayland"}, {"WAYLAND_DISPLAY", "wayland-0"}},
                     ""},
        PlatformCase{"UsersChoiceWins", {{"XDG_SESSION_TYPE", "wayland"}, {"WAYLAND_DISPLAY", "wayland-0"},
                                         {"DISPLAY", ":0"}, {"QT_QPA_PLATFORM", "wayland"}}, ""},
        PlatformCase{"NoDesktopAtAll", {}, ""}),
    test::RowName);

}  // namespace
}  // namespace velkrant::PlatformChoice
