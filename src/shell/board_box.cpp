#include "shell/board_box.h"

#include "board/orientation.h"
#include "ui/pictures.h"
#include "ui/triangle_polygon.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QtMath>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

// The key mark's sizes in pixels of the box.
constexpr int MarkGap = 2, MarkWidth = 2, MarkDash = 4;

QRgb ToQRgb(Rgb c) {
    return qRgb(c.r, c.g, c.b);
}

// The pixels of a triangle's three edges, each pixel once, ordered by row and
// then column, drawn `width` pixels wide. Every line runs from its corner up to
// the next corner, which begins the next line, so each corner is drawn once as
// well. Drawing these ourselves keeps the exclusive-or outline on exactly the
// pixels of the filled triangle's edge, and keeps a drag step cheap: Qt's raster
// engine hands every outline of a large board to its thread pool, which costs
// more than the drawing.
std::vector<QPoint> EdgePixels(const QPolygon& corners, int width) {
    const int low = -(width / 2), high = low + width - 1; // the pen's square about the line
    const QRect bounds = corners.boundingRect().adjusted(low, low, high, high);
    std::vector<QPoint> drawn;
    drawn.reserve(1024 * width * width);
    for (int k = 0; k < 3; ++k) {
        const QPoint from = corners[k], to = corners[(k + 1) % 3];
        const int dx = std::abs(to.x() - from.x()), dy = -std::abs(to.y() - from.y());
        const int sx = from.x() < to.x() ? 1 : -1, sy = from.y() < to.y() ? 1 : -1;
        int x = from.x(), y = from.y(), error = dx + dy;
        while (x != to.x() || y != to.y()) {
            for (int oy = low; oy <= high; ++oy)
                for (int ox = low; ox <= high; ++ox)
                    drawn.emplace_back(x + ox, y + oy);
            const int twice = 2 * error;
            if (twice >= dy) error += dy, x += sx;
            if (twice <= dx) error += dx, y += sy;
        }
    }
    // Into rows by counting (a drag step draws thousands of pixels at 2x), then
    // each row's few pixels by column.
    std::vector<int> rowStart(bounds.height() + 1, 0);
    for (const QPoint& p : drawn)
        ++rowStart[p.y() - bounds.top() + 1];
    for (size_t r = 1; r < rowStart.size(); ++r)
        rowStart[r] += rowStart[r - 1];
    std::vector<QPoint> pixels(drawn.size());
    std::vector<int> next(rowStart.begin(), rowStart.end() - 1);
    for (const QPoint& p : drawn)
        pixels[next[p.y() - bounds.top()]++] = p;
    auto byColumn = [](const QPoint& a, const QPoint& b) { return a.x() < b.x(); };
    auto kept = pixels.begin();
    for (size_t r = 0; r + 1 < rowStart.size(); ++r) {
        const auto first = pixels.begin() + rowStart[r], last = pixels.begin() + rowStart[r + 1];
        std::sort(first, last, byColumn);
        const auto end = std::unique(first, last);
        kept = kept == first ? end : std::move(first, end, kept); // kept lies before first
    }
    pixels.erase(kept, pixels.end());
    return pixels;
}

} // namespace

BoardBox::BoardBox(Game& game, QWidget* parent) : QWidget(parent), game(game) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true); // the cursor follows the held triangle's zones
    setFocusPolicy(Qt::StrongFocus);
}

void BoardBox::RegisterCursors() {
    cursorRatio = devicePixelRatioF();
    turnCursor = ScaledCursor(":/cursors/crturn2.png", {15, 15}, cursorRatio, turnCursor);
    moveCursor = ScaledCursor(":/cursors/crmove1.png", {15, 15}, cursorRatio, moveCursor);
}

void BoardBox::SetUnit(int newUnit) {
    unit = newUnit;
    FitCanvas();
    boxPaint();
}

void BoardBox::FitCanvas() {
    scale = devicePixelRatioF();
    penWidth = std::max(1, qRound(scale));
    if (unit < 1) {
        canvas = QImage();
        return;
    }
    if (canvasDeferred) return;
    const QSize pixels = CanvasRect().size();
    if (canvas.size() != pixels) canvas = QImage(pixels, QImage::Format_RGB32);
}

QPolygon BoardBox::Vertices(int t) const {
    QPolygon corners = TrianglePolygon(game.board.Triangles[t], unit);
    if (scale != 1)
        for (QPoint& c : corners)
            c = QPoint(qRound(c.x() * scale), qRound(c.y() * scale));
    return corners;
}

