// Mouse, wheel and key handling on the canvas.
#pragma once

#include <windows.h>

// The canvas's window procedure; what it does not consume goes on to the
// control's own procedure (oldCanvasProc).
LRESULT CALLBACK canvasProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
