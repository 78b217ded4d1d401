#include "shell/tongdlg.h"

#include "dialog_test_support.h"
#include "ui/dialog_seam.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class LanguageDialog : public ::testing::Test {
  protected:
    GameData data;
    TTongueDlg dialog{data, nullptr};

    QPushButton* Button(const char* name) { return Child<QPushButton>(&dialog, name); }
    void TearDown() override { DialogSeam::SetResponder({}); }
};

} // namespace

TEST_F(LanguageDialog, EachButtonSetsItsLanguageAndCloses) {
    dialog.show();
    Button("GermanBtn")->click();
    EXPECT_EQ(data.Language, 1);
    EXPECT_FALSE(dialog.isVisible());
    dialog.show();
    Button("EnglishBtn")->click();
    EXPECT_EQ(data.Language, 0);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(LanguageDialog, EnglishHasTheFocusAndAnswersEnter) {
    DialogSeam::Responder responder;
    responder.dialog = [&](QDialog* d) {
        d->show();
        EXPECT_EQ(d->focusWidget(), Button("EnglishBtn"));
        QTest::keyClick(d, Qt::Key_Return);
        return d->result();
    };
    DialogSeam::SetResponder(responder);
    DialogSeam::Exec(&dialog);
    EXPECT_EQ(data.Language, 0);
}

TEST_F(LanguageDialog, EscapeDoesNotCloseIt) {
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(data.Language, -1);
}

TEST_F(LanguageDialog, CloseBoxLeavesTheLanguageUnchosen) {
    dialog.show();
    dialog.close();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(data.Language, -1);
}

TEST_F(LanguageDialog, ButtonsSpeakTheirOwnLanguageWithFlags) {
    EXPECT_EQ(dialog.windowTitle(), "Fribo Trigonet V2.6");
    EXPECT_EQ(Button("EnglishBtn")->text(), "I speak english.");
    EXPECT_EQ(Button("GermanBtn")->text(), "Ich spreche deutsch.");
    EXPECT_FALSE(Button("EnglishBtn")->icon().isNull());
    EXPECT_FALSE(Button("GermanBtn")->icon().isNull());
}
