// The page's controller: what the user does on the canvas (wheel, keys,
// clicks) scrolls, selects and edits the page. It is the one file of the
// calendar that opens the editing dialogs (a cell's text and colours, the
// captured colour, the favourite colours).
#include "calendar/canvas.h"

#include "calendar/daycursor.h"
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
// The day the keyboard acts on; column 0 until the first page comes.
DayPos cursor{0, 0};

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

void leftButton(CanvasCell at) {
    // Nor while a command's step is open (its message shown): a screen
    // reader's action may come then.
    if (busy || pageHistory.open) return;
    busy = 1;
    if (at.column != 0) {
        if (leftButtonMode == 1) selectorClick(at);
        else if (leftButtonMode == 2) editCell(at);
    }
    busy = 0;
}

void rightButton(HWND window, int x, int y) {
    if (busy) return;
    busy = 1;
    if (rightButtonMode == 1) {
        // The colour is read from the page as the document is now.
        if (pageExists()) refreshPage();
        currentColour = surfacePixel(window, x, y);
        showColourCaptureDialog();
    } else if (rightButtonMode == 2) {
        showFavouriteColoursDialog();
    }
    busy = 0;
}

// The middle of the cursor's day on the canvas.
POINT cursorPoint(DayPos at) {
    const CellBox box = cellBox(at.column, at.day);
    return {box.x + box.width / 2, box.y + box.height / 2 + viewY};
}

// Keys that move the cursor or act on its day: Tab and Shift+Tab, Left and
// Right, Enter and Space as the left button, the context-menu key and
// Shift+F10 as the right one. True when the key was one of them.
bool cursorKey(HWND window, WPARAM key, bool system) {
    const DayPos at = dayCursor();
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    DayPos to = at;
    switch (LOWORD(key)) {
    case VK_TAB:
        if (system || GetKeyState(VK_CONTROL) < 0) return false;
        to = stepDay(at, shift ? -1 : 1, firstMonth, firstYear);
        break;
    case VK_LEFT:
    case VK_RIGHT:
        if (system) return false;
        to = sideDay(at, LOWORD(key) == VK_LEFT ? -1 : 1, firstMonth, firstYear);
        break;
    case VK_RETURN:
    case VK_SPACE:
        if (system) return false;
        leftButton({at.column, at.day});
        return true;
    case VK_F10:
        if (!shift) return false;
        [[fallthrough]];
    case VK_APPS: {
        // The colour is read from the screen: the day is shown first.
        moveDayCursor(at);
        const POINT middle = cursorPoint(at);
        rightButton(window, middle.x, middle.y);
        return true;
    }
    default:
        return false;
    }
    // The keyboard is in use: Windows shows focus rectangles from now on.
    SendMessageW(GetAncestor(window, GA_ROOT), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    if (!(to == at)) moveDayCursor(to);
    return true;
}

// The canvas's picture as it is, and the cursor over it.
void repaint(HWND window) {
    surfaceShow(window);
    showDayCursor();
}

}  // namespace

void attachCanvas(HWND control) {
    canvas = control;
    oldCanvasProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(canvasProc)));
}

HWND canvasWindow() { return canvas; }

DayPos dayCursor() {
    if (!pageExists()) return {0, 0};
    if (cursor.column == 0) {
        SYSTEMTIME today;
        GetLocalTime(&today);
        cursor = startingDay(firstMonth, firstYear, today.wYear, today.wMonth, today.wDay);
    }
    return cursor = keptOnPage(cursor, firstMonth, firstYear);
}

void moveDayCursor(DayPos to) {
    cursor = to;
    viewY = offsetShowing(to.day, viewY, canvasHeight);
    refreshPage();
    noticeCursorMoved();
}

void activateDay(DayPos at) {
    if (pageExists() && pageDayIndex(firstMonth, firstYear, at) > 0) leftButton({at.column, at.day});
}

void showDayCursor() {
    if (!canvas) return;
    noticeCanvasChanges();
    // Dotted, inside the day's box, on the screen only: never in the page's
    // images, so that no export and no captured colour has it.
    const DayPos at = dayCursor();
    if (at.column == 0 || GetFocus() != canvas || (SendMessageW(canvas, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)) return;
    const CellBox box = cellBox(at.column, at.day);
    const RECT inside{box.x + 3, box.y + 3 + viewY, box.x + box.width - 3, box.y + box.height - 3 + viewY};
    HDC dc = GetDC(canvas);
    DrawFocusRect(dc, &inside);
    ReleaseDC(canvas, dc);
}

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
    case WM_SYSKEYDOWN:
        // Before there is a page, scrolling has nothing to move.
        if (!pageExists()) break;
        if (message == WM_KEYDOWN && scrollKey(wParam)) refreshPage();
        else if (cursorKey(window, wParam, message == WM_SYSKEYDOWN)) return 0;
        break;
    case WM_CONTEXTMENU:
        // The keys that ask for it act above; the mouse's right button on its own.
        return 0;
    case WM_PAINT: {
        // The frame is drawn by inverting: over the whole picture, not only
        // the part that was painted again.
        const LRESULT painted = CallWindowProcW(oldCanvasProc, window, message, wParam, lParam);
        repaint(window);
        return painted;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE: {
        const LRESULT result = CallWindowProcW(oldCanvasProc, window, message, wParam, lParam);
        repaint(window);
        if (message == WM_SETFOCUS) noticeCursorMoved();
        return result;
    }
    case WM_GETOBJECT:
        if (const LRESULT answer = answerCanvasObject(window, wParam, lParam)) return answer;
        break;
    case WM_LBUTTONUP:
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        break;
    case WM_MOUSEWHEEL:
        if (pageExists()) wheel(wParam);
        return 0;
    case WM_LBUTTONDOWN:
        SetFocus(window);
        if (cellTableExists()) leftButton(cellUnderCanvasPoint(LOWORD(lParam), HIWORD(lParam)));
        break;
    case WM_RBUTTONDOWN:
        SetFocus(window);
        rightButton(window, LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_NCDESTROY:
        if (window == canvas) canvas = nullptr;
        break;
    }
    return CallWindowProcW(oldCanvasProc, window, message, wParam, lParam);
}
