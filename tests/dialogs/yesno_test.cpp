#include "dialogs/yesno.h"

#include "dialog_test_support.h"
#include "game/data.h"
#include "support/test_figures.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct YesNoTest : ::testing::Test {
    GameData data;
    QWidget main;
    TYesNoDlg* dialog = nullptr;
    SeamRecorder seam;

    void SetUp() override {
        main.setGeometry(100, 100, 660, 350);
        dialog = new TYesNoDlg(data, &main);
    }
    void TearDown() override { delete dialog; }

    // Runs the dialog of `kind` and lets `act` close it, as the player would.
    int Answer(int kind, const std::function<void()>& act) {
        seam.onDialog = [&](QDialog* d) {
            d->show();
            act();
            const int result = d->isVisible() ? -1 : d->result();
            d->hide();
            return result;
        };
        return static_cast<int>(dialog->ShowModal(static_cast<MessageKind>(kind)));
    }
    QPushButton* Yes(int kind) { return dialog->YesButton(kind); }
    QPushButton* No(int kind) { return dialog->NoButton(kind); }
};

TEST_F(YesNoTest, EnglishTextsForEveryLanguageButGerman) {
    for (int language : {0, -1, 7}) {
        data.Language = language;
        dialog->FormActivate();
        EXPECT_EQ(dialog->Message(1), "Hurrah, you did it!");
        EXPECT_EQ(dialog->Message(2), "Do you really want to give up the level?");
        EXPECT_EQ(dialog->Message(3), "Do you really want to go?");
        EXPECT_EQ(dialog->Message(4), "Do you really want to give up the game?");
        EXPECT_EQ(dialog->Message(5), "Sorry, you weren't quick enough!");
        EXPECT_EQ(dialog->Message(6), "Congratulation, you solved all levels.");
        EXPECT_EQ(dialog->Message(7), "Sorry, game over!");
        EXPECT_EQ(dialog->Message(8), "The next level is waiting!");
        EXPECT_EQ(dialog->Message(9), "Sorry, that was it!");
        EXPECT_EQ(Yes(3)->text(), "Yes");
        EXPECT_EQ(No(4)->text(), "No");
    }
}

TEST_F(YesNoTest, GermanTextsWhenTheLanguageIsOne) {
    data.Language = 1;
    dialog->FormActivate();
    EXPECT_EQ(dialog->Message(1), "Hurra, geschafft!");
    EXPECT_EQ(dialog->Message(2), "Willst Du die Stufe wirklich aufgeben?");
    EXPECT_EQ(dialog->Message(3), "Willst Du wirklich schon aufhören?");
    EXPECT_EQ(dialog->Message(4), "Willst Du das Spiel wirklich aufgeben?");
    EXPECT_EQ(dialog->Message(5), "Du warst leider zu langsam!");
    EXPECT_EQ(dialog->Message(6), "Gratulation, Du hast alle Stufen gelöst.");
    EXPECT_EQ(dialog->Message(7), "Das Spiel ist leider aus.");
    EXPECT_EQ(dialog->Message(8), "Auf zur nächsten Stufe!");
    EXPECT_EQ(dialog->Message(9), "Du hast leider verloren!");
    EXPECT_EQ(Yes(2)->text(), "Ja");
    EXPECT_EQ(No(2)->text(), "Nein");
    EXPECT_EQ(dialog->OkButton(1)->text(), "OK");
}

TEST_F(YesNoTest, LanguageIsReadAgainAtEveryShowing) {
    data.Language = 1;
    Answer(1, [&] { dialog->OkButton(1)->click(); });
    EXPECT_EQ(dialog->Message(1), "Hurra, geschafft!");
    data.Language = 0;
    Answer(1, [&] { dialog->OkButton(1)->click(); });
    EXPECT_EQ(dialog->Message(1), "Hurrah, you did it!");
}