QRect BoardBox::Touched(const QPolygon& vertices) const {
    return InBox(vertices.boundingRect().adjusted(-penWidth, -penWidth, penWidth, penWidth) &
                 canvas.rect());
}

QRect BoardBox::InBox(const QRect& pixels) const {
    if (scale == 1 || pixels.isEmpty()) return pixels;
    const int left = qFloor(pixels.left() / scale), top = qFloor(pixels.top() / scale);
    return QRect(QPoint(left, top),
                 QPoint(qCeil((pixels.right() + 1) / scale), qCeil((pixels.bottom() + 1) / scale)));
}

// The mark is a frame of black and white dashes a little outside the held
// triangle: one of the two tones reads on the silver board, on every fill and
// under any palette, and dashes never pass for a triangle's edge. It is painted
// over the canvas on the screen only, so the canvas stays the board.
QRect BoardBox::MarkRing() const {
    const uint8_t held = game.board.Selected;
    if (!keyPlay || held < 1 || held > TriangleCount || canvas.isNull()) return {};
    const int reach = penWidth + MarkGap * penWidth + MarkWidth * penWidth;
    return Vertices(held).boundingRect().adjusted(-reach, -reach, reach, reach);
}

QRect BoardBox::MarkArea() const {
    return InBox(markRing & canvas.rect());
}

void BoardBox::FollowMark() {
    const QRect ring = MarkRing();
    if (ring == markRing) return;
    RepaintLater(MarkArea());
    markRing = ring;
    RepaintLater(MarkArea());
}

void BoardBox::PaintMark(QPainter& painter) const {
    const QRect r = markRing;
    const int thick = MarkWidth * penWidth, dash = MarkDash * penWidth;
    const QColor tones[2] = {Qt::black, Qt::white};
    for (int x = r.left(), k = 0; x <= r.right(); x += dash, ++k) {
        const int w = std::min(dash, r.right() + 1 - x);
        painter.fillRect(QRect(x, r.top(), w, thick), tones[k % 2]);
        painter.fillRect(QRect(x, r.bottom() + 1 - thick, w, thick), tones[k % 2]);
    }
    for (int y = r.top() + thick, k = 1; y <= r.bottom() - thick; y += dash, ++k) {
        const int h = std::min(dash, r.bottom() + 1 - thick - y);
        painter.fillRect(QRect(r.left(), y, thick, h), tones[k % 2]);
        painter.fillRect(QRect(r.right() + 1 - thick, y, thick, h), tones[k % 2]);
    }
}

// Where the board's pixels go: the canvas, or for the first frame the screen
// itself. Both get the same pixels, clipped to the canvas's rectangle.
class BoardBox::PixelSink {
  public:
    virtual ~PixelSink() = default;
    virtual void Fill(const QRect& r, QRgb colour) = 0; // r lies inside the area
    virtual void Flip(QPoint p, QRgb bits) = 0;         // exclusive-or, p inside the area
};

namespace {

class CanvasSink : public BoardBox::PixelSink {
  public:
    explicit CanvasSink(QImage& canvas) : canvas(canvas) {}
    void Fill(const QRect& r, QRgb colour) override {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(canvas.scanLine(y));
            std::fill(row + r.left(), row + r.right() + 1, colour);
        }
    }
    void Flip(QPoint p, QRgb bits) override {
        reinterpret_cast<QRgb*>(canvas.scanLine(p.y()))[p.x()] ^= bits;
    }

  private:
    QImage& canvas;
};

// The painter draws in device pixels, so each rectangle lands on exactly the
// pixels it names.
class ScreenSink : public BoardBox::PixelSink {
  public:
    explicit ScreenSink(QPainter& painter) : painter(painter) {}
    void Fill(const QRect& r, QRgb colour) override {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(r, QColor(colour));
    }
    void Flip(QPoint p, QRgb bits) override {
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.fillRect(QRect(p, QSize(1, 1)), QColor(bits));
    }

  private:
    QPainter& painter;
};

} // namespace

// Every device pixel of the box as Qt counts them, the outlines on the last
// edge included (the pen grows by less than the extra pixel does).
QRect BoardBox::CanvasRect() const {
    if (unit < 1) return {};
    return QRect(QPoint(0, 0), QSize(unit * GridColumns + 1, unit * GridRows + 1) * scale);
}

