#include "dialogs/statis.h"

#include "dialog_test_support.h"

#include <QLabel>
#include <QProgressBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QColor GaugeTrack(160, 160, 160);
const QColor Gauge1Fill(0, 128, 255);
const QColor Gauge2Fill(0, 255, 0);
const QColor NoHelpBand(0, 255, 0);
const QColor GivenUpBand(255, 0, 0);

class StatisticsDialog : public ::testing::Test {
  protected:
    GameData data;
    std::unique_ptr<TStatDlg> dialog;

    void SetUp() override { data.FigureCount = 222; }
    void Open(int language) {
        data.Language = language;
        if (!dialog) dialog = std::make_unique<TStatDlg>(data, nullptr);
        dialog->hide();
        dialog->show();
    }
    QString Label(const char* name) { return Child<QLabel>(dialog.get(), name)->text(); }
    QColor Gauge(const char* name, int x) {
        return PixelAt(Child<QWidget>(dialog.get(), name), x, 2);
    }
    QColor Bar(int x) { return PixelAt(Child<QWidget>(dialog.get(), "pieBox"), x, 8); }
    bool BarIsEmpty() {
        const QImage bar = Child<QWidget>(dialog.get(), "pieBox")->grab().toImage();
        for (int x = 0; x < bar.width(); ++x)
            for (QColor band : {NoHelpBand, GivenUpBand})
                if (bar.pixelColor(x, 8) == band) return false;
        return true;
    }
};

} // namespace

TEST_F(StatisticsDialog, NothingFinishedInBothLanguages) {
    Open(1);
    EXPECT_EQ(Label("FinishedLabel"),
              QString::fromUtf8("Bisher wurde noch kein Trigonet gelöst !!!"));
    EXPECT_EQ(Label("HelpLabel"),
              QString::fromUtf8("Du hast für kein Trigonet keine, für kein Trigonet wenig, für "
                                "kein Trigonet etwas mehr und für kein Trigonet viel Hilfe "
                                "benötigt. Du hast kein Trigonet aufgegeben."));
    EXPECT_EQ(Label("PointsLabel"), "Du hast bisher leider keine Punkte erreicht.");
    Open(0);
    EXPECT_EQ(Label("FinishedLabel"), "Until now no Trigonet was solved !!!");
    EXPECT_EQ(Label("HelpLabel"),
              "For no Trigonet you didn't need any help. For no Trigonet you needed little, for "
              "no Trigonet some more and for no Trigonet much help. You dropped no Trigonet.");
    EXPECT_EQ(Label("PointsLabel"), "Sorry, until now you've reached no points.");
    EXPECT_EQ(Gauge("Gauge1", 1), GaugeTrack);
    EXPECT_EQ(Gauge("Gauge2", 1), GaugeTrack);
    EXPECT_TRUE(BarIsEmpty());
}

TEST_F(StatisticsDialog, OneSolvedFigureOf222) {
    data.Progress[17] = FinishedBit;
    Open(-1);
    EXPECT_EQ(Label("FinishedLabel"), "Until now one out of total 222 Trigonets was solved.");
    EXPECT_EQ(Label("HelpLabel"),
              "For one Trigonet you didn't need any help. For no Trigonet you needed little, for "
              "no Trigonet some more and for no Trigonet much help. You dropped no Trigonet.");
    EXPECT_EQ(Label("PointsLabel"), "Until now you've reached 4 out of 888 possible points.");
    EXPECT_EQ(Bar(0), NoHelpBand);
    EXPECT_EQ(Bar(410), NoHelpBand);
    EXPECT_NE(Bar(411), NoHelpBand);
    EXPECT_NE(PixelAt(Child<QWidget>(dialog.get(), "pieBox"), 5, 17), NoHelpBand); // 17 rows high
    Open(1);
    EXPECT_EQ(Label("FinishedLabel"),
              QString::fromUtf8("Bisher wurde eines von insgesamt 222 Trigoneten gelöst."));
    EXPECT_EQ(Label("PointsLabel"),
              QString::fromUtf8("Du hast bisher 4 von 888 möglichen Punkten erreicht."));
}

