// The canvas, the window that shows the page: mouse, wheel and key handling
// on it (scrolling, selecting cells, editing a cell's text and colours,
// capturing colours).
#pragma once

#include "calendar/daycursor.h"

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

// The day cursor: the day that the keyboard acts on (Tab, Shift+Tab, Left,
// Right move it; Enter and Space act as the left button on it, the
// context-menu key and Shift+F10 as the right one). Placed on today's day, or
// on column 1's first, when the first page comes, and kept on the page when
// another comes; column 0 while there is no page.
DayPos dayCursor();
// Moves the cursor, scrolling the page as little as needed to show its day.
void moveDayCursor(DayPos to);
// What Enter does on a day of the page, in the left button's mode.
void activateDay(DayPos at);
// Draws the cursor, a dotted rectangle inside its day's box, over what the
// canvas shows, while the canvas has the focus and Windows shows focus
// rectangles; the page's images never have it. Called whenever the canvas
// has shown its picture.
void showDayCursor();

// What the canvas tells screen readers (canvasaccess.cpp): it answers
// WM_GETOBJECT with a table of the page's days (0 when not answered), and
// tells them when the cursor moves and when the page, the selection or a
// day's text have changed since the canvas last showed it.
LRESULT answerCanvasObject(HWND canvas, WPARAM wParam, LPARAM lParam);
void noticeCursorMoved();
void noticeCanvasChanges();

struct CanvasCell {
    int column;
    int day;
};
// The cell of the page under a canvas point at the current scroll offset;
// column 0 when there is none (outside the page, or a day its month lacks).
CanvasCell cellUnderCanvasPoint(int x, int y);
