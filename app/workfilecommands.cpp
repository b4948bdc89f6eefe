#include "app/commands.h"

// "Grabar", "Abrir fichero" and "Fotocopia" arrive with the work-file reader
// and writer and the bitmap export.

void saveCommand(HWND) {}

void openCommand(HWND) {}

void exportCommand(HWND) {}
