// "Deshacer" and "Rehacer", and the recording of the menu commands' steps.
#include "app/commands.h"

#include "app/menubar.h"
#include "calendar/document.h"
#include "calendar/history.h"
#include "calendar/render.h"

#include <utility>

void undoCommand(HWND) {
    if (undoStep(pageHistory)) refreshPage();
}

void redoCommand(HWND) {
    if (redoStep(pageHistory)) refreshPage();
}

void runAsStep(void (*action)(HWND), HWND window) {
    if (busy) {
        action(window);
        return;
    }
    DocumentSnapshot before = takeSnapshot();
    action(window);
    recordStep(pageHistory, std::move(before));
}

void showHistoryCommands() {
    enableMenuCommand(commandUndo, !pageHistory.undo.empty());
    enableMenuCommand(commandRedo, !pageHistory.redo.empty());
}
