// "Deshacer" and "Rehacer", and the recording of the menu commands' steps.
#include "app/commands.h"

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
    DocumentSnapshot before = beginStep(pageHistory);
    action(window);
    endStep(pageHistory, std::move(before));
}
