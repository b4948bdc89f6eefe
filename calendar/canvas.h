// The canvas, the window that shows the page: mouse, wheel and key handling
// on it (scrolling, selecting cells, editing a cell's text and colours,
// capturing colours).
#pragma once

#include <windows.h>

#include <cstdint>

// The canvas control of the main window, 1000 x 576 pixels.
constexpr int canvasId = 1001;
constexpr int canvasWidth = 1000;
constexpr int canvasHeight = 576;

// Takes over the canvas control once it exists: its messages go through
// canvasProc first, and canvasWindow() gives it until it is destroyed.
void attachCanvas(HWND canvas);
// The canvas, or null while there is none.
HWND canvasWindow();

// The canvas's window procedure; every message also goes on to the control's
// own procedure, except the wheel, which stops here so that the default
// handling does not hand it to the main window again.
LRESULT CALLBACK canvasProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

struct CanvasCell {
    int column;
    int day;
};
// The cell of the page under a canvas point at the current scroll offset;
// column 0 when there is none (outside the page, or a day its month lacks).
CanvasCell cellUnderCanvasPoint(int x, int y);
