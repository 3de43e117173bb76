#include "PlatformChoice.h"

#include <QMap>
#include <gtest/gtest.h>

namespace {

QByteArray choose(const QMap<QByteArray, QByteArray>& environment)
{
    return PlatformChoice::forced(
        [&environment](const char* name) { return environment.value(name); });
}

TEST(PlatformChoiceTest, WaylandSessionWithXWaylandRunsOnX11)
{
    EXPECT_EQ(choose({{"XDG_SESSION_TYPE", "wayland"}, {"DISPLAY", ":0"}}), "xcb");
    EXPECT_EQ(choose({{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":1"}}), "xcb");
}

TEST(PlatformChoiceTest, UsersOwnChoiceWins)
{
    EXPECT_EQ(choose({{"QT_QPA_PLATFORM", "wayland"},
                      {"XDG_SESSION_TYPE", "wayland"},
                      {"DISPLAY", ":0"}}),
              "");
}

TEST(PlatformChoiceTest, LeftAloneWithoutXWaylandOrOutsideWayland)
{
    EXPECT_EQ(choose({{"XDG_SESSION_TYPE", "wayland"}, {"WAYLAND_DISPLAY", "wayland-0"}}), "");
    EXPECT_EQ(choose({{"XDG_SESSION_TYPE", "x11"}, {"DISPLAY", ":0"}}), "");
    EXPECT_EQ(choose({}), "");
}

} // namespace