TEST_F(StatisticsDialog, EverySolvedWithoutHelpFillsBothGauges) {
    data.FigureCount = 20;
    for (int n = 1; n <= 20; ++n)
        data.Progress[n] = FinishedBit;
    Open(1);
    EXPECT_EQ(Label("PointsLabel"),
              QString::fromUtf8("Hurra, Du hast alle möglichen Punkte erreicht."));
    Open(0);
    EXPECT_EQ(Label("FinishedLabel"), "Until now 20 out of total 20 Trigonets were solved.");
    EXPECT_EQ(Label("PointsLabel"), "Hurrah, you reached all possible points.");
    for (int x : {0, 409}) {
        EXPECT_EQ(Gauge("Gauge1", x), Gauge1Fill);
        EXPECT_EQ(Gauge("Gauge2", x), Gauge2Fill);
    }
    data.Progress[20] = FinishedBit + 1; // one point short of all
    Open(0);
    EXPECT_EQ(Label("PointsLabel"), "You reached 79 out of 80 possible points.");
    Open(1);
    EXPECT_EQ(Label("PointsLabel"),
              QString::fromUtf8("Du hast 79 von 80 möglichen Punkten erreicht."));
}

TEST_F(StatisticsDialog, EveryGivenUpScoresNothingWithARedBandFourColumnsIn) {
    data.FigureCount = 12;
    for (int n = 1; n <= 12; ++n)
        data.Progress[n] = GivenUpByte;
    Open(1);
    EXPECT_EQ(Label("PointsLabel"), "Du hast leider keinen einzigen Punkt erreicht.");
    Open(0);
    EXPECT_EQ(Label("PointsLabel"), "Sorry, you reached no points.");
    EXPECT_EQ(Label("HelpLabel"),
              "For no Trigonet you didn't need any help. For no Trigonet you needed little, for "
              "no Trigonet some more and for no Trigonet much help. You dropped 12 Trigonets.");
    EXPECT_EQ(Gauge("Gauge1", 409), Gauge1Fill); // given up counts as finished
    EXPECT_EQ(Gauge("Gauge2", 1), GaugeTrack);
    EXPECT_NE(Bar(3), GivenUpBand);
    EXPECT_EQ(Bar(4), GivenUpBand);
    EXPECT_EQ(Bar(409), GivenUpBand);
    EXPECT_NE(Bar(410), GivenUpBand);
}

TEST_F(StatisticsDialog, CountsOfTwoAndMoreNameTheirNumbers) {
    data.FigureCount = 30;
    const uint8_t bytes[] = {8, 8, 9, 9, 9, 10, 10, 11, 11, 12, 12, 12, 3};
    for (size_t i = 0; i < std::size(bytes); ++i)
        data.Progress[i + 1] = bytes[i];
    Open(1);
    EXPECT_EQ(Label("FinishedLabel"),
              QString::fromUtf8("Bisher wurden 12 von insgesamt 30 Trigoneten gelöst."));
    EXPECT_EQ(Label("HelpLabel"),
              QString::fromUtf8("Du hast für 2 Trigonets keine, für 3 Trigonete wenig, für 2 "
                                "Trigonete etwas mehr und für 2 Trigonete viel Hilfe benötigt. Du "
                                "hast 3 Trigonete aufgegeben."));
    EXPECT_EQ(Label("PointsLabel"),
              QString::fromUtf8("Du hast bisher 23 von 120 möglichen Punkten erreicht."));
    Open(0);
    EXPECT_EQ(Label("HelpLabel"),
              "For 2 Trigonets you didn't need any help. For 3 Trigonets you needed little, for 2 "
              "Trigonets some more and for 2 Trigonets much help. You dropped 3 Trigonets.");
}