void BoardBox::PaintTriangle(PixelSink& sink, const QRect& area, int t, Rgb fill, Rgb line) const {
    // A triangle is convex: each row runs from its leftmost to its rightmost edge pixel.
    const std::vector<QPoint> edge = EdgePixels(Vertices(t), penWidth);
    const QRgb fillColour = ToQRgb(fill), lineColour = ToQRgb(line);
    for (size_t first = 0; first < edge.size();) {
        size_t last = first;
        while (last + 1 < edge.size() && edge[last + 1].y() == edge[first].y())
            ++last;
        const int y = edge[first].y();
        if (y >= area.top() && y <= area.bottom()) {
            const int from = std::max(edge[first].x(), area.left());
            const int to = std::min(edge[last].x(), area.right());
            if (from <= to) sink.Fill(QRect(from, y, to - from + 1, 1), fillColour);
            for (size_t i = first; i <= last; ++i)
                if (area.contains(edge[i])) sink.Fill(QRect(edge[i], QSize(1, 1)), lineColour);
        }
        first = last + 1;
    }
}

void BoardBox::PaintOutline(PixelSink& sink, const QRect& area, int t) const {
    const QRgb yellow = ToQRgb(Yellow) & RGB_MASK; // the pixels keep their alpha
    for (const QPoint& p : EdgePixels(Vertices(t), penWidth))
        if (area.contains(p)) sink.Flip(p, yellow);
}

void BoardBox::PaintBoard(PixelSink& sink, const QRect& area) const {
    sink.Fill(area, ToQRgb(Silver));
    const uint8_t held = game.board.Selected;
    for (int t = 1; t <= TriangleCount; ++t)
        if (t != held) PaintTriangle(sink, area, t, FillColour(game.State), Grey);
    if (held >= 1 && held <= TriangleCount) PaintOutline(sink, area, held);
}

void BoardBox::DeferCanvas() {
    canvasDeferred = true;
    canvas = QImage();
}

void BoardBox::MakeCanvas() {
    if (!canvasDeferred) return;
    canvasDeferred = false;
    FitCanvas();
    PaintBoard(); // the pixels already on the screen: nothing to repaint
    markRing = MarkRing();
}

void BoardBox::RepaintLater(const QRect& touched) {
    // One rectangle around everything drawn since the last paint: a paint clipped
    // to several rectangles takes a far slower path through the raster engine.
    pendingRepaint |= touched;
    update(pendingRepaint);
}

void BoardBox::DrawTriangle(int t, Rgb fill, Rgb line) {
    if (canvasDeferred) return update(); // painted from the game's state
    if (canvas.isNull()) return;
    CanvasSink sink(canvas);
    PaintTriangle(sink, canvas.rect(), t, fill, line);
    RepaintLater(Touched(Vertices(t)));
    FollowMark();
}

void BoardBox::DrawOutline(int t) {
    if (canvasDeferred) return update();
    if (canvas.isNull()) return;
    CanvasSink sink(canvas);
    PaintOutline(sink, canvas.rect(), t);
    RepaintLater(Touched(Vertices(t)));
    FollowMark();
}

void BoardBox::PaintBoard() {
    if (canvas.isNull()) return;
    CanvasSink sink(canvas);
    PaintBoard(sink, canvas.rect());
}

void BoardBox::boxPaint() {
    PaintBoard();
    markRing = MarkRing();
    update();
}

void BoardBox::paintEvent(QPaintEvent* event) {
    pendingRepaint = QRect();
    QPainter painter(this);
    if (devicePixelRatioF() != scale) {
        // Moved to a screen of another scale: the whole board again, at its pixels.
        FitCanvas();
        PaintBoard();
        markRing = MarkRing();
    }
    if (canvasDeferred && unit >= 1) {
        // The first frame, straight from the game's state: a canvas of the
        // board's size costs a first frame more in fresh memory than the
        // painting does.
        painter.scale(1 / scale, 1 / scale);
        ScreenSink sink(painter);
        PaintBoard(sink, CanvasRect());
        return;
    }
    if (canvas.isNull()) {
        painter.fillRect(event->rect(), QColor(ToQRgb(Silver)));
        return;
    }
    // The canvas holds device pixels: copied one to one, never scaled.
    painter.scale(1 / scale, 1 / scale);
    for (const QRect& r : event->region()) {
        const QRect pixels(
            QPoint(qFloor(r.left() * scale), qFloor(r.top() * scale)),
            QPoint(qCeil((r.right() + 1) * scale) - 1, qCeil((r.bottom() + 1) * scale) - 1));
        const QRect shown = pixels & canvas.rect();
        painter.drawImage(shown.topLeft(), canvas, shown);
    }
    if (!markRing.isEmpty()) PaintMark(painter);
}

