#include "editing/colourdialogs.h"

#include "editing/colours.h"
#include "platform/dialog.h"
#include "platform/surface.h"

#include <cwchar>

namespace {

enum : int {
    idSwatch = 21002,
    idValue = 21003,
    idAccept = 21004,
};

HWND captureFocus = nullptr;

INT_PTR CALLBACK captureHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: {
        surfaceFill(GetDlgItem(dialog, idSwatch), currentColour);
        wchar_t text[16];
        // "&&" shows one ampersand: the label reads &H00BBGGRR.
        std::swprintf(text, 16, L"&&H%08X", static_cast<unsigned>(currentColour));
        SetDlgItemTextW(dialog, idValue, text);
        break;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == idAccept && HIWORD(wParam) <= 1) EndDialog(dialog, 0);
        break;
    case WM_NCACTIVATE:
        keepFocus(captureFocus, wParam);
        break;
    }
    return 0;
}

}  // namespace

void showColourCaptureDialog() {
    enum { valueFont, buttonFont };
    DialogLayout layout;
    layout.caption = L"Color Captado";
    layout.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
    layout.exStyle = WS_EX_TOPMOST;
    layout.clientWidth = 302;
    layout.clientHeight = 170;
    layout.placement = DialogPlacement::centreScreen;
    layout.fonts = {{L"MS Sans Serif", 14, true}, {L"MS Sans Serif", 10, true}};
    layout.controls = {
        {idSwatch, L"", L"", 8, 8, 288, 88, WS_BORDER},
        {idValue, L"Static", L"", 8, 104, 288, 24, SS_CENTER, 0, valueFont},
        {idAccept, L"Button", L"Aceptar", 202, 136, 94, 24, BS_PUSHBUTTON | WS_TABSTOP, 0, buttonFont},
    };
    layout.handler = captureHandler;
    captureFocus = nullptr;
    runDialog(nullptr, layout);
}