TEST_F(StatisticsDialog, OneInEachCategoryUsesTheSingularPieces) {
    data.FigureCount = 5;
    const uint8_t bytes[] = {8, 9, 10, 11, 12};
    for (size_t i = 0; i < std::size(bytes); ++i)
        data.Progress[i + 1] = bytes[i];
    Open(1);
    EXPECT_EQ(Label("HelpLabel"),
              QString::fromUtf8("Du hast für ein Trigonet keine, für ein Trigonet wenig, für ein "
                                "Trigonet etwas mehr und für ein Trigonet viel Hilfe benötigt. "
                                "Ein Trigonet hast Du aufgegeben."));
    EXPECT_EQ(Label("PointsLabel"),
              QString::fromUtf8("Du hast 10 von 20 möglichen Punkten erreicht."));
    Open(0);
    EXPECT_EQ(Label("HelpLabel"),
              QString::fromUtf8("For one Trigonet you didn't need any help. For one Trigonet you "
                                "needed little, for one Trigonet some more and für one Trigonet "
                                "much help. You dropped one Trigonet."));
    EXPECT_EQ(Label("PointsLabel"), "You reached 10 out of 20 possible points.");
}

TEST_F(StatisticsDialog, GaugeFillIsTheTruncatedShare) {
    data.FigureCount = 3;
    data.Progress[1] = FinishedBit;
    Open(0);
    EXPECT_EQ(Gauge("Gauge1", 135), Gauge1Fill); // 410 / 3 = 136 columns
    EXPECT_EQ(Gauge("Gauge1", 136), GaugeTrack);
    EXPECT_EQ(Child<QProgressBar>(dialog.get(), "Gauge1")->text(), "33%");
}

TEST_F(StatisticsDialog, BandsOfTwoEqualCategoriesMeetAtColumn206) {
    data.FigureCount = 10;
    data.Progress[1] = FinishedBit;
    data.Progress[2] = FinishedBit + 1;
    Open(0);
    EXPECT_EQ(Bar(205), NoHelpBand);
    EXPECT_EQ(Bar(206), QColor(193, 255, 0));
    EXPECT_EQ(Bar(411), QColor(193, 255, 0));
    EXPECT_NE(Bar(412), QColor(193, 255, 0));
}

TEST_F(StatisticsDialog, CaptionNamesTheSavedGameWithoutItsExtension) {
    data.SaveFileName = "/home/p/saves/abcdefgh.ftg";
    Open(1);
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("Trigonet Statistik für Spiel abcdefgh"));
    Open(0);
    EXPECT_EQ(dialog->windowTitle(), "Trigonet statistics for game abcdefgh");
    data.SaveFileName.clear();
    Open(-1);
    EXPECT_EQ(dialog->windowTitle(), "Trigonet statistics");
}

TEST_F(StatisticsDialog, IsCountedAfreshAtEveryShowing) {
    Open(0);
    data.Progress[1] = FinishedBit;
    Open(0);
    EXPECT_EQ(Label("FinishedLabel"), "Until now one out of total 222 Trigonets was solved.");
}

TEST_F(StatisticsDialog, SitsOverTheMainWindowsInnerArea) {
    QWidget mainWindow;
    // Partly off the screen, where a dialog centred by the window system would be pulled back.
    mainWindow.setGeometry(1500, 900, 660, 400);
    mainWindow.show();
    TStatDlg placed(data, &mainWindow);
    placed.show();
    const QRect main = mainWindow.frameGeometry();
    const QRect own = placed.frameGeometry();
    EXPECT_EQ(own.left(), main.left() + (main.width() - own.width()) / 2);
    EXPECT_EQ(own.top(), main.top() + main.height() - (mainWindow.height() + own.height()) / 2);
}

TEST_F(StatisticsDialog, OkGives1AndCloseGives2) {
    Open(0);
    QTest::keyClick(dialog.get(), Qt::Key_Return);
    EXPECT_EQ(dialog->result(), 1);
    Open(0);
    dialog->close();
    EXPECT_EQ(dialog->result(), 2);
}

TEST_F(StatisticsDialog, PointsGaugeRunsToFourPointsAFigure) {
    data.FigureCount = 10;
    for (int i = 1; i <= 5; ++i)
        data.Progress[i] = FinishedBit; // no help: 4 points each, 20 of 40
    Open(0);
    EXPECT_EQ(Label("PointsLabel"), "Until now you've reached 20 out of 40 possible points.");
    const int width = Child<QWidget>(dialog.get(), "Gauge2")->width();
    EXPECT_EQ(Gauge("Gauge2", width * 2 / 5), Gauge2Fill);
    EXPECT_EQ(Gauge("Gauge2", width * 3 / 5), GaugeTrack);
}
