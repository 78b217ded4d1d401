#include "dialogs/select.h"

#include "board/orientation.h"
#include "dialog_test_support.h"
#include "support/pixel_checks.h"
#include "support/sample_collection.h"
#include "ui/dialog_seam.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

const QColor SilverPixel(192, 192, 192);
const QColor GreyPixel(127, 127, 127);

class SelectDialog : public ::testing::Test {
  protected:
    GameData data;
    std::unique_ptr<TSelectDlg> dialog;

    void Open(int count, int current, bool fill = true) {
        if (fill) FillSampleCollection(data, count);
        data.CurrentFigure = current;
        dialog = std::make_unique<TSelectDlg>(data, nullptr);
        dialog->show();
    }
    QWidget* Box() { return Child<QWidget>(dialog.get(), "box"); }
    void Press(const char* button) { Child<QPushButton>(dialog.get(), button)->click(); }

    // Cell k of the page: its top-left corner in the grid.
    static QPoint CellOrigin(int k) { return {(k % 4) * 100, (k / 4) * 85}; }
    // Middle of triangle 1 of figure n drawn in cell k.
    QPoint FirstTriangleMiddle(int n, int k) {
        const Placement& p = data.Figures[n][0];
        int x = 0, y = 0;
        for (int j = 0; j < 3; ++j) {
            x += p.Col + VertexDX[j][p.Orient];
            y += 15 + p.Row + VertexDY[j][p.Orient];
        }
        return CellOrigin(k) + QPoint(x / 3, y / 3);
    }
    QColor FaceMiddle(int k) {
        const QPoint at = CellOrigin(k) + QPoint(73 + 7, 2 + 7);
        return PixelAt(Box(), at.x(), at.y());
    }
    QColor Miniature(int n, int k) {
        const QPoint at = FirstTriangleMiddle(n, k);
        return PixelAt(Box(), at.x(), at.y());
    }

    void TearDown() override { DialogSeam::SetResponder({}); }
};

} // namespace

TEST_F(SelectDialog, OpensWithTheCurrentFigureInTheFirstCell) {
    data.Progress[5] = FinishedBit;
    Open(30, 5);
    EXPECT_EQ(dialog->ScrollPosition(), 5);
    EXPECT_EQ(Miniature(5, 0), GreyPixel); // figure 5 heads the page
    EXPECT_EQ(Miniature(6, 1), QColor(Qt::black));
    EXPECT_EQ(Miniature(16, 11), QColor(Qt::black));
}

TEST_F(SelectDialog, LastFigureCurrentOpensTheLastTwelve) {
    data.Progress[19] = FinishedBit;
    Open(30, 30);
    EXPECT_EQ(dialog->ScrollMaximum(), 19);
    EXPECT_EQ(dialog->ScrollPosition(), 19);
    EXPECT_EQ(Miniature(19, 0), GreyPixel);
    EXPECT_EQ(Miniature(30, 11), QColor(Qt::black));
}

TEST_F(SelectDialog, ScrollBarStepsByARowAndByAPage) {
    Open(30, 1);
    auto* scroll = Child<QScrollBar>(dialog.get(), "ScrollBar");
    EXPECT_EQ(scroll->minimum(), 1);
    EXPECT_EQ(scroll->singleStep(), 4);
    EXPECT_EQ(scroll->pageStep(), 12);
    scroll->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(dialog->ScrollPosition(), 5);
    scroll->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(dialog->ScrollPosition(), 17);
}

TEST_F(SelectDialog, FinishedFiguresShowGreyWithTheirRatingFace) {
    data.Progress[2] = FinishedBit;     // solved without help
    data.Progress[3] = FinishedBit + 1; // solved after one help step
    data.Progress[4] = GivenUpByte;
    data.Progress[5] = 2; // help taken, not finished
    Open(30, 1);
    EXPECT_EQ(Miniature(2, 1), GreyPixel);
    EXPECT_EQ(FaceMiddle(1), QColor(0, 255, 0));
    EXPECT_EQ(FaceMiddle(2), QColor(193, 239, 0));
    EXPECT_EQ(Miniature(4, 3), GreyPixel);
    EXPECT_EQ(FaceMiddle(3), QColor(255, 0, 0));
    EXPECT_EQ(Miniature(5, 4), QColor(Qt::black));
    EXPECT_EQ(FaceMiddle(4), SilverPixel);
    EXPECT_EQ(FaceMiddle(0), SilverPixel);
}

