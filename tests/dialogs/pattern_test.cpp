#include "dialogs/pattern.h"

#include "dialog_test_support.h"
#include "game/statistics.h"
#include "support/pixel_checks.h"
#include "support/test_figures.h"
#include "ui/settings.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct PatternTest : ::testing::Test {
    QTemporaryDir dir;
    Settings ini{dir.filePath("settings.ini")};
    GameData data;

    void SetUp() override {
        data.FigureCount = 3;
        data.CurrentFigure = 2;
        data.Figures[0] = BigSquare(40, 20);
    }
    QString CaptionFor(uint8_t progress, int language) {
        data.Progress[2] = progress;
        data.Language = language;
        return PatternCaption(data);
    }
    static QImage Figure(TPatForm& form) { return form.grab(TPatForm::FigureArea()).toImage(); }
};

TEST_F(PatternTest, CaptionNamesTheFigureAndItsState) {
    EXPECT_EQ(CaptionFor(0, 0), "Trigonet 2");
    EXPECT_EQ(CaptionFor(3, 0), "Trigonet 2");
    EXPECT_EQ(CaptionFor(4, 0), "Trigonet 2"); // help count 4 without the finished bit
    EXPECT_EQ(CaptionFor(8, 0), "Trigonet 2 - solved");
    EXPECT_EQ(CaptionFor(11, -1), "Trigonet 2 - solved");
    EXPECT_EQ(CaptionFor(12, 0), "Trigonet 2 - dropped");
    EXPECT_EQ(CaptionFor(8, 1), "Trigonet 2 - gelöst");
    EXPECT_EQ(CaptionFor(12, 1), "Trigonet 2 - aufgegeben");
    EXPECT_EQ(CaptionFor(8 | 16, 0), "Trigonet 2 - solved");
}

TEST_F(PatternTest, ADamagedProgressByteReadsGivenUpAsInTheStatisticsAndTheSelection) {
    for (const int damaged : {13, 14, 15, 0x7F, 0xFF}) {
        SCOPED_TRACE(damaged);
        EXPECT_EQ(CaptionFor(uint8_t(damaged), 0), "Trigonet 2 - dropped");
        EXPECT_EQ(CaptionFor(uint8_t(damaged), 1), "Trigonet 2 - aufgegeben");
        // The selection dialog's face and the statistics' category both go by
        // the help count; four is given up.
        EXPECT_EQ(HelpCount(uint8_t(damaged)), MaxHelpCount);
        EXPECT_EQ(SummarizeProgress(data).HelpCounts[MaxHelpCount], 1);
    }
}

TEST_F(PatternTest, RefreshBringsBackAMinimisedWindow) {
    TPatForm form(data, ini, nullptr);
    form.show();
    form.setWindowState(Qt::WindowMinimized);
    ASSERT_TRUE(form.isMinimized());
    form.Refresh();
    EXPECT_FALSE(form.isMinimized());
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(TPatForm::FigureArea().size(), QSize(181, 120));
}

TEST_F(PatternTest, ToolWindowOnTopWithoutTitleBarButtons) {
    TPatForm form(data, ini, nullptr);
    EXPECT_EQ(TPatForm::FigureArea().size(), QSize(181, 120));
    EXPECT_EQ(form.size(), QSize(181, TPatForm::FigureArea().bottom() + 1));
    const Qt::WindowFlags flags = form.windowFlags();
    EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
    EXPECT_TRUE(flags & Qt::FramelessWindowHint);
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(flags & Qt::CustomizeWindowHint);
    EXPECT_FALSE(flags & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint |
                          Qt::WindowSystemMenuHint));
}

TEST_F(PatternTest, PositionStartsAtDefaultsAndIsRememberedOnDestruction) {
    {
        EXPECT_FALSE(ini.HasTargetPosition());
        TPatForm form(data, ini, nullptr);
        EXPECT_EQ(form.pos(), QPoint(500, 50));
        form.move(123, 77);
    }
    EXPECT_TRUE(ini.HasTargetPosition()); // the next start keeps the player's place
    const SettingsStore file(dir.filePath("settings.ini"));
    EXPECT_EQ(file.LoadNumber("common", "pleft", 0), 123);
    EXPECT_EQ(file.LoadNumber("common", "ptop", 0), 77);
    TPatForm again(data, ini, nullptr);
    EXPECT_EQ(again.pos(), QPoint(123, 77));
}

TEST_F(PatternTest, PaintsTheFigureBlackOnSilverAtTwoPixelsPerUnitAndSetsTheCaption) {
    data.Progress[2] = 12;
    TPatForm form(data, ini, nullptr);
    const QImage shown = Figure(form);
    EXPECT_EQ(form.windowTitle(), "Trigonet 2 - dropped");
    // The square covers grid 40..60 x 20..40: pixels 80..120 x 40..80.
    EXPECT_EQ(shown.pixelColor(100, 60), QColor(Qt::black));
    EXPECT_EQ(shown.pixelColor(81, 41), QColor(Qt::black));
    EXPECT_EQ(shown.pixelColor(78, 60), QColor(192, 192, 192));
    EXPECT_EQ(shown.pixelColor(100, 82), QColor(192, 192, 192));
}

