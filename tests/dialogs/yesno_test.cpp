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
        QPixmap red(32, 32);
        red.fill(Qt::red);
        main.setWindowIcon(QIcon(red));
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
    // What the player sees of the page of `kind`: its picture and its text.
    struct Showing {
        QImage picture;
        QString text;
        QRect textArea; // the label's place on the dialog
        bool fits = false;
    };
    Showing Show(int kind) {
        Showing seen;
        Answer(kind, [&] {
            seen.picture = dialog->grab().toImage();
            for (QLabel* label : dialog->findChildren<QLabel*>())
                if (label->isVisible() && !label->text().isEmpty()) {
                    seen.text = label->text();
                    seen.textArea = QRect(label->mapTo(dialog, QPoint()), label->size());
                    seen.fits = label->heightForWidth(label->width()) <= label->height();
                }
            dialog->close();
        });
        return seen;
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

// Where the ink of the page's text lies: the dark pixels inside the frame, right
// of the icon.
QRect TextInk(const QImage& page) {
    QRect ink;
    for (int y = 10; y < 55; ++y)
        for (int x = 50; x < 251; ++x)
            if (qGray(page.pixel(x, y)) < 100) ink |= QRect(x, y, 1, 1);
    return ink;
}

TEST_F(YesNoTest, EveryTextShowsWholeAndCentredBesideTheIconInBothLanguages) {
    EXPECT_EQ(dialog->size(), QSize(261, 103));
    EXPECT_EQ(dialog->windowTitle(), "Fribo Trigonet");
    for (int language : {0, 1})
        for (int kind = 1; kind <= 9; ++kind) {
            data.Language = language;
            const Showing seen = Show(kind);
            const QString where = QString("kind %1, language %2").arg(kind).arg(language);
            EXPECT_EQ(seen.text, dialog->Message(kind)) << where.toStdString();
            EXPECT_TRUE(seen.fits) << where.toStdString(); // nothing wrapped off the label
            const QRect ink = TextInk(seen.picture);
            ASSERT_FALSE(ink.isEmpty()) << where.toStdString();
            // Centred in the room between the icon (to x 48) and the frame (from x 252).
            EXPECT_LE(std::abs(ink.left() + ink.right() + 1 - 300), 8) << where.toStdString();
            EXPECT_TRUE(seen.textArea.contains(ink)) << where.toStdString();
            EXPECT_GT(ink.top(), seen.textArea.top()) << where.toStdString();
            EXPECT_LT(ink.bottom(), seen.textArea.bottom()) << where.toStdString();
            // The main window's icon, at the left of every page.
            EXPECT_EQ(seen.picture.pixelColor(32, 32), QColor(Qt::red)) << where.toStdString();
        }
}

TEST_F(YesNoTest, TheButtonsSitUnderTheFrameWhereThePlayerClicksThem) {
    // The place of each button's middle on the dialog, as the player sees it.
    const auto buttonAt = [&](int kind, QPoint middle) {
        Answer(kind, [&] { dialog->close(); }); // shows the page
        return qobject_cast<QPushButton*>(dialog->childAt(middle));
    };
    EXPECT_EQ(buttonAt(1, {130, 81}), dialog->OkButton(1));
    EXPECT_EQ(buttonAt(1, {95, 70}), dialog->OkButton(1));
    EXPECT_EQ(buttonAt(1, {88, 81}), nullptr);
    EXPECT_EQ(buttonAt(3, {174, 81}), Yes(3));
    EXPECT_EQ(buttonAt(3, {90, 81}), No(3));
    EXPECT_EQ(buttonAt(3, {132, 81}), nullptr); // the gap between them
    EXPECT_EQ(buttonAt(2, {50, 81}), No(2));
    EXPECT_EQ(buttonAt(4, {50, 81}), nullptr);
    EXPECT_EQ(buttonAt(4, {54, 81}), No(4));
    for (int kind = 1; kind <= 9; ++kind) // all of a size, under the frame, inside the dialog
        for (QPushButton* button : {dialog->OkButton(kind), Yes(kind), No(kind)})
            if (button) {
                EXPECT_EQ(button->size(), QSize(77, 27)) << kind;
                EXPECT_TRUE(QRect(8, 58, 245, 45).contains(button->geometry())) << kind;
            }
    EXPECT_EQ(dialog->YesButton(1), nullptr);
    EXPECT_EQ(dialog->OkButton(4), nullptr);
}

TEST_F(YesNoTest, CentresItselfOverTheMainWindowAtEveryShowing) {
    // Centred across the whole main window, and half its client height above its bottom.
    const auto expectCentred = [&] {
        const QRect m = main.frameGeometry(), d = dialog->frameGeometry();
        EXPECT_LE(std::abs((d.left() + d.right()) - (m.left() + m.right())), 1);
        EXPECT_LE(std::abs((d.top() + d.bottom() + 1) - (2 * m.bottom() + 2 - main.height())), 1);
    };
    Answer(1, [&] { dialog->OkButton(1)->click(); });
    expectCentred();
    main.move(300, 250);
    Answer(1, [&] { dialog->OkButton(1)->click(); });
    expectCentred();
}

} // namespace
