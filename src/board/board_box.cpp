#include "board/board_box.h"

#include "board/orientation.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QtMath>

namespace {

QColor ToQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

QCursor CursorFrom(const QString& path, const QCursor& standIn) {
    const QPixmap picture(path);
    return picture.isNull() ? standIn : QCursor(picture, 15, 15);
}

} // namespace

BoardBox::BoardBox(Game& game, QWidget* parent) : QWidget(parent), game(game) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true); // the cursor follows the held triangle's zones
    setCursor(Qt::PointingHandCursor);
}

void BoardBox::RegisterCursors() {
    turnCursor = CursorFrom(":/cursors/crturn2.png", turnCursor);
    moveCursor = CursorFrom(":/cursors/crmove1.png", moveCursor);
}

void BoardBox::SetUnit(int newUnit) {
    unit = newUnit;
    if (unit < 1)
        canvas = QImage();
    else if (canvas.width() != unit * GridColumns + 1)
        canvas = QImage(unit * GridColumns + 1, unit * GridRows + 1, QImage::Format_RGB32);
    boxPaint();
}

QPolygon BoardBox::Vertices(int t) const {
    const Placement& p = game.board.Triangles[t];
    QPolygon vertices(3);
    for (int k = 0; k < 3; ++k)
        vertices.setPoint(k, (p.Col + VertexDX[k][p.Orient]) * unit,
                          (p.Row + VertexDY[k][p.Orient]) * unit);
    return vertices;
}

QRect BoardBox::Touched(const QPolygon& vertices) const {
    return vertices.boundingRect().adjusted(-1, -1, 1, 1) & canvas.rect();
}

void BoardBox::PaintTriangle(int t, Rgb fill, Rgb line) {
    QPainter painter(&canvas);
    painter.setPen(QPen(ToQColor(line), 1));
    painter.setBrush(ToQColor(fill));
    painter.drawPolygon(Vertices(t));
}

void BoardBox::PaintOutline(int t) {
    QPainter painter(&canvas);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.setPen(QPen(ToQColor(Yellow), 1));
    painter.setBrush(Qt::NoBrush);
    const QPolygon v = Vertices(t);
    painter.drawPolyline(QPolygon{v[0], v[1], v[2], v[0]});
}

void BoardBox::DrawTriangle(int t, Rgb fill, Rgb line) {
    if (canvas.isNull()) return;
    PaintTriangle(t, fill, line);
    update(Touched(Vertices(t)));
}

void BoardBox::DrawOutline(int t) {
    if (canvas.isNull()) return;
    PaintOutline(t);
    update(Touched(Vertices(t)));
}

void BoardBox::boxPaint() {
    if (!canvas.isNull()) {
        canvas.fill(ToQColor(Silver));
        const uint8_t held = game.board.Selected;
        for (int t = 1; t <= TriangleCount; ++t)
            if (t != held) PaintTriangle(t, PlayingColour(game.State), Grey);
        if (held) PaintOutline(held);
    }
    update();
}

void BoardBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (canvas.isNull()) {
        painter.fillRect(event->rect(), ToQColor(Silver));
        return;
    }
    for (const QRect& r : event->region())
        painter.drawImage(r.topLeft(), canvas, r);
}

void BoardBox::mousePressEvent(QMouseEvent* event) {
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
    boxMouseMove(event->buttons() & Qt::LeftButton, qFloor(event->position().x()),
                 qFloor(event->position().y()));
}

void BoardBox::boxMouseDown(PointerButton button, int x, int y) {
    PressOnBoard(game, drag, unit, button, x, y);
}

void BoardBox::boxMouseMove(bool leftDown, int x, int y) {
    const int zone = MoveOnBoard(game, drag, unit, leftDown, x, y);
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