TEST_F(PatternTest, CaptionStripShowsTheWholeCaptionAboveTheFigure) {
    data.FigureCount = 222;
    data.CurrentFigure = 222;
    data.Progress[222] = 12;
    data.Figures[0] = BigSquare(0, 0); // touches the strip's edge: must not draw into it
    for (const int language : {1, 0}) {
        data.Language = language;
        TPatForm form(data, ini, nullptr);
        const QImage shown = form.grab().toImage();
        const QColor band = shown.pixelColor(1, 1);
        int left = shown.width(), right = -1;
        for (int y = 0; y < TPatForm::CaptionHeight; ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (shown.pixelColor(x, y) != band)
                    left = std::min(left, x), right = std::max(right, x);
        ASSERT_GE(right, 0) << "no caption drawn";
        // The text ends well inside the strip, not cut at its edge.
        EXPECT_LT(right, shown.width() - 2) << language;
        EXPECT_GT(right - left, 100) << language;
        EXPECT_EQ(form.windowTitle(),
                  language ? "Trigonet 222 - aufgegeben" : "Trigonet 222 - dropped");
        EXPECT_EQ(shown.pixelColor(1, TPatForm::CaptionHeight + 1), QColor(Qt::black));
    }
}

TEST_F(PatternTest, CaptionReadsAtFourAndAHalfToOneInLightAndDarkPalettes) {
    data.Language = 0;
    for (const QPalette& palette : {QApplication::palette(), DarkPalette()}) {
        TPatForm form(data, ini, nullptr);
        form.setPalette(palette);
        const QImage strip =
            form.grab(QRect(0, 0, TPatForm::ClientWidth, TPatForm::CaptionHeight)).toImage();
        EXPECT_GE(TextContrast(strip), 4.5)
            << palette.color(QPalette::Highlight).name().toStdString();
        // Still the theme's colour of selection, only deeper or paler.
        EXPECT_NEAR(strip.pixelColor(1, 1).hue(), palette.color(QPalette::Highlight).hue(), 6);
    }
}

TEST_F(PatternTest, DraggingTheCaptionStripMovesTheWindowAndTheFigureDoesNot) {
    TPatForm form(data, ini, nullptr);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.move(200, 100);
    QTest::mousePress(&form, Qt::LeftButton, {}, QPoint(20, 8));
    QTest::mouseMove(&form, QPoint(60, 28));
    QTest::mouseRelease(&form, Qt::LeftButton, {}, QPoint(60, 28));
    EXPECT_EQ(form.pos(), QPoint(240, 120));
    const QPoint inFigure = TPatForm::FigureArea().center();
    QTest::mousePress(&form, Qt::LeftButton, {}, inFigure);
    QTest::mouseMove(&form, inFigure + QPoint(30, 30));
    QTest::mouseRelease(&form, Qt::LeftButton, {}, inFigure + QPoint(30, 30));
    EXPECT_EQ(form.pos(), QPoint(240, 120));
}

TEST_F(PatternTest, ATapOnTheStripLeavesTheWindowWhereItWasAndNotFollowingThePointer) {
    TPatForm form(data, ini, nullptr);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.move(200, 100);
    QTest::mousePress(&form, Qt::LeftButton, {}, QPoint(20, 8));
    QTest::mouseRelease(&form, Qt::LeftButton, {}, QPoint(20, 8), 0);
    QTest::mouseMove(&form, QPoint(90, 60)); // no button held
    EXPECT_EQ(form.pos(), QPoint(200, 100));
    // A press whose release went elsewhere ends the drag at the next move.
    QTest::mousePress(&form, Qt::LeftButton, {}, QPoint(20, 8));
    QMouseEvent moved(QEvent::MouseMove, QPointF(70, 40), form.mapToGlobal(QPointF(70, 40)),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &moved);
    EXPECT_EQ(form.pos(), QPoint(200, 100));
}

TEST_F(PatternTest, StoredPositionOffTheDesktopComesBackWithTheWholeStripOnIt) {
    const QRect desk = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint wayOff[] = {
        {-782, 40}, {desk.right() - 33, 40}, {300, -60}, {300, desk.bottom() - 5}, {-5000, 9000}};
    for (const QPoint stored : wayOff) {
        const QPoint placed = TPatForm::OnTheDesktop(stored);
        const QRect strip(placed, QSize(TPatForm::ClientWidth, TPatForm::CaptionHeight));
        EXPECT_TRUE(desk.contains(strip)) << stored.x() << "," << stored.y();
    }
    EXPECT_EQ(TPatForm::OnTheDesktop({-782, 40}), QPoint(desk.left(), 40)); // only what it must
    ini.SetTargetPosition({-782, 50});
    TPatForm form(data, ini, nullptr);
    EXPECT_EQ(form.pos(), QPoint(desk.left(), 50));
    EXPECT_EQ(TPatForm::OnTheDesktop({123, 77}), QPoint(123, 77));
}

// A 1920 x 1080 screen at 1, 1.5 and 2 with the main window centred on it as at
// the first start, framed by 4 pixels and a 24-pixel title bar.
TEST_F(PatternTest, FirstPlaceLeavesTheMainWindowsTitleBarFree) {
    const QSize own(TPatForm::ClientWidth, TPatForm::CaptionHeight + TPatForm::ClientHeight);
    struct Case {
        QRect room, client;
        QPoint expected;
    };
    const Case cases[] = {
        {{0, 0, 1920, 1080}, {630, 365, 660, 350}, {500, 50}}, // clear of it: as always
        {{0, 0, 1280, 720}, {310, 185, 660, 350}, {982, 185}}, // beside it on the right
        // No room: at the screen's edge below the title, over the least of the frame.
        {{0, 0, 960, 540}, {150, 95, 660, 350}, {779, 95}},
        {{0, 24, 960, 516}, {150, 107, 660, 350}, {779, 107}}, // a panel at the top
        {{0, 0, 800, 450}, {4, 64, 792, 382}, {615, 64}}};     // no room outside: inside it
    for (const Case& c : cases) {
        const QRect frame = c.client.adjusted(-4, -24, 4, 4);
        const QRect titleBar(frame.topLeft(), QPoint(frame.right(), c.client.top() - 1));
        const QPoint at = TPatForm::FirstPlace({500, 50}, frame, c.client, c.room);
        EXPECT_EQ(at, c.expected) << c.room.width();
        EXPECT_FALSE(QRect(at, own).intersects(titleBar)) << c.room.width();
        EXPECT_TRUE(c.room.contains(QRect(at, own))) << c.room.width();
    }
    // Nothing known about the screen: only the title bar counts.
    EXPECT_EQ(TPatForm::FirstPlace({500, 50}, {400, 40, 668, 378}, {404, 64, 660, 350}, {}),
              QPoint(1076, 64));
}

TEST_F(PatternTest, VerticesOnTheLastGridColumnFallOnTheLastPixelColumn) {
    data.Figures[0] = BigSquare(70, 40); // reaches grid column 90 and row 60
    TPatForm form(data, ini, nullptr);
    const QImage shown = Figure(form);
    EXPECT_EQ(shown.pixelColor(180, 100), QColor(Qt::black));
    EXPECT_EQ(shown.pixelColor(180, 119), QColor(Qt::black));
}

TEST_F(PatternTest, DamagedRecordDrawsWithoutHarm) {
    data.Figures[0][0].Orient = 200;
    data.Figures[0][1] = {255, 255, 15};
    TPatForm form(data, ini, nullptr);
    EXPECT_FALSE(form.grab().isNull());
}

TEST_F(PatternTest, RefreshFollowsTheLanguageOfTheMoment) {
    TPatForm form(data, ini, nullptr);
    data.Progress[2] = 8;
    data.Language = 1;
    form.Refresh();
    EXPECT_EQ(form.windowTitle(), "Trigonet 2 - gelöst");
    data.Language = 0;
    form.Refresh();
    EXPECT_EQ(form.windowTitle(), "Trigonet 2 - solved");
}

} // namespace

