#include "app/commands.h"

#include "app/menubar.h"
#include "calendar/document.h"
#include "calendar/render.h"
#include "files/aboutdialog.h"
#include "platform/message.h"

namespace {

// Every edit command ends the selection, whether it did anything or not.
void endSelection() {
    selectionCount = 0;
    clearSelection();
    refreshPage();
}

}  // namespace

void deleteCommand(HWND) {
    const bool selected = selectionCount == 1;
    if (selected) resetCell(selectedColumn, selectedDay);
    endSelection();
    if (!selected) showMessage(L"Tienes que seleccionar primero para poder borrar ...");
}

void copyCommand(HWND) {
    const bool selected = selectionCount == 1;
    if (selected) {
        enableMenuCommand(commandPaste, true);
        enableMenuCommand(commandCopy, true);
        copyColumn = selectedColumn;
        copyDay = selectedDay;
    }
    endSelection();
    if (!selected) showMessage(L"Tienes que seleccionar primero para poder copiar ...");
}

void pasteCommand(HWND) {
    const bool selected = selectionCount == 1;
    if (selected) {
        pasteColumn = selectedColumn;
        pasteDay = selectedDay;
        // The remembered cell is a position: it gives what it holds now.
        const bool remembered = copyColumn >= 1 && copyColumn <= pageColumns && copyDay >= 1 && copyDay <= pageDays;
        if (remembered) copyCellAttributes(copyColumn, copyDay, pasteColumn, pasteDay);
    }
    endSelection();
    if (!selected) showMessage(L"Tienes que seleccionar primero para poder pegar ...");
}

void aboutCommand(HWND) { showAboutDialog(nullptr); }
