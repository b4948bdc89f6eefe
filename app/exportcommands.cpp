// "Exportar PNG" and "Exportar PDF A4". The dispatcher runs each of them under
// the busy guard.
#include "app/commands.h"

#include "files/filedialogs.h"
#include "files/imageexport.h"

#include <string>

namespace {

// The dialog proposes the name of the previous export of the same kind; a
// file that exists is replaced only when the user says so.
void exportThrough(HWND window, std::wstring& path, void (*dialog)(HWND, std::wstring&), void (*write)()) {
    dialog(window, path);
    if (!path.empty() && mayWriteOver(path)) write();
}

}  // namespace

void pngExportCommand(HWND window) { exportThrough(window, pngExportPath, showPngDialog, exportPng); }

void pdfExportCommand(HWND window) { exportThrough(window, pdfExportPath, showPdfDialog, exportPdf); }