TEST_F(YesNoTest, ButtonsGiveTheirModalResults) {
    EXPECT_EQ(Answer(1, [&] { QTest::mouseClick(dialog->OkButton(1), Qt::LeftButton); }), 1);
    EXPECT_EQ(Answer(3, [&] { QTest::mouseClick(Yes(3), Qt::LeftButton); }), 6);
    EXPECT_EQ(Answer(3, [&] { QTest::mouseClick(No(3), Qt::LeftButton); }), 2);
    EXPECT_EQ(Answer(4, [&] { QTest::mouseClick(No(4), Qt::LeftButton); }), 7);
    EXPECT_EQ(Answer(2, [&] { QTest::mouseClick(No(2), Qt::LeftButton); }), 7);
    EXPECT_EQ(dialog->result(), 7);
}

TEST_F(YesNoTest, EscapeAnswersOnlyWhereThereIsANoButton) {
    EXPECT_EQ(Answer(3, [&] { QTest::keyClick(dialog, Qt::Key_Escape); }), 2);
    EXPECT_EQ(Answer(4, [&] { QTest::keyClick(dialog, Qt::Key_Escape); }), 7);
    EXPECT_EQ(Answer(2, [&] { QTest::keyClick(dialog, Qt::Key_Escape); }), 7);
    EXPECT_EQ(Answer(1, [&] { QTest::keyClick(dialog, Qt::Key_Escape); }), -1); // still open
}

TEST_F(YesNoTest, EnterChoosesTheDefaultButton) {
    EXPECT_EQ(Answer(3, [&] { QTest::keyClick(dialog, Qt::Key_Return); }), 6);
    EXPECT_EQ(Answer(5, [&] { QTest::keyClick(dialog, Qt::Key_Return); }), 1);
}

TEST_F(YesNoTest, CloseBoxGivesCancel) {
    EXPECT_EQ(Answer(4, [&] { dialog->close(); }), 2);
    EXPECT_EQ(Answer(1, [&] { dialog->close(); }), 2);
}

TEST_F(YesNoTest, KindOutsideTheRangeShowsThePageShownLast) {
    EXPECT_EQ(dialog->Kind(), 9);
    Answer(0, [&] { dialog->OkButton(9)->click(); });
    EXPECT_EQ(seam.dialogs.last(), "YesNoDlg 9");
    Answer(4, [&] { No(4)->click(); });
    Answer(12, [&] { No(4)->click(); });
    EXPECT_EQ(seam.dialogs.last(), "YesNoDlg 4");
}

TEST_F(YesNoTest, LayoutOfThePages) {
    EXPECT_EQ(dialog->size(), QSize(261, 103));
    EXPECT_EQ(dialog->windowTitle(), "Fribo Trigonet");
    const QRect texts[9] = {{60, 28, 181, 17}, {56, 20, 189, 26}, {72, 20, 153, 29},
                            {56, 20, 189, 26}, {60, 20, 181, 33}, {60, 24, 181, 21},
                            {60, 20, 181, 33}, {60, 24, 181, 21}, {60, 20, 181, 33}};
    for (int kind = 1; kind <= 9; ++kind)
        EXPECT_EQ(dialog->MessageLabel(kind)->geometry(), texts[kind - 1]) << kind;
    EXPECT_EQ(dialog->OkButton(1)->geometry(), QRect(92, 68, 77, 27));
    EXPECT_EQ(Yes(3)->geometry(), QRect(136, 68, 77, 27));
    EXPECT_EQ(No(3)->geometry(), QRect(52, 68, 77, 27));
    EXPECT_EQ(No(2)->geometry(), QRect(48, 68, 77, 27));
    EXPECT_EQ(dialog->YesButton(1), nullptr);
    EXPECT_EQ(dialog->OkButton(4), nullptr);
}

TEST_F(YesNoTest, CentresItselfOverTheMainWindowAtEveryShowing) {
    Answer(1, [&] { dialog->OkButton(1)->click(); });
    auto expected = [&] {
        const QRect m = main.frameGeometry(), d = dialog->frameGeometry();
        return QPoint(m.left() + (m.width() - d.width()) / 2,
                      m.top() + m.height() - (main.height() + d.height()) / 2);
    };
    EXPECT_EQ(dialog->pos(), expected());
    main.move(300, 250);
    Answer(1, [&] { dialog->OkButton(1)->click(); });
    EXPECT_EQ(dialog->pos(), expected());
}

} // namespace
