#pragma once

// Nearest whole number to `v` (within int range), halves to the even one,
// whatever the floating-point rounding mode.
int RoundHalfEven(double v);

// Where the board box goes in the main window and how large a grid unit is.
struct BoardGeometry {
    int Unit = 0; // pixels per grid unit, across and down
    int Left = 0, Top = 0, Width = 0, Height = 0;
};

// Margins of about one unit around the 91 x 61 board.
inline constexpr int ScaleColumns = 93;
inline constexpr int ScaleRows = 63;
// The smallest unit the window allows; below 1 the board would have no size.
inline constexpr int MinUnit = 2;

// The board box for a client area of clientWidth x clientHeight with the toolbar
// (toolHeight) above and the banner (bannerHeight) below: square cells as large as
// fit, centred in the free area, one extra pixel for outlines on the last edge.
BoardGeometry ScaleBoard(int clientWidth, int clientHeight, int toolHeight, int bannerHeight);
