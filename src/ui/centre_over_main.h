#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>

#include <functional>

class QWidget;

// Puts a dialog over the main window's inner area, wherever the main window is:
// horizontally centred on the whole window, vertically centred on the client
// area, which is taken to lie at the bottom of the frame. Call on each showing.
void CentreOverMain(QWidget* dialog, const QWidget* mainWindow);

// Gives a window (a widget with Qt::Window among its flags) its native window
// now, so that a transient parent and window properties can be set before the
// first showing. Asking for winId() instead would turn the parent's other
// children (board, toolbar, banner) into native windows of their own: Wayland
// subsurfaces, whose changes Qt's Wayland backing store reports to the
// compositor at the wrong place, so the screen keeps showing stale pixels.
void CreateNativeWindow(QWidget* window);

// The window manager's frame around the client area; none before it is known.
QMargins FrameMargins(const QWidget* window);
// The window with its frame, where the window manager put it.
QRect FrameGeometry(const QWidget* window);

// The window's frame, or before the window manager framed it the frame of a
// window it frames alike (the main window), the best guess until it is known.
QMargins FrameOrGuess(const QWidget* window, const QWidget* framedLike);
// Puts the window's frame's top-left corner at `topLeft` by placing the client
// area itself: a frame's place is turned into the client's by the window
// manager with whatever frame it has in mind at the mapping, which on a
// showing again may count the frame twice.
void MoveFrameTo(QWidget* window, QPoint topLeft, QMargins frame);

// Calls `place` now and once more when the window about to be shown is first
// exposed: only then does the window manager's frame have its size, and nothing
// is painted yet. While the window settles it calls `place` again (a few times at
// most) when the window manager moves the window or its frame changes.
void PlaceNowAndWhenFramed(QWidget* window, const std::function<void()>& place);