TEST_F(SelectDialog, ADamagedFinishedByteShowsTheGivenUpFace) {
    data.Progress[2] = GivenUpByte;
    data.Progress[3] = 13;
    data.Progress[4] = 0xFF;
    Open(30, 1);
    EXPECT_EQ(FaceMiddle(1), QColor(255, 0, 0));
    EXPECT_EQ(FaceMiddle(2), QColor(255, 0, 0));
    EXPECT_EQ(FaceMiddle(3), QColor(255, 0, 0));
}

TEST_F(SelectDialog, CellsAreSilverWithGapsBetween) {
    Open(30, 1);
    EXPECT_EQ(PixelAt(Box(), 45, 5), SilverPixel);
    EXPECT_EQ(PixelAt(Box(), 0, 40), QColor(Qt::black)); // outline
    EXPECT_EQ(PixelAt(Box(), 89, 40), QColor(Qt::black));
    EXPECT_NE(PixelAt(Box(), 95, 40), SilverPixel); // the gap is never drawn
}

TEST_F(SelectDialog, ClickInThirdRowSecondColumnChooses49AndCloses) {
    Open(60, 40);
    int result = -1;
    DialogSeam::Responder responder;
    responder.dialog = [&](QDialog* d) {
        d->show();
        QTest::mouseClick(Box(), Qt::LeftButton, {}, QPoint(150, 200));
        result = d->result();
        return result;
    };
    DialogSeam::SetResponder(responder);
    EXPECT_EQ(DialogSeam::Exec(dialog.get()), 1);
    EXPECT_EQ(data.CurrentFigure, 49);
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(SelectDialog, ClickInAGapCountsForTheCellLeftAndAbove) {
    Open(60, 40);
    QTest::mouseClick(Box(), Qt::RightButton, {}, QPoint(195, 80));
    EXPECT_EQ(dialog->result(), 1);
    EXPECT_EQ(data.CurrentFigure, 41);
}

TEST_F(SelectDialog, CancelEscapeAndCloseLeaveTheFigureAndGive2) {
    Open(30, 7);
    Press("CancelBtn");
    EXPECT_EQ(dialog->result(), 2);
    dialog->setResult(0);
    dialog->show();
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_EQ(dialog->result(), 2);
    dialog->setResult(0);
    dialog->show();
    dialog->close();
    EXPECT_EQ(dialog->result(), 2);
    EXPECT_EQ(data.CurrentFigure, 7);
}

TEST_F(SelectDialog, PreviousSearchFindsTheNearestUnfinishedFigure) {
    for (int n = 7; n <= 9; ++n)
        data.Progress[n] = FinishedBit;
    Open(30, 10);
    Press("PrevBtn");
    EXPECT_EQ(dialog->ScrollPosition(), 6);
}

TEST_F(SelectDialog, PreviousSearchStopsAtItsLimits) {
    Open(30, 1);
    Press("PrevBtn");
    EXPECT_EQ(dialog->ScrollPosition(), 1); // figure 1 heads the page already
    for (int n = 1; n <= 9; ++n)
        data.Progress[n] = FinishedBit + 1;
    dialog->hide();
    data.CurrentFigure = 10;
    dialog->show();
    Press("PrevBtn");
    EXPECT_EQ(dialog->ScrollPosition(), 10); // everything before is finished
}

TEST_F(SelectDialog, NextSearchFindsTheNextUnfinishedFigure) {
    for (int n = 4; n <= 6; ++n)
        data.Progress[n] = GivenUpByte;
    Open(30, 3);
    Press("NextBtn");
    EXPECT_EQ(dialog->ScrollPosition(), 7);
}

TEST_F(SelectDialog, NextSearchNeverPassesTheLastPage) {
    for (int n = 16; n <= 30; ++n)
        data.Progress[n] = FinishedBit;
    data.Progress[20] = 0;
    Open(30, 15);
    Press("NextBtn");
    EXPECT_EQ(dialog->ScrollPosition(), 15); // 16..19 finished; open 20 lies beyond the search
    data.Progress[19] = 0;
    data.Progress[25] = 0;
    Press("NextBtn");
    EXPECT_EQ(dialog->ScrollPosition(), 19); // 25 is reached by the last page only
    Press("NextBtn");
    EXPECT_EQ(dialog->ScrollPosition(), 19);
}

TEST_F(SelectDialog, ShortCollectionHasOnePageWithEmptyCellsThatIgnoreClicks) {
    Open(5, 3);
    EXPECT_EQ(dialog->ScrollMaximum(), 1);
    EXPECT_EQ(dialog->ScrollPosition(), 1);
    EXPECT_EQ(Miniature(5, 4), QColor(Qt::black));
    EXPECT_NE(PixelAt(Box(), CellOrigin(5).x() + 45, CellOrigin(5).y() + 5), SilverPixel);
    QTest::mouseClick(Box(), Qt::LeftButton, {}, CellOrigin(6) + QPoint(40, 40));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(data.CurrentFigure, 3);
    Press("NextBtn");
    Press("PrevBtn");
    EXPECT_EQ(dialog->ScrollPosition(), 1);
    QTest::mouseClick(Box(), Qt::LeftButton, {}, CellOrigin(4) + QPoint(40, 40));
    EXPECT_EQ(dialog->result(), 1);
    EXPECT_EQ(data.CurrentFigure, 5);
}

TEST_F(SelectDialog, DamagedRecordShowsItsCellWithoutAMiniature) {
    FillSampleCollection(data, 30);
    data.Figures[2][3].Orient = 200;
    data.Figures[3][0].Col = 250;
    Open(30, 1, false);
    for (int k : {1, 2}) {
        const QImage shot = Box()->grab().toImage();
        int black = 0;
        for (int y = 20; y < 74; ++y)
            for (int x = 1; x < 89; ++x)
                black += shot.pixelColor(CellOrigin(k) + QPoint(x, y)) == QColor(Qt::black);
        EXPECT_EQ(black, 0) << "cell " << k;
    }
}

TEST_F(SelectDialog, TextsFollowTheLanguageAtEveryShowing) {
    data.Language = 1;
    Open(30, 1);
    EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("Trigonet wählen"));
    EXPECT_EQ(Child<QPushButton>(dialog.get(), "CancelBtn")->text(), "Abbruch");
    EXPECT_EQ(Child<QPushButton>(dialog.get(), "NextBtn")->toolTip(),
              "Welches folgende Trigonet hab ich noch nicht geschafft?");
    dialog->hide();
    data.Language = -1;
    dialog->show();
    EXPECT_EQ(dialog->windowTitle(), "Select Trigonet");
    EXPECT_EQ(Child<QPushButton>(dialog.get(), "CancelBtn")->text(), "Cancel");
    EXPECT_EQ(Child<QPushButton>(dialog.get(), "PrevBtn")->toolTip(),
              "Which previous Trigonet I havn't solved yet?");
    EXPECT_EQ(Box()->toolTip(), "A mouselick and the Trigonet is selected.");
}

