#include "app/commands.h"

// The edit commands and "Autor" arrive with the clipboard and the About dialog.

void copyCommand(HWND) {}

void pasteCommand(HWND) {}

void deleteCommand(HWND) {}

void aboutCommand(HWND) {}
