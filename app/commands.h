// The actions behind the menu commands that open a dialog or work on the
// selected cell. Each is given the main window.
#pragma once

#include <windows.h>

#include <string>

// "Copiar": remembers the selected cell.
void copyCommand(HWND window);
// "Pegar": copies the remembered cell into the selected one.
void pasteCommand(HWND window);
// "Borrar": puts the selected cell back to the defaults.
void deleteCommand(HWND window);
// "Grabar": saves the page as a work file.
void saveCommand(HWND window);
// "Abrir fichero": opens a work file.
void openCommand(HWND window);
// Opens the work file at workFilePath, as "Abrir fichero" does once the file is
// chosen: a missing file is told, a refused one leaves the page as it was.
void openWorkFile();
// True when nothing is at `path`, or the user agrees to replace what is
// ("Fichero Existe ...\r\nSobrescribir ?").
bool mayWriteOver(const std::wstring& path);
// "Fotocopia": exports the page as a bitmap file.
void exportCommand(HWND window);
// "Exportar PNG": exports the page as a PNG image.
void pngExportCommand(HWND window);
// "Exportar PDF A4": exports the page as a PDF of two A4 sheets.
void pdfExportCommand(HWND window);
// "Autor": shows the About dialog.
void aboutCommand(HWND window);
// "Festivos nacionales": the national holidays written into the page's days.
void holidaysCommand(HWND window);
// "Importar agenda": the events of an iCalendar file written into the page's
// days; agendaPath is the file its dialog gave last (nothing after a cancel),
// which the next one proposes.
void agendaCommand(HWND window);
extern std::wstring agendaPath;
// What "Importar agenda" does once its dialog has given a file.
void importAgenda(const std::wstring& path);
// "Deshacer" and "Rehacer": the page as it was before the last step, or
// before the last "Deshacer", drawn at the same scroll offset.
void undoCommand(HWND window);
void redoCommand(HWND window);
// Runs a command that may change the page, making what it changes a step to
// undo, also while a dialog is open. While "Nuevo za-nor" is open, the page
// is that command's: what changes meanwhile is part of its step.
void runAsStep(void (*action)(HWND), HWND window);