namespace {

// The state mark left of the face in cell k, read from the grid's pixels at
// whatever scale the screen has: "tick", "cross", "bulb", "none" or "unclear".
std::string MarkIn(QWidget* grid, int k) {
    const QImage shot = grid->grab().toImage();
    const qreal scale = shot.devicePixelRatio();
    const QPointF origin((k % 4) * 100 + 56, (k / 4) * 85 + 2);
    auto colour = [&](double x, double y) {
        const QPointF at = (origin + QPointF(x, y)) * scale;
        return shot.pixelColor(int(at.x()), int(at.y()));
    };
    auto dark = [&](double x, double y) { return colour(x, y).lightness() < 100; };
    auto yellow = [&](double x, double y) {
        const QColor c = colour(x, y);
        return c.red() > 200 && c.green() > 180 && c.blue() < 140;
    };
    auto silver = [&](double x, double y) { return colour(x, y) == SilverPixel; };
    const bool corners = dark(3.5, 3.5) && dark(10.5, 3.5) && dark(3.5, 10.5) && dark(10.5, 10.5);
    if (corners && dark(7, 7)) return "cross";
    if (dark(5.5, 11.2) && dark(11, 4) && !dark(3.5, 3.5) && !dark(10.5, 10.5) && !yellow(7, 5.5))
        return "tick";
    if (yellow(7, 5.5) && yellow(5.5, 4) && dark(7, 11.7) && !dark(3.5, 10.5)) return "bulb";
    for (const QPointF p : {QPointF(3.5, 3.5), QPointF(7, 7), QPointF(5.5, 11.2), QPointF(11, 4),
                            QPointF(7, 5.5), QPointF(7, 11.7)})
        if (!silver(p.x(), p.y())) return "unclear";
    return "none";
}

} // namespace

