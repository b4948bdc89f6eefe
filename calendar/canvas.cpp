// The page's controller: what the user does on the canvas (wheel, keys,
// clicks) scrolls, selects and edits the page. It is the one file of the
// calendar that opens the editing dialogs (a cell's text and colours, the
// captured colour, the favourite colours).
#include "calendar/canvas.h"

#include "calendar/document.h"
#include "calendar/history.h"
#include "calendar/monthlayout.h"
#include "calendar/render.h"
#include "editing/colourdialogs.h"
#include "editing/colours.h"
#include "editing/textdialog.h"
#include "editing/textstate.h"
#include "platform/surface.h"

#include <cmath>
#include <utility>

namespace {

HWND canvas = nullptr;
WNDPROC oldCanvasProc = nullptr;  // the control's own procedure, below canvasProc

constexpr double scrollFloor = -4577 / 2.0;  // scrolling down only while viewY is above it
constexpr int lineStep = 92;
constexpr int pageStep = 100;
constexpr int wheelStep = 15;
const int endPosition = static_cast<int>(std::nearbyint(scrollFloor));  // -2288

bool scrollKey(WPARAM key) {
    switch (LOWORD(key)) {
    case VK_MULTIPLY:
        viewY = homeScrollY;
        return true;
    case VK_DOWN:
        if (viewY <= scrollFloor) return false;
        viewY -= lineStep;
        return true;
    case VK_UP:
        if (viewY >= 0) return false;
        viewY += lineStep;
        return true;
    case VK_NEXT:
        if (viewY <= scrollFloor) return false;
        viewY -= pageStep;
        return true;
    case VK_PRIOR:
        if (viewY >= 0) return false;
        viewY += pageStep;
        return true;
    case VK_END:
        viewY = endPosition;
        return true;
    case VK_HOME:
        viewY = 0;
        return true;
    }
    return false;
}

void wheel(WPARAM wParam) {
    const unsigned d = HIWORD(wParam);
    const int step = d > 32768 ? -wheelStep : wheelStep;
    if (viewY > scrollFloor && step == -wheelStep) viewY -= wheelStep;
    if (viewY < 0 && step == wheelStep) viewY += wheelStep;
    refreshPage();
}

void selectorClick(CanvasCell at) {
    if (cellAt(at.column, at.day).selected == 0 && selectionCount == 0) {
        selectCell(at.column, at.day);
    } else {
        selectedColumn = 0;
        selectedDay = 0;
        selectionCount = 0;
        clearSelection();
    }
    refreshPage();
}

bool stillOnThePage(CanvasCell at) {
    if (!pageExists()) return false;
    const MonthYear shown = columnMonth(firstMonth, firstYear, at.column);
    return cellAt(at.column, at.day).day > 0 && at.day <= daysInMonth(shown.month, shown.year);
}

void editCell(CanvasCell at) {
    loadTextStateFromCell(cellAt(at.column, at.day));
    showTextPropertiesDialog();
    if (textAccepted != 1) return;
    // The menu stays usable while the dialog is open: the page may have been
    // made anew meanwhile, so the cell is found again by its position.
    if (!stillOnThePage(at)) return;
    DocumentSnapshot before = takeSnapshot();
    storeTextStateInCell(cellAt(at.column, at.day));
    refreshPage();
    recordStep(pageHistory, std::move(before));
}

void leftButton(LPARAM lParam) {
    if (busy) return;
    busy = 1;
    const CanvasCell at = cellUnderCanvasPoint(LOWORD(lParam), HIWORD(lParam));
    if (at.column != 0) {
        if (leftButtonMode == 1) selectorClick(at);
        else if (leftButtonMode == 2) editCell(at);
    }
    busy = 0;
}

void rightButton(HWND window, LPARAM lParam) {
    if (busy) return;
    busy = 1;
    if (rightButtonMode == 1) {
        // The colour is read from the page as the document is now.
        if (pageExists()) refreshPage();
        currentColour = surfacePixel(window, LOWORD(lParam), HIWORD(lParam));
        showColourCaptureDialog();
    } else if (rightButtonMode == 2) {
        showFavouriteColoursDialog();
    }
    busy = 0;
}

}  // namespace

void attachCanvas(HWND control) {
    canvas = control;
    oldCanvasProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(canvasProc)));
}

HWND canvasWindow() { return canvas; }

CanvasCell cellUnderCanvasPoint(int x, int y) {
    const int pageX = x;
    const int pageY = y - viewY;
    // Above the page (after scrolling up past its top) there is no cell.
    if (pageX < 0 || pageY < 0) return {0, 0};
    const CanvasCell at{pageX / (cellWidth + cellGap) + 1, pageY / (cellHeight + cellGap) + 1};
    if (at.column < 1 || at.column > pageColumns || at.day < 1 || at.day > pageDays) return {0, 0};
    // A record loaded for a day that the month lacks is kept but never drawn:
    // it is no cell to click.
    if (!stillOnThePage(at)) return {0, 0};
    return at;
}

LRESULT CALLBACK canvasProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETDLGCODE:
        return CallWindowProcW(oldCanvasProc, window, message, wParam, lParam) | DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
        // Before there is a page, scrolling has nothing to move.
        if (pageExists() && scrollKey(wParam)) refreshPage();
        break;
    case WM_LBUTTONUP:
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        break;
    case WM_MOUSEWHEEL:
        if (pageExists()) wheel(wParam);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(window);
        if (cellTableExists()) leftButton(lParam);
        break;
    case WM_RBUTTONDOWN:
        SetFocus(window);
        rightButton(window, lParam);
        break;
    case WM_NCDESTROY:
        if (window == canvas) canvas = nullptr;
        break;
    }
    return CallWindowProcW(oldCanvasProc, window, message, wParam, lParam);
}
