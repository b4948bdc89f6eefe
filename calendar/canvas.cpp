#include "calendar/canvas.h"

#include "app/mainwindow.h"

LRESULT CALLBACK canvasProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(oldCanvasProc, window, message, wParam, lParam);
}
