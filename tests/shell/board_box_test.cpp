#include "shell/board_box.h"

#include "board/orientation.h"
#include "support/pixel_checks.h"
#include "ui/pictures.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int Unit = 4;

struct BoxView : GameView {
    void EnableHelp(bool) override {}
};

// Collects the rectangles the box is asked to repaint.
struct PaintSpy : QObject {
    QRegion painted;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

struct BoardBoxTest : ::testing::Test {
    BoxView view;
    QWidget window;
    // The box draws the game's triangles itself, as in the main window.
    BoardBox* box = new BoardBox(game, &window);
    Game game{view, *box};

    std::vector<int> cues; // from the box's outcomes, as the window plays them

    void SetUp() override {
        QObject::connect(box, &BoardBox::Happened, [this](const Outcome& outcome) {
            for (int k = 0; k < outcome.CueCount; ++k)
                cues.push_back(static_cast<int>(outcome.Cues[k]));
        });
        for (int t = 1; t <= TriangleCount; ++t) {
            game.board.Triangles[t] = StartingPlace(t, (t * 5) % 16);
            AddTriangle(game.board, t);
        }
        window.resize(400, 300);
        box->setGeometry(10, 10, Unit * 91 + 1, Unit * 61 + 1);
        box->SetUnit(Unit);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QPoint Centroid(int t) const {
        const Placement& p = game.board.Triangles[t];
        int x = 0, y = 0;
        for (int k = 0; k < 3; ++k) {
            x += (p.Col + VertexDX[k][p.Orient]) * Unit;
            y += (p.Row + VertexDY[k][p.Orient]) * Unit;
        }
        return {x / 3, y / 3};
    }
    // Between the anchor point and the centroid: inside, in the move zone.
    QPoint MoveGrip(int t) const {
        const Placement& p = game.board.Triangles[t];
        const QPoint anchor(p.Col * Unit, p.Row * Unit);
        return anchor + (Centroid(t) - anchor) / 4;
    }
    QPoint Vertex(int t, int k) const {
        const Placement& p = game.board.Triangles[t];
        const Point c = CornerPixel(p, k, Unit);
        return {c.x, c.y};
    }
    QRgb At(QPoint p) const { return box->Canvas().pixel(p) & 0xffffff; }
    // Triangle t's bounding box in the canvas's pixels.
    QRect Touched(int t) const {
        const qreal scale = box->Scale();
        return QPolygon({Vertex(t, 0) * scale, Vertex(t, 1) * scale, Vertex(t, 2) * scale})
            .boundingRect();
    }

    // The canvas equals what a full repaint of the same state draws.
    void ExpectSameAsFullRepaint(const char* when) {
        const QImage incremental = box->Canvas().copy();
        box->boxPaint();
        EXPECT_TRUE(incremental == box->Canvas()) << when;
    }

    void Press(Qt::MouseButton button, QPoint at) { QTest::mousePress(box, button, {}, at); }
    void Release(QPoint at) { QTest::mouseRelease(box, Qt::LeftButton, {}, at); }
    void DragTo(QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, box->mapToGlobal(at), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(box, &move);
    }
};

constexpr QRgb SilverRgb = 0xc0c0c0, BlackRgb = 0x000000, GreenRgb = 0x00ff00, RedRgb = 0xff0000;

TEST_F(BoardBoxTest, CanvasCoversTheBoxAndShowsInIt) {
    EXPECT_EQ(box->Canvas().size(), QSize(365, 245));
    EXPECT_EQ(At({364, 244}), SilverRgb);
    EXPECT_EQ(At(Centroid(3)), BlackRgb);
    const QImage shown = box->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(shown == box->Canvas());
}

// Run by itself at QT_SCALE_FACTOR=2 as well (see CMakeLists.txt).
TEST_F(BoardBoxTest, CanvasHoldsTheScreensPixelsAndShowsThemOneToOne) {
    const qreal scale = box->devicePixelRatioF();
    if (qgetenv("QT_SCALE_FACTOR") == "2") {
        ASSERT_EQ(scale, 2.0);
    }
    EXPECT_EQ(box->Scale(), scale);
    EXPECT_EQ(box->Canvas().size(), QSize(365, 245) * scale);
    const QImage shown = box->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), box->Canvas().size());
    EXPECT_TRUE(shown == box->Canvas());
    // The same places as at one pixel a pixel: the unit and the geometry stay.
    EXPECT_EQ(shown.pixel(Centroid(3) * scale) & 0xffffff, 0u);
    EXPECT_EQ(shown.pixel(QPoint(364, 244) * scale) & 0xffffff, 0xc0c0c0u);
    if (scale < 2) return;
    // Slanted edges step by single device pixels, not by doubled ones.
    const QRect around = Touched(3);
    EXPECT_GT(MixedBlocks(shown.copy(around)), around.width() / 4);

    // A held outline at these pixels still comes off exactly, after a drag too.
    const QPoint grip = MoveGrip(3);
    Press(Qt::LeftButton, grip);
    DragTo(grip + QPoint(3 * Unit, Unit));
    ExpectSameAsFullRepaint("move at scale");
    QApplication::processEvents();
    EXPECT_TRUE(box->grab().toImage().convertToFormat(QImage::Format_RGB32) == box->Canvas());
}