void BoardBox::mousePressEvent(QMouseEvent* event) {
    MakeCanvas();    // the game's handlers draw into it step by step
    keyPlay = false; // the mouse sees the board exactly as it always did
    FollowMark();
    const QPoint at(qFloor(event->position().x()), qFloor(event->position().y()));
    switch (event->button()) {
    case Qt::LeftButton:
        return boxMouseDown(PointerButton::Left, at.x(), at.y());
    case Qt::MiddleButton:
        return boxMouseDown(PointerButton::Middle, at.x(), at.y());
    case Qt::RightButton:
        return boxMouseDown(PointerButton::Right, at.x(), at.y());
    default:
        return;
    }
}

void BoardBox::mouseMoveEvent(QMouseEvent* event) {
    MakeCanvas();
    boxMouseMove(event->buttons() & Qt::LeftButton, qFloor(event->position().x()),
                 qFloor(event->position().y()));
}

bool BoardBox::KeyFor(int key, Qt::KeyboardModifiers modifiers, BoardKey& boardKey) {
    struct Binding {
        int key;
        bool shift; // with Shift held; the others answer either way
        BoardKey boardKey;
    };
    static const Binding Bindings[] = {
        {Qt::Key_N, true, BoardKey::PreviousTriangle},
        {Qt::Key_N, false, BoardKey::NextTriangle},
        {Qt::Key_P, false, BoardKey::PreviousTriangle},
        {Qt::Key_Left, false, BoardKey::Left},
        {Qt::Key_Right, false, BoardKey::Right},
        {Qt::Key_Up, false, BoardKey::Up},
        {Qt::Key_Down, false, BoardKey::Down},
        {Qt::Key_R, false, BoardKey::TurnClockwise},
        {Qt::Key_L, false, BoardKey::TurnAnticlockwise},
        {Qt::Key_Return, false, BoardKey::PutDown},
        {Qt::Key_Enter, false, BoardKey::PutDown},
        {Qt::Key_Space, false, BoardKey::PutDown},
        {Qt::Key_Escape, false, BoardKey::PutBack},
    };
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const bool shift = modifiers & Qt::ShiftModifier;
    for (const Binding& b : Bindings)
        if (b.key == key && (!b.shift || shift)) {
            boardKey = b.boardKey;
            return true;
        }
    return false;
}

void BoardBox::keyPressEvent(QKeyEvent* event) {
    BoardKey key;
    if (!KeyFor(event->key(), event->modifiers(), key)) return QWidget::keyPressEvent(event);
    event->accept();
    MakeCanvas();
    if (unit < 1) return;
    keyPlay = true;
    // A held Enter or Escape would otherwise put the triangle down and pick the
    // next up 25 times a second; only the moving and turning keys repeat.
    if (event->isAutoRepeat() && (key == BoardKey::PutDown || key == BoardKey::PutBack)) return;
    const uint8_t heldBefore = game.board.Selected;
    Report(heldBefore, KeyOnBoard(game, key));
}

void BoardBox::Report(uint8_t heldBefore, const Outcome& outcome) {
    FollowMark();
    if (game.board.Selected != heldBefore) emit HoldChanged();
    if (outcome.Changed() || outcome.CueCount || outcome.Refused) emit Happened(outcome);
}

void BoardBox::boxMouseDown(PointerButton button, int x, int y) {
    const uint8_t heldBefore = game.board.Selected;
    Report(heldBefore, PressOnBoard(game, drag, unit, button, x, y));
}

void BoardBox::boxMouseMove(bool leftDown, int x, int y) {
    // The zone under the pointer before the step, as the cursor always showed it.
    const int zone = CursorZone(game, unit, x, y);
    Report(game.board.Selected, MoveOnBoard(game, drag, unit, leftDown, x, y));
    if (cursorRatio != 0 && devicePixelRatioF() != cursorRatio) {
        RegisterCursors(); // moved to a screen of another scale
        cursorZone = -1;   // shown afresh at the next zone
    }
    if (zone < 0 || zone == cursorZone) return; // nothing held: the cursor keeps its shape
    cursorZone = zone;
    switch (zone) {
    case ZoneOutside:
        return setCursor(Qt::PointingHandCursor);
    case ZoneMove:
        return setCursor(moveCursor);
    default:
        return setCursor(turnCursor);
    }
}
