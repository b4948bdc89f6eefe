// Drawing surfaces: static child controls that keep their own picture and
// repaint themselves from it. The program draws into the picture through
// surfaceDC() and shows what it drew with surfaceShow(); the copy and clear
// operations show their result at once.
#pragma once

#include <windows.h>

#include <cstdint>

// Makes the control (a "Static" of the given styles) and its picture, width x
// height pixels, cleared to white. The picture is drawn at the control's client
// origin. Returns null when the control cannot be made.
HWND createSurface(HWND parent, int id, int x, int y, int width, int height, DWORD style,
                   DWORD exStyle = 0);
bool isSurface(HWND control);

// The device context of the picture (null for a window that is not a surface).
HDC surfaceDC(HWND surface);
// Repaints the control from its picture now.
void surfaceShow(HWND surface);

void surfaceSetColours(HWND surface, int32_t drawColour, int32_t backgroundColour);
int32_t surfaceDrawColour(HWND surface);
int32_t surfaceBackgroundColour(HWND surface);
// Fills the picture with the background colour and shows it.
void surfaceClear(HWND surface);
// A colour swatch: the whole picture in one colour (black drawing colour).
void surfaceFill(HWND surface, int32_t colour);
// Copies width x height pixels from source (at sx, sy) to (x, y) of the
// picture with a plain source copy, and shows it.
void surfaceCopy(HWND surface, int x, int y, int width, int height, HDC source, int sx, int sy);
// The colour of one pixel of the picture as 0x00BBGGRR, or -1 outside it.
int32_t surfacePixel(HWND surface, int x, int y);
