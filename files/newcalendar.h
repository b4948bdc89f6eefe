// The "Nuevo" command and its dialog "Nuevo za-nor".
#pragma once

#include <windows.h>

// Resets the page and asks for its month, year and colours; a cancel gives
// the page back as it was and shows it. Does nothing while another dialog is
// open. True when the user accepted: there is a page, drawn.
bool newCalendarCommand();
// Runs the dialog; 1 when the user accepted and the page was drawn, else 0.
INT_PTR showNewCalendarDialog(HWND owner);
