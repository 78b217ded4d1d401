#pragma once

class QWidget;

// Puts a dialog over the main window's inner area, wherever the main window is:
// horizontally centred on the whole window, vertically centred on the client
// area, which is taken to lie at the bottom of the frame. Call on each showing.
void CentreOverMain(QWidget* dialog, const QWidget* mainWindow);
