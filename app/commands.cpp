#include "app/commands.h"

// Not written yet: each command does nothing for now.

void copyCommand(HWND) {}

void pasteCommand(HWND) {}

void deleteCommand(HWND) {}

void saveCommand(HWND) {}

void openCommand(HWND) {}

void exportCommand(HWND) {}

void aboutCommand(HWND) {}