TEST_F(PatternTest, CaptionReadsTheHelpFromTheBytesOwnLowThreeBits) {
    EXPECT_EQ(CaptionFor(8 | 7, 0), "Trigonet 2 - dropped"); // damaged: given up, as everywhere
    EXPECT_EQ(CaptionFor(8 | 16 | 4, 0), "Trigonet 2 - dropped");
    EXPECT_EQ(CaptionFor(8 | 32 | 3, 0), "Trigonet 2 - solved");
}

TEST_F(PatternTest, DamagedRecordShowsNoTriangleAsInTheSelection) {
    // Triangle 0 alone covers the lower right half of the cells 40..50 x 20..30,
    // around pixel (97, 57); orientation 0 plus 16 must not pass for 0. The seven
    // others are left out with it (83, 43 lies in triangle 1): the game cannot
    // set such a figure up either.
    const Placement damaged[] = {{40, 20, 16}, {40, 20, 31}, {40, 20, 200}, {250, 20, 0}};
    for (const Placement& p : damaged) {
        data.Figures[0][0] = p;
        TPatForm form(data, ini, nullptr);
        const QImage shown = Figure(form);
        EXPECT_EQ(shown.pixelColor(97, 57), QColor(192, 192, 192))
            << int(p.Col) << " " << int(p.Orient);
        EXPECT_EQ(shown.pixelColor(83, 43), QColor(192, 192, 192))
            << int(p.Col) << " " << int(p.Orient);
    }
}
