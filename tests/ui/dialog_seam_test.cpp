#include "ui/dialog_seam.h"

#include <QDialog>
#include <QMessageBox>
#include <QTest>

#include <gtest/gtest.h>

TEST(DialogSeam, EveryModalWindowIsKeptAboveTheTargetWindow) {
    QDialog dialog;
    Qt::WindowFlags seen;
    DialogSeam::Responder responder;
    responder.dialog = [&seen](QDialog* shown) {
        seen = shown->windowFlags();
        return 1;
    };
    DialogSeam::SetResponder(responder);
    EXPECT_EQ(DialogSeam::Exec(&dialog), 1);
    DialogSeam::SetResponder({});
    EXPECT_TRUE(seen & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(seen & Qt::WindowType_Mask, Qt::Dialog);

    QMessageBox box(QMessageBox::Warning, "Warnung", "?");
    DialogSeam::KeepAboveTarget(&box);
    EXPECT_TRUE(box.windowFlags() & Qt::WindowStaysOnTopHint);

    // A window already shown is left as it is: new flags would hide it.
    QDialog shown;
    shown.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&shown));
    DialogSeam::KeepAboveTarget(&shown);
    EXPECT_TRUE(shown.isVisible());
    EXPECT_FALSE(shown.windowFlags() & Qt::WindowStaysOnTopHint);
}
