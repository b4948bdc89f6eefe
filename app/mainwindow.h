// The main window: a fixed-size window whose only child is the canvas, run
// modally until the user closes it.
#pragma once

#include "calendar/canvas.h"

#include <windows.h>

#include <string_view>

extern HWND mainWindow;  // set once when the window is made
extern HWND savedFocus;  // focus kept while the window is inactive

// Loads COMCTL32.DLL by name and initialises the common control classes.
void prepareCommonControls();
// Builds the main window, runs it modally and returns when it has closed. The
// work file that the command tail names is opened when the window initialises.
INT_PTR showMainWindow(HWND owner, std::wstring_view tail = {});
INT_PTR CALLBACK mainWindowCallback(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Opens the work file that a command tail names; an empty tail does nothing.
void openCommandLineFile(std::wstring_view tail);