// Run by itself at QT_SCALE_FACTOR=2 as well.
TEST_F(BoardBoxTest, WithoutACanvasTheScreenGetsTheCanvasPixelsUntilTheFirstInput) {
    const QPoint grip = MoveGrip(3);
    Press(Qt::LeftButton, grip); // held: its outline is an exclusive-or over the board
    DragTo(grip + QPoint(2 * Unit, Unit));
    const QImage drawn = box->Canvas().copy();
    box->DeferCanvas();
    box->SetUnit(Unit);
    ASSERT_TRUE(box->Canvas().isNull());
    EXPECT_TRUE(box->grab().toImage().convertToFormat(QImage::Format_RGB32) == drawn);

    // Drawing while deferred only repaints; the next input brings the canvas
    // back from the game's state before the handlers draw into it.
    box->DrawTriangle(5, Red, Grey);
    EXPECT_TRUE(box->Canvas().isNull());
    DragTo(grip + QPoint(3 * Unit, Unit));
    ASSERT_FALSE(box->Canvas().isNull());
    ExpectSameAsFullRepaint("first input after a deferred canvas");
    QApplication::processEvents();
    EXPECT_TRUE(box->grab().toImage().convertToFormat(QImage::Format_RGB32) == box->Canvas());
}

TEST_F(BoardBoxTest, OutlineDrawnTwiceRestoresEveryPixelInEveryOrientation) {
    RemoveTriangle(game.board, 1);
    game.board.Selected = 1;
    for (int o = 0; o < OrientationCount; ++o) {
        game.board.Triangles[1] = {45, 30, uint8_t(o)};
        box->boxPaint(); // shows the held outline
        const QImage before = box->Canvas().copy();
        box->DrawOutline(1);
        const QImage once = box->Canvas().copy();
        box->DrawOutline(1);
        EXPECT_TRUE(before == box->Canvas()) << o;

        // The outline lies exactly on the edge that a filled triangle gets.
        box->DrawTriangle(1, Silver, Grey);
        int edgePixels = 0;
        const QRect around(30 * Unit, 15 * Unit, 30 * Unit, 30 * Unit); // nothing else there
        for (int y = around.top(); y <= around.bottom(); ++y)
            for (int x = around.left(); x <= around.right(); ++x) {
                const bool edge = At({x, y}) == 0x7f7f7f;
                const bool outlined = once.pixel(x, y) != before.pixel(x, y);
                edgePixels += edge;
                ASSERT_EQ(edge, outlined) << o << " at " << x << "," << y;
                if (outlined) {
                    ASSERT_EQ(before.pixel(x, y) & 0xffffff, SilverRgb ^ 0xffff00);
                    ASSERT_EQ(once.pixel(x, y) & 0xffffff, SilverRgb);
                }
            }
        EXPECT_GT(edgePixels, 2 * 10 * Unit) << o; // slanted edges take fewer pixels
    }
}

TEST_F(BoardBoxTest, DrawingRepaintsOnlyTheTouchedRectangle) {
    QApplication::processEvents();
    PaintSpy spy;
    box->installEventFilter(&spy);
    box->DrawOutline(3);
    QApplication::processEvents();
    ASSERT_FALSE(spy.painted.isEmpty());
    const QRect touched = spy.painted.boundingRect();
    EXPECT_LE(touched.width(), 13 * Unit + 3); // a turned triangle spans up to 12.5 units
    EXPECT_LE(touched.height(), 13 * Unit + 3);
    EXPECT_TRUE(touched.contains(Vertex(3, 0)) && touched.contains(Vertex(3, 2)));
    box->DrawOutline(3);
}

TEST_F(BoardBoxTest, FullRepaintShowsTheHeldTriangleOnlyAsItsOutline) {
    RemoveTriangle(game.board, 3);
    game.board.Selected = 3;
    box->boxPaint();
    EXPECT_EQ(At(Centroid(3)), SilverRgb);
    EXPECT_EQ(At((Vertex(3, 0) + Vertex(3, 1)) / 2), SilverRgb ^ 0xffff00);
    EXPECT_EQ(At(Centroid(4)), BlackRgb);
}

TEST_F(BoardBoxTest, FullRepaintColoursTheTrianglesByGameState) {
    game.State = gsSolved;
    box->boxPaint();
    for (int t = 1; t <= TriangleCount; ++t)
        EXPECT_EQ(At(Centroid(t)), GreenRgb) << t;
    game.State = gsGivenUp;
    box->boxPaint();
    for (int t = 1; t <= TriangleCount; ++t)
        EXPECT_EQ(At(Centroid(t)), RedRgb) << t;
}

