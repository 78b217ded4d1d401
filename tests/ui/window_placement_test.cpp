#include "ui/window_placement.h"

#include <gtest/gtest.h>

TEST(Placement, StringHasTheMarkFlagsShowStateAndTheNormalRectangle) {
    const WindowPlacement p{0, ShowMaximized, QRect(10, 20, 660, 350)};
    EXPECT_EQ(FormatPlacement(p), "200,0,3,10,20,670,370");
    const auto back = ParsePlacement("200,0,3,10,20,670,370");
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->ShowCmd, ShowMaximized);
    EXPECT_EQ(back->Normal, QRect(10, 20, 660, 350));
}

TEST(Placement, MalformedStringsAreIgnored) {
    for (const char* bad :
         {"", "200,0,1,10,20,670", "201,0,1,10,20,670,370", "200,0,1,10,20,670,370,5",
          "200,0,1,10,x,670,370", "200,0,1,10,20,10,370", "200, 0,1,10,20,670,370"})
        EXPECT_FALSE(ParsePlacement(bad).has_value()) << bad;
}

TEST(Placement, RectangleIsKeptOnTheDesktop) {
    const QRect desktop(0, 0, 1920, 1080);
    // Left edge -50, right edge 610: moved right to 0..660.
    EXPECT_EQ(KeepOnDesktop(QRect(-50, 100, 660, 350), desktop), QRect(0, 100, 660, 350));
    EXPECT_EQ(KeepOnDesktop(QRect(1500, 900, 660, 350), desktop), QRect(1260, 730, 660, 350));
    EXPECT_EQ(KeepOnDesktop(QRect(10, -5, 660, 350), desktop), QRect(10, 0, 660, 350));
    // Larger than the desktop: the left and top edges win.
    EXPECT_EQ(KeepOnDesktop(QRect(100, 100, 2000, 1200), desktop), QRect(0, 0, 2000, 1200));
    // A monitor left of the primary one: the desktop starts at a negative edge.
    const QRect wide(-1920, 0, 3840, 1080);
    EXPECT_EQ(KeepOnDesktop(QRect(-1900, 10, 660, 350), wide), QRect(-1900, 10, 660, 350));
    EXPECT_EQ(KeepOnDesktop(QRect(1800, 10, 660, 350), wide), QRect(1260, 10, 660, 350));
}

TEST(Placement, TheFrameIsKeptOnTheDesktopNotOnlyTheClientArea) {
    const QRect desktop(0, 0, 1024, 768);
    const QMargins frame(1, 20, 1, 5); // a title bar 20 pixels high
    // A stored top edge of -80: the title bar comes down onto the desktop.
    EXPECT_EQ(KeepFrameOnDesktop(QRect(100, -80, 660, 350), frame, desktop),
              QRect(100, 20, 660, 350));
    EXPECT_EQ(KeepFrameOnDesktop(QRect(-50, 10, 660, 350), frame, desktop), QRect(1, 20, 660, 350));
    EXPECT_EQ(KeepFrameOnDesktop(QRect(600, 500, 660, 350), frame, desktop),
              QRect(363, 413, 660, 350));
    EXPECT_EQ(KeepFrameOnDesktop(QRect(5, 30, 660, 350), frame, desktop), QRect(5, 30, 660, 350));
}

TEST(Placement, DesktopRulesHoldAwayFromTheOriginAndAtTheExactLimits) {
    const QRect desktop(100, 50, 1000, 700); // right edge 1100, bottom edge 750, exclusive
    EXPECT_EQ(KeepOnDesktop(QRect(440, 400, 660, 350), desktop), QRect(440, 400, 660, 350));
    EXPECT_EQ(KeepOnDesktop(QRect(441, 401, 660, 350), desktop), QRect(440, 400, 660, 350));
    EXPECT_EQ(KeepOnDesktop(QRect(100, 50, 660, 350), desktop), QRect(100, 50, 660, 350));
    EXPECT_EQ(KeepOnDesktop(QRect(99, 49, 660, 350), desktop), QRect(100, 50, 660, 350));
}
