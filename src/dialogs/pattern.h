#pragma once

#include "game/data.h"

#include <QTimer>
#include <QWidget>

#include <optional>

class Settings;

// The caption names the figure and says whether it is solved or given up, in the
// language of the moment: "Trigonet 7 - solved".
QString PatternCaption(const GameData& data);

// The target figure window: the current figure black on silver at two pixels per
// grid unit, in a small undecorated tool window that stays on top, draws its own
// caption strip above the figure (dragging the strip moves the window while the
// button is held) and remembers its position as "pleft" and "ptop"; a stored
// position that would leave the strip off the desktop is brought back onto it. It keeps no game
// data: every paint reads the shared state.
class TPatForm : public QWidget {
    Q_OBJECT

  public:
    static constexpr int ClientWidth = 181;
    static constexpr int ClientHeight = 120;
    static constexpr int CaptionHeight = 18;

    TPatForm(const GameData& data, Settings& ini, QWidget* mainWindow);
    // Stores the window's position.
    ~TPatForm() override;

    // Repaints now, caption included; shows the window again if a window manager
    // minimised it.
    void Refresh();

    // Where the figure is drawn, ClientWidth x ClientHeight below the caption strip.
    static QRect FigureArea() { return QRect(0, CaptionHeight, ClientWidth, ClientHeight); }

    // `stored` (the window's top-left corner) moved the least that keeps the
    // whole caption strip on a screen's available area, so it can be grabbed.
    static QPoint OnTheDesktop(QPoint stored);

    // Where the window goes when no position is stored: at `preferred` unless
    // that covers the main window's title bar, else beside, above or below the
    // main window's frame where `room` (the screen's available area) has space
    // for it, else where on `room` it hides the least of the main window and
    // leaves the title bar free. The title bar is what lies between the
    // frame's top and the client's top. An empty `room` stands for no screen.
    static QPoint FirstPlace(QPoint preferred, const QRect& mainFrame, const QRect& mainClient,
                             const QRect& room);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void AskForToolbarType();
    void PlaceBesideMain();
    void PaintCaption(QPainter& painter, const QString& caption);

    const GameData& data;
    Settings& ini;
    // Where the strip was grabbed, while the button that grabbed it is held.
    std::optional<QPoint> grabbedAt;
    bool byHand = false; // moved by the window itself, not by the window manager
    QWidget* mainWindow;
    // No position was stored: the window keeps clear of the main window's title
    // bar until the player moves it.
    bool followMain = false;
    QTimer mainSettled;
    std::optional<QPoint> placedAt; // where this window last placed itself
};