TEST_F(BoardBoxTest, PickUpMoveTurnAndPutDownDrawWhatAFullRepaintWould) {
    QSignalSpy holdChanged(box, &BoardBox::HoldChanged);
    const Placement start = game.board.Triangles[3];
    const QPoint grip = MoveGrip(3);
    Press(Qt::LeftButton, grip);
    EXPECT_EQ(holdChanged.count(), 1);
    ASSERT_EQ(game.board.Selected, 3);
    ASSERT_EQ(box->Drag().DragZone, ZoneMove);
    ExpectSameAsFullRepaint("pick-up");

    DragTo(grip + QPoint(5 * Unit, 2 * Unit));
    EXPECT_EQ(game.board.Triangles[3].Col, start.Col + 5);
    EXPECT_EQ(game.board.Triangles[3].Row, start.Row + 2);
    ExpectSameAsFullRepaint("move");
    Release(grip);

    Press(Qt::RightButton, {1, 1});
    ExpectSameAsFullRepaint("right turn");
    EXPECT_EQ(holdChanged.count(), 1) << "moving and turning hold the same triangle";

    Press(Qt::LeftButton, {1, 1});
    EXPECT_EQ(game.board.Selected, 0);
    EXPECT_EQ(holdChanged.count(), 2);
    EXPECT_EQ(cues, (std::vector<int>{1, 4, 2}));
    ExpectSameAsFullRepaint("put-down");
}

TEST_F(BoardBoxTest, CursorFollowsTheZonesOfTheHeldTriangle) {
    box->setCursor(Qt::IBeamCursor);
    DragTo({2, 2}); // nothing held: the cursor keeps its shape
    EXPECT_EQ(box->cursor().shape(), Qt::IBeamCursor);

    Press(Qt::LeftButton, MoveGrip(3));
    Release(MoveGrip(3));
    QMouseEvent overAnchor(QEvent::MouseMove, MoveGrip(3), box->mapToGlobal(MoveGrip(3)),
                           Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(box, &overAnchor);
    EXPECT_EQ(box->cursor().shape(), Qt::SizeAllCursor); // the move cursor stands in
    const QPoint corner = (Vertex(3, 0) * 9 + Centroid(3)) / 10;
    QMouseEvent overCorner(QEvent::MouseMove, corner, box->mapToGlobal(corner), Qt::NoButton,
                           Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(box, &overCorner);
    EXPECT_EQ(box->cursor().shape(), Qt::CrossCursor); // the turn cursor stands in
    QMouseEvent away(QEvent::MouseMove, QPoint(1, 1), box->mapToGlobal(QPoint(1, 1)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(box, &away);
    EXPECT_EQ(box->cursor().shape(), Qt::PointingHandCursor);

    // With the pictures, at the box's scale (2 in the scale-2 run).
    box->RegisterCursors();
    QApplication::sendEvent(box, &overAnchor);
    const QCursor move = box->cursor();
    ASSERT_EQ(move.shape(), Qt::BitmapCursor);
    EXPECT_EQ(move.pixmap().size(), QSize(32, 32) * qRound(box->devicePixelRatioF()));
    EXPECT_EQ(move.hotSpot(), QPoint(15, 15));
}

TEST(ScaledCursor, RepeatsEveryPixelByTheNearestWholeRatioAndKeepsTheHotSpotsPixel) {
    const QImage picture = QImage(":/cursors/crturn2.png").convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(picture.size(), QSize(32, 32));
    for (const auto& [ratio, factor] :
         {std::pair{1.0, 1}, {1.25, 1}, {1.5, 2}, {2.0, 2}, {3.0, 3}}) {
        SCOPED_TRACE(ratio);
        const QCursor cursor = ScaledCursor(":/cursors/crturn2.png", {15, 15}, ratio, {});
        const QPixmap pixmap = cursor.pixmap();
        EXPECT_EQ(pixmap.size(), QSize(32, 32) * factor);
        EXPECT_EQ(pixmap.devicePixelRatio(), factor);
        EXPECT_EQ(pixmap.deviceIndependentSize(), QSizeF(32, 32));
        EXPECT_EQ(cursor.hotSpot(), QPoint(15, 15)); // logical: device pixel 15 * factor
        const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
        // The hot spot's device pixels are black like the picture's (15, 15).
        EXPECT_EQ(image.pixel(15 * factor, 15 * factor), 0xFF000000u);
        EXPECT_EQ(image.pixel(16 * factor - 1, 16 * factor - 1), 0xFF000000u);
        int mixed = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                mixed += image.pixel(x, y) != picture.pixel(x / factor, y / factor);
        EXPECT_EQ(mixed, 0) << "no smoothed pixels";
    }
    EXPECT_EQ(ScaledCursor(":/cursors/none.png", {15, 15}, 2, Qt::CrossCursor).shape(),
              Qt::CrossCursor);
}

TEST_F(BoardBoxTest, WithoutAUnitTheBoxDrawsNothingAndTakesNoInput) {
    box->SetUnit(0);
    box->DrawOutline(1);
    box->DrawTriangle(1, Black, Grey);
    Press(Qt::LeftButton, {5, 5});
    EXPECT_EQ(game.board.Selected, 0);
    EXPECT_TRUE(box->Canvas().isNull());
}

} // namespace
