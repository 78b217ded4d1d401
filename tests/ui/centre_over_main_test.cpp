#include "ui/centre_over_main.h"

#include <QDialog>
#include <QTest>
#include <QWidget>

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

} // namespace
