// The platform's file dialogs for work files and for the exports, and
// the folder remembered between them.
#pragma once

#include <windows.h>

#include <string>

// The folder of the last path chosen in a file dialog; empty at start-up and
// after a cancelled dialog.
extern std::wstring lastFolder;

// A path splits in two: the folder is everything up to and including the last
// backslash or colon, the file name everything after it. A path that is empty
// or longer than 260 characters has neither.
std::wstring folderPart(const std::wstring& path);
std::wstring fileNamePart(const std::wstring& path);

// Mode 0 shows the open dialog for work files, any other mode the save
// dialog. On entry `path` holds the name to propose; on return the chosen full
// path, or nothing when the user cancelled.
void showWorkFileDialog(HWND owner, std::wstring& path, int mode);
// The save dialog for the bitmap export (mode 0 would open an existing one),
// starting in lastFolder.
void showBitmapDialog(HWND owner, std::wstring& path, int mode);
// The save dialogs of the PNG and the PDF export, the same way.
void showPngDialog(HWND owner, std::wstring& path);
void showPdfDialog(HWND owner, std::wstring& path);
// The open dialog for an agenda ("Importar agenda", iCalendar files), the
// same way.
void showAgendaDialog(HWND owner, std::wstring& path);
