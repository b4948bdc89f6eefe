// "Grabar", "Abrir fichero" and "Fotocopia". The dispatcher runs each of them
// under the busy guard.
#include "app/commands.h"

#include "app/menubar.h"
#include "calendar/document.h"
#include "calendar/history.h"
#include "calendar/render.h"
#include "files/bitmapexport.h"
#include "files/filedialogs.h"
#include "files/workfile.h"
#include "platform/message.h"

#include <utility>

namespace {

constexpr int saveMode = 1;
constexpr int openMode = 0;

}  // namespace

bool mayWriteOver(const std::wstring& path) {
    return !fileExists(path) || askYesNo(L"Fichero Existe ...\r\nSobrescribir ?");
}

void saveCommand(HWND window) {
    workFilePath.clear();
    showWorkFileDialog(window, workFilePath, saveMode);
    if (workFilePath.empty()) return;
    if (!mayWriteOver(workFilePath)) return;
    saveWorkFile();
}

void openCommand(HWND window) {
    workFilePath.clear();
    showWorkFileDialog(window, workFilePath, openMode);
    if (!workFilePath.empty()) openWorkFile();
}

void openWorkFile() {
    if (!fileExists(workFilePath)) {
        showMessage(L"Fichero de trabajo : \r\n" + workFilePath + L"\r\nNo Existe ...");
        return;
    }
    DocumentSnapshot before = takeSnapshot();
    if (!loadWorkFile()) return;
    renewImagesAndView();
    enablePageCommands();
    recordStep(pageHistory, std::move(before));
}

void exportCommand(HWND window) {
    // The dialog proposes the name of the previous export.
    showBitmapDialog(window, exportPath, saveMode);
    if (!exportPath.empty()) exportBitmap();
}
