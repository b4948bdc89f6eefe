#include "app/mainwindow.h"

#include "app/commandline.h"
#include "app/commands.h"
#include "app/menubar.h"
#include "calendar/canvas.h"
#include "calendar/document.h"
#include "calendar/monthlayout.h"
#include "calendar/render.h"
#include "editing/textstate.h"
#include "files/workfile.h"
#include "platform/dialog.h"
#include "platform/surface.h"

#include <commctrl.h>

#include <string>

HWND mainWindow = nullptr;
HWND savedFocus = nullptr;

namespace {

// The command tail given to showMainWindow, opened by the initialisation.
std::wstring startupTail;

// Ctrl+Z is "Deshacer", Ctrl+Y and Ctrl+Shift+Z "Rehacer": the only keys of
// the menus. The main window runs as a dialog, whose loop has no place for
// accelerators; it hands every message to the thread's message filter first,
// and the filter translates the keys meant for the main window.
HACCEL historyKeys = nullptr;
HHOOK keyFilter = nullptr;

LRESULT CALLBACK filterKeys(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == MSGF_DIALOGBOX && mainWindow && message &&
        (message->hwnd == mainWindow || IsChild(mainWindow, message->hwnd)) &&
        TranslateAcceleratorW(mainWindow, historyKeys, message))
        return 1;
    return CallNextHookEx(keyFilter, code, wParam, lParam);
}

int localDayOfMonth() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now.wDay;
}

void prepareMainWindow(HWND window) {
    mainWindow = window;
    HWND canvas = GetDlgItem(window, canvasId);
    surfaceSetColours(canvas, 0x000000, 0xFFFFFF);
    surfaceClear(canvas);
    buildMenuBar(window);
    attachCanvas(canvas);
    SetForegroundWindow(window);
}

void initialiseMainWindow() {
    cellHeight = 90;
    homeScrollY = homeScrollYFor(localDayOfMonth());
    busy = 0;
    lineColour = 0x000000;
    weekdayDateColour = 0x000000;
    sundayDateColour = 0x0000FF;
    resetView(homeScrollY);
    // The images are made; the canvas stays white until there is a page.
    startView();
    rightButtonMode = 1;
    leftButtonMode = 1;
    selectionCount = 0;
    resetTextDialogDefaults();
    for (int id : {commandExport, commandSave, commandPaste, commandCopy, commandDelete}) enableMenuCommand(id, false);
    openCommandLineFile(startupTail);
    showCommandStates();
}

}  // namespace

void prepareCommonControls() {
    HMODULE library = LoadLibraryW(L"COMCTL32.DLL");
    if (!library) return;
    using InitEx = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    FARPROC found = GetProcAddress(library, "InitCommonControlsEx");
    if (found) {
        INITCOMMONCONTROLSEX init{sizeof(init), 0x000009FF};
        reinterpret_cast<InitEx>(reinterpret_cast<void*>(found))(&init);
    } else {
        InitCommonControls();
    }
    FreeLibrary(library);
}

INT_PTR showMainWindow(HWND owner, std::wstring_view tail) {
    startupTail = tail;
    if (!historyKeys) {
        ACCEL keys[] = {{FVIRTKEY | FCONTROL, 'Z', commandUndo},
                        {FVIRTKEY | FCONTROL, 'Y', commandRedo},
                        {FVIRTKEY | FCONTROL | FSHIFT, 'Z', commandRedo}};
        historyKeys = CreateAcceleratorTableW(keys, 3);
    }
    keyFilter = SetWindowsHookExW(WH_MSGFILTER, filterKeys, nullptr, GetCurrentThreadId());
    DialogLayout layout;
    layout.caption = L"Tervalonde za-nor";
    layout.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS | DS_MODALFRAME |
                 DS_3DLOOK | DS_NOFAILCREATE;
    layout.exStyle = WS_EX_CONTROLPARENT;
    layout.clientWidth = 1020;
    layout.clientHeight = 599;
    layout.placement = DialogPlacement::centreWorkArea;
    layout.controls = {
        {canvasId, L"", L"", 9, 1, canvasWidth, canvasHeight, WS_BORDER | SS_NOTIFY | SS_OWNERDRAW},
    };
    layout.handler = mainWindowCallback;
    layout.prepare = prepareMainWindow;
    const INT_PTR result = runDialog(owner, layout);
    UnhookWindowsHookEx(keyFilter);
    return result;
}

INT_PTR CALLBACK mainWindowCallback(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        initialiseMainWindow();
        // The canvas takes the keys from the start, so that the page scrolls.
        SetFocus(canvasWindow());
        break;
    case WM_NCACTIVATE:
        keepFocus(savedFocus, wParam);
        break;
    case WM_MOUSEWHEEL:
        // The canvas scrolls with the wheel wherever the focus is.
        SendMessageW(canvasWindow(), message, wParam, lParam);
        break;
    case WM_COMMAND:
        dispatchCommand(window, LOWORD(wParam));
        break;
    case WM_INITMENUPOPUP:
        // The menu commands bring the items up to date as they end; a change
        // made on the canvas does when a menu opens.
        showCommandStates();
        break;
    case WM_CLOSE:
        // The close box, the system menu and Alt+F4 end the program, except
        // while one of its dialogs is open on top of this window.
        if (!busy) EndDialog(window, 0);
        break;
    }
    return 0;
}

void openCommandLineFile(std::wstring_view tail) {
    if (tail.empty()) return;
    workFilePath = pathFromTail(tail);
    openWorkFile();
}
