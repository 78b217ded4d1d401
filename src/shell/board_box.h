#pragma once

#include "game/board_keys.h"
#include "game/game.h"
#include "game/pointer.h"

#include <QCursor>
#include <QImage>
#include <QWidget>

class QPainter;

// The board box: the board drawn into a canvas of its own, and the mouse and
// the keys on it. What a press, drag step or key did leaves as Happened, after
// the game's handler has returned; the window acts on it.
// Drawing goes into the canvas and asks for a repaint of only the touched
// rectangle, so moving or turning the held triangle costs two outline drawings,
// never a repaint of the whole board. The canvas holds the screen's own pixels
// (the box's size times its scale), so diagonals stay sharp on any screen; unit
// sizes, positions and the mouse stay in the box's own coordinates.
class BoardBox : public QWidget, public BoardPainter {
    Q_OBJECT

  public:
    // Keeps `game`, which may still be under construction: the box reads it
    // only when drawn or pressed.
    BoardBox(Game& game, QWidget* parent);

    // The canvas takes the board's size at this unit (one extra pixel for outlines
    // on the last edge) and is painted anew. Below 1 the board shows nothing and
    // takes no input.
    void SetUnit(int unit);
    int Unit() const { return unit; }

    // The whole board from the game's state.
    void boxPaint();

    // Until MakeCanvas, or the first input on the board, the board is painted
    // straight from the game's state and Canvas() is null: what a first frame
    // needs of it, without a canvas's worth of fresh memory.
    void DeferCanvas();
    void MakeCanvas();
    class PixelSink;

    // Triangle t (1..8) filled, outlined in `line`, pen width 1 (of the box's pixels).
    void DrawTriangle(int t, Rgb fill, Rgb line) override;
    // Triangle t's outline in yellow, exclusive-or, on exactly the pixels of the
    // filled triangle's edge: twice restores every pixel.
    void DrawOutline(int t) override;

    // The turn and move cursors from the resources, at the box's scale; the
    // platform's own shapes stand in for a missing picture.
    void RegisterCursors();

    // Device pixels: the box's size times Scale().
    const QImage& Canvas() const { return canvas; }
    qreal Scale() const { return scale; }
    const PointerDrag& Drag() const { return drag; }
    // Where the held triangle's key mark shows, in the box's coordinates; empty
    // while the mouse had the last word on the board or nothing is held.
    QRect MarkArea() const;

    // The key on the board for a key press, if it is one of them (see the rules
    // dialog for the list).
    static bool KeyFor(int key, Qt::KeyboardModifiers modifiers, BoardKey& boardKey);

  signals:
    // A press or a key put the held triangle down, picked one up, or both.
    void HoldChanged();
    // Whatever the mouse or a key did on the board; nothing when it did nothing.
    void Happened(const Outcome& outcome);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void boxMouseDown(PointerButton button, int x, int y);
    void boxMouseMove(bool leftDown, int x, int y);
    void Report(uint8_t heldBefore, const Outcome& outcome);
    void FitCanvas();
    void PaintBoard();
    QPolygon Vertices(int t) const; // in the canvas's pixels
    QRect Touched(const QPolygon& vertices) const;
    QRect InBox(const QRect& pixels) const; // rounded outwards
    QRect MarkRing() const;                 // in the canvas's pixels
    void FollowMark();
    void PaintMark(QPainter& painter) const;
    void RepaintLater(const QRect& touched);
    QRect CanvasRect() const; // in device pixels, empty below unit 1
    void PaintTriangle(PixelSink& sink, const QRect& area, int t, Rgb fill, Rgb line) const;
    void PaintOutline(PixelSink& sink, const QRect& area, int t) const;
    void PaintBoard(PixelSink& sink, const QRect& area) const;

    Game& game;
    PointerDrag drag;
    QImage canvas;
    int unit = 0;
    qreal scale = 1;              // device pixels per pixel of the box, when the canvas was made
    int penWidth = 1;             // in device pixels: one pixel of the box, rounded
    int cursorZone = ZoneOutside; // the zone whose cursor the box shows
    QRect pendingRepaint;         // drawn into the canvas, not yet on the screen
    bool keyPlay = false;         // the last input on the board was a key
    bool canvasDeferred = false;
    QRect markRing;        // the key mark as last asked for, in the canvas's pixels
    qreal cursorRatio = 0; // the scale the cursors were made for, 0 before they were
    QCursor turnCursor{Qt::CrossCursor};
    QCursor moveCursor{Qt::SizeAllCursor};
};
