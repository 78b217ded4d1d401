#include "shell/banner.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(Banner, TextEntersAtTheRightAndLeavesAtTheLeft) {
    EXPECT_EQ(Banner::TextLeft(0, 900, 660), 660);
    EXPECT_EQ(Banner::TextLeft(Banner::StepCount, 900, 660), -900);
    EXPECT_EQ(Banner::TextLeft(750, 900, 660), 780 - 900);
    // (900 + 661) * (1 - 1 / 1500) = 1559.959...: to the nearest pixel.
    EXPECT_EQ(Banner::TextLeft(1, 900, 661), 1560 - 900);
}

TEST(Banner, StepsEveryHundredMillisecondsAndStartsAgainAfterTheLast) {
    QWidget window;
    Banner banner(&window);
    banner.SetStep(Banner::StepCount - 1);
    window.show();
    banner.Start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return banner.Step() == Banner::StepCount; }, 1000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return banner.Step() == 0; }, 1000));
}

// An idle game that nobody sees wakes nobody up.
TEST(Banner, StandsStillWhileItsWindowIsHiddenOrMinimised) {
    QWidget window;
    Banner banner(&window);
    banner.Start();
    EXPECT_FALSE(banner.Moving()) << "the window was never shown";
    window.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return banner.Moving(); }, 1000));
    window.hide();
    EXPECT_FALSE(banner.Moving());
    window.show();
    EXPECT_TRUE(banner.Moving());
    window.setWindowState(Qt::WindowMinimized);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !banner.Moving(); }, 1000));
    const int step = banner.Step();
    window.setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(QTest::qWaitFor([&] { return banner.Moving(); }, 1000));
    EXPECT_EQ(banner.Step(), step);
}

TEST(Banner, PressOnItAsksForTheHomepage) {
    QWidget window;
    Banner banner(&window);
    banner.resize(300, 17);
    QSignalSpy clicks(&banner, &Banner::clicked);
    QTest::mouseClick(&banner, Qt::LeftButton, {}, QPoint(150, 8));
    EXPECT_EQ(clicks.count(), 1);
}

TEST(HomeLink, FailureSwitchesTheLinkOffForGood) {
    HomeLink link(QUrl("https://www.example.org/"));
    QList<QUrl> opened;
    bool succeed = true;
    link.Open = [&](const QUrl& url) {
        opened << url;
        return succeed;
    };
    link.Click();
    EXPECT_TRUE(link.IsOn());
    succeed = false;
    link.Click();
    EXPECT_FALSE(link.IsOn());
    succeed = true;
    link.Click();
    EXPECT_EQ(opened.size(), 2);
}

} // namespace
