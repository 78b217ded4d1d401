#pragma once

// Where the main window stands between runs, and keeping windows on the desktop.

#include <QMargins>
#include <QRect>
#include <QString>

#include <optional>

class QWidget;
class Settings;

// A window's placement as it is stored: the format mark 200, flags, show state and
// the normal (restored) client rectangle as left, top, right, bottom, right and
// bottom exclusive.
inline constexpr int PlacementMark = 200;
inline constexpr int ShowNormal = 1;
inline constexpr int ShowMinimized = 2;
inline constexpr int ShowMaximized = 3;

struct WindowPlacement {
    int Flags = 0;
    int ShowCmd = ShowNormal;
    QRect Normal;
};

QString FormatPlacement(const WindowPlacement& placement);
// Nothing unless there are exactly seven numbers, the first is 200, and the
// rectangle has a size.
std::optional<WindowPlacement> ParsePlacement(const QString& text);
// Moves the rectangle, keeping its size, so that its right and bottom edges are
// not beyond the desktop's and then its left and top edges not before them.
QRect KeepOnDesktop(QRect rect, const QRect& desktop);
// The top-left corner that centres a window of `size` on `area`, a screen that
// need not start at 0,0.
QPoint CentredOn(const QRect& area, const QSize& size);
// The client rectangle moved so that the frame around it is kept on the desktop.
QRect KeepFrameOnDesktop(const QRect& client, const QMargins& frame, const QRect& desktop);

// Keeps the main window's position, size and show state in the settings (the
// window's colour and font are not kept).
class FormPlacement {
  public:
    explicit FormPlacement(Settings& settings);

    // Before the window is first shown: the stored placement with its frame kept
    // on the desktop, or the window centred on the primary screen when none is
    // stored; once more when the frame is known. The show state comes back as
    // stored: normal, minimised or maximised.
    void Restore(QWidget* window);
    // False when the placement could not be written.
    bool Store(const QWidget* window);

  private:
    Settings& settings;
    int flags = 0; // given back unchanged
};
