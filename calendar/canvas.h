// Mouse, wheel and key handling on the canvas: scrolling, selecting cells,
// editing a cell's text and colours, and capturing colours.
#pragma once

#include <windows.h>

#include <cstdint>

// The canvas's window procedure; every message also goes on to the control's
// own procedure (oldCanvasProc), except the wheel, which stops here so that
// the default handling does not hand it to the main window again.
LRESULT CALLBACK canvasProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

struct CanvasCell {
    int column;
    int day;
};
// The cell of the page under a canvas point at the current scroll offset;
// column 0 when there is none (outside the page, or a day its month lacks).
CanvasCell cellUnderCanvasPoint(int x, int y);
