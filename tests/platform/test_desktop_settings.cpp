// The scales of the desktop backends (the backends themselves change the
// user's real settings, so they are not run here).
#include "platform/desktop/DesktopBackends.h"

#include <gtest/gtest.h>

namespace vux::desktop {
namespace {

TEST(DesktopScales, WindowsSpeedToLibinputAndBack) {
    struct Case {
        int windows;
        double libinput;
    } cases[] = {{1, -0.9}, {8, -0.2}, {10, 0.0}, {16, 0.6},
                 {18, 0.8}, {20, 1.0}, {0, -1.0}, {25, 1.0}};
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(libinputSpeedOf(c.windows), c.libinput) << c.windows;
        if (c.windows >= 1 && c.windows <= 20)
            EXPECT_EQ(windowsSpeedOfLibinput(c.libinput), c.windows);
    }
    EXPECT_EQ(windowsSpeedOfLibinput(-5.0), 1);
    EXPECT_EQ(windowsSpeedOfLibinput(5.0), 20);
}

TEST(DesktopScales, CorePointerMultiplierFollowsTheWindowsTable) {
    EXPECT_EQ(kSpeedNumerators[9], kSpeedDenominator); // speed 10 = 1x
    for (int speed = 1; speed <= 20; ++speed)
        EXPECT_EQ(windowsSpeedOfMultiplier(kSpeedNumerators[static_cast<std::size_t>(speed - 1)],
                                           kSpeedDenominator),
                  speed);
    EXPECT_EQ(windowsSpeedOfMultiplier(2, 1), 14); // the X server's default acceleration
    EXPECT_EQ(windowsSpeedOfMultiplier(1, 0), 10);
}

TEST(DesktopScales, ASessionWithoutSettingsFailsEveryQuery) {
    auto none = makeNoSettings();
    EXPECT_FALSE(none->pointerSpeed());
    EXPECT_FALSE(none->wheelScrollLines());
    EXPECT_FALSE(none->setPointerSpeed(10));
}

} // namespace
} // namespace vux::desktop
