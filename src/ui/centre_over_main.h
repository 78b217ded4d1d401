#pragma once

#include <QMargins>
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

// Calls `place` now and once more when the window about to be shown is first
// exposed: only then does the window manager's frame have its size, and nothing
// is painted yet. While the window settles it calls `place` again (a few times at
// most) when the window manager moves the window or its frame changes.
void PlaceNowAndWhenFramed(QWidget* window, const std::function<void()>& place);
