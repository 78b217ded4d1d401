#include "ui/centre_over_main.h"

#include <QCoreApplication>
#include <QDialog>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

// The exact first placement under a real frame is checked in window_manager_test.cpp.
namespace {

// What is still watching the window to place it again; none once it has settled.
QObject* Placer(QDialog& dialog) {
    return dialog.windowHandle()->findChild<QObject*>("PlaceWhenFramed",
                                                      Qt::FindDirectChildrenOnly);
}

struct Placing : ::testing::Test {
    QWidget main;
    QDialog dialog{&main};
    int paints = 0;

    void SetUp() override {
        main.setGeometry(100, 100, 660, 350);
        main.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
        dialog.resize(300, 200);
        dialog.installEventFilter(&paintCounter);
    }

    struct PaintCounter : QObject {
        int& paints;
        explicit PaintCounter(int& paints) : paints(paints) {}
        bool eventFilter(QObject*, QEvent* event) override {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } paintCounter{paints};
};

TEST_F(Placing, PlacesNowAndOnceMoreWhenTheFrameIsKnownOnEveryShowing) {
    int calls = 0;
    PlaceNowAndWhenFramed(&dialog, [&calls] { ++calls; });
    EXPECT_EQ(calls, 1);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(calls, 2);
    const int paintsBefore = paints;
    dialog.update();
    ASSERT_TRUE(QTest::qWaitFor([&] { return paints > paintsBefore; }));
    QCoreApplication::processEvents(); // and whatever that painting queued
    EXPECT_EQ(calls, 2);               // later paintings leave the window where the player put it
    dialog.hide();
    PlaceNowAndWhenFramed(&dialog, [&calls] { calls += 10; });
    PlaceNowAndWhenFramed(&dialog, [&calls] { calls += 100; }); // replaces the one pending
    dialog.show();
    // A second exposure may come later than the window's state says.
    EXPECT_TRUE(QTest::qWaitFor([&] { return calls >= 212; }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Placer(dialog); }));
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
        const int before = calls;
        dialog.windowHandle()->setPosition(400 + round, 300);
        ASSERT_TRUE(QTest::qWaitFor([&] { return calls > before || !Placer(dialog); })) << round;
    }
    QCoreApplication::processEvents(); // the last moves reach the window before it hides
    EXPECT_EQ(calls, 5); // the first placement and four more at most
    EXPECT_EQ(dialog.windowHandle()->position(), QPoint(405, 300));
    dialog.hide();

    // Once the window has settled the player's moves are its own.
    calls = 0;
    PlaceNowAndWhenFramed(&dialog, [&] { ++calls; });
    dialog.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return calls == 2; }, 1000));
    ASSERT_NE(Placer(dialog), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Placer(dialog); })); // settled
    dialog.windowHandle()->setPosition(420, 310);
    QCoreApplication::processEvents(); // the move reaches the window
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(dialog.windowHandle()->position(), QPoint(420, 310));
}

} // namespace