// Run by itself at QT_SCALE_FACTOR=2 and in a dark palette as well (see CMakeLists.txt).
TEST_F(SelectDialog, EachStateCarriesAMarkOfItsOwnThatReadsWithoutColour) {
    data.Progress[2] = FinishedBit;     // solved without help
    data.Progress[3] = FinishedBit | 2; // solved with help: still solved
    data.Progress[4] = FinishedBit | 4; // given up
    data.Progress[5] = 3;               // help taken, not finished
    data.Progress[6] = 0xFF;            // damaged: given up, as everywhere
    if (qgetenv("TRIGONET_DARK") == "1") QApplication::setPalette(DarkPalette());
    Open(30, 1);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    const std::string expected[] = {"none", "tick", "tick", "cross", "bulb", "cross", "none"};
    for (int k = 0; k < 7; ++k)
        EXPECT_EQ(MarkIn(Box(), k), expected[k]) << "figure " << k + 1;
    if (qgetenv("QT_SCALE_FACTOR") == "2") {
        EXPECT_EQ(Box()->grab().devicePixelRatio(), 2.0);
    }
}

TEST_F(SelectDialog, CollectionListShowsFromTwoOnAndRenewsThePagesAfterASwitch) {
    Open(30, 25);
    auto* list = Child<QComboBox>(dialog.get(), "CollectionBox");
    EXPECT_FALSE(list->isVisible()); // no choice without a list
    int current = 0;
    std::vector<int> asked;
    dialog->SetCollections({[](int language) {
                                return IsGerman(language) ? QStringList{"Eins", "Zwei", "Drei"}
                                                          : QStringList{"One", "Two", "Three"};
                            },
                            [&] { return current; },
                            [&](int index) {
                                asked.push_back(index);
                                if (index == 2) return current; // cannot be read
                                FillSampleCollection(data, 5);
                                data.CurrentFigure = 1;
                                return current = index;
                            }});
    ASSERT_TRUE(list->isVisible());
    EXPECT_EQ(list->currentText(), "One");
    EXPECT_EQ(dialog->ScrollPosition(), 19);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_End);
    EXPECT_EQ(asked, std::vector<int>{2});
    EXPECT_EQ(list->currentIndex(), 0); // a failed switch shows the one still played
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(asked, (std::vector<int>{2, 1}));
    EXPECT_EQ(list->currentText(), "Two");
    EXPECT_EQ(dialog->ScrollMaximum(), 1);
    EXPECT_EQ(dialog->ScrollPosition(), 1);
    QTest::mouseClick(Box(), Qt::LeftButton, {}, CellOrigin(6) + QPoint(50, 40));
    EXPECT_TRUE(dialog->isVisible()); // an empty cell of the five
    QTest::mouseClick(Box(), Qt::LeftButton, {}, CellOrigin(4) + QPoint(50, 40));
    EXPECT_EQ(data.CurrentFigure, 5);
    data.Language = 1;
    dialog->show();
    EXPECT_EQ(list->currentText(), "Zwei");
    EXPECT_EQ(list->toolTip(), "Welche Figurensammlung ich spiele");
    EXPECT_EQ(list->accessibleName(), "Figurensammlung");
}
