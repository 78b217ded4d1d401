#include "ui/centre_over_main.h"

#include <QDialog>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

// The exact first placement under a real frame is checked in window_manager_test.cpp.
namespace {

struct Placing : ::testing::Test {
    QWidget main;
    QDialog dialog{&main};

    void SetUp() override {
        main.setGeometry(100, 100, 660, 350);
        main.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
        dialog.resize(300, 200);
    }
};

TEST_F(Placing, PlacesNowAndOnceMoreWhenTheFrameIsKnownOnEveryShowing) {
    int calls = 0;
    PlaceNowAndWhenFramed(&dialog, [&calls] { ++calls; });
    EXPECT_EQ(calls, 1);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(calls, 2);
    dialog.update();
    QTest::qWait(20);
    EXPECT_EQ(calls, 2); // later exposures leave the window where the player put it
    dialog.hide();
    PlaceNowAndWhenFramed(&dialog, [&calls] { calls += 10; });
    PlaceNowAndWhenFramed(&dialog, [&calls] { calls += 100; }); // replaces the one pending
    dialog.show();
    for (int wait = 0; wait < 100 && calls < 212; ++wait)
        QTest::qWait(10); // a second exposure may come later than the window's state says
    EXPECT_EQ(calls, 2 + 10 + 100 + 100);
}

TEST_F(Placing, AWindowManagersLateMoveIsPlacedAgainABoundedNumberOfTimesButNotOnceSettled) {
    int calls = 0;
    const QPoint rule(150, 160);
    PlaceNowAndWhenFramed(&dialog, [&] {
        ++calls;
        dialog.move(rule);
    });
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    ASSERT_EQ(calls, 2);
    // Moved behind the widget's back, as a window manager does: back on the rule.
    dialog.windowHandle()->setPosition(400, 300);
    EXPECT_TRUE(QTest::qWaitFor([&] { return calls == 3; }, 1000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.pos() == rule; }, 1000)) << dialog.pos().x();
    // One that keeps moving it does not get an endless fight.
    for (int round = 0; round < 6; ++round) {
        dialog.windowHandle()->setPosition(400 + round, 300);
        QTest::qWait(30);
    }
    EXPECT_EQ(calls, 5); // the first placement and four more at most
    dialog.hide();

    // Once the window has settled the player's moves are its own.
    calls = 0;
    PlaceNowAndWhenFramed(&dialog, [&] { ++calls; });
    dialog.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return calls == 2; }, 1000));
    QTest::qWait(700);
    dialog.windowHandle()->setPosition(420, 310);
    QTest::qWait(50);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(dialog.windowHandle()->position(), QPoint(420, 310));
}

} // namespace
