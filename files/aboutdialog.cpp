#include "files/aboutdialog.h"

#include "platform/dialog.h"

#include <string>

int16_t aboutFrame = 701;

namespace {

enum : int {
    idSalir = 1017,
    idIcon = 1018,
    idThanks = 1019,
    idMessage = 1020,
    animationTimer = 1021,
};

constexpr int16_t firstFrame = 701;
constexpr int16_t lastFrame = 707;
constexpr UINT framePeriod = 100;  // milliseconds

HWND aboutFocus = nullptr;

void showNextFrame(HWND dialog) {
    const std::wstring name = L"#" + std::to_wstring(aboutFrame);
    // Icons loaded with LoadIconW are shared and never need freeing.
    HICON icon = LoadIconW(GetModuleHandleW(nullptr), name.c_str());
    SendDlgItemMessageW(dialog, idIcon, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    if (++aboutFrame > lastFrame) aboutFrame = firstFrame;
}

INT_PTR CALLBACK aboutHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        SetTimer(dialog, animationTimer, framePeriod, nullptr);
        aboutFrame = firstFrame;
        break;
    case WM_TIMER:
        if (wParam == animationTimer) showNextFrame(dialog);
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == idSalir && HIWORD(wParam) <= 1) EndDialog(dialog, 0);
        break;
    case WM_DESTROY:
        KillTimer(dialog, animationTimer);
        break;
    case WM_NCACTIVATE:
        keepFocus(aboutFocus, wParam);
        break;
    }
    return 0;
}

}  // namespace

INT_PTR showAboutDialog(HWND owner) {
    enum { textFont, buttonFont };
    DialogLayout layout;
    layout.caption = L"Autor";
    layout.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
    layout.units = DialogUnits::dialogUnits;
    layout.clientWidth = 201;
    layout.clientHeight = 121;
    layout.placement = DialogPlacement::centreScreen;
    layout.fonts = {{L"MS Sans Serif", 10, true}, {L"MS Sans Serif", 14, true}};
    layout.controls = {
        {idIcon, L"Static", L"#701", 5, 5, 30, 30, SS_ICON},
        {idThanks, L"Static", L"Quelmo te da las Gracias por usar este programa.", 40, 10, 155, 25, SS_LEFT, 0,
         textFont},
        {idMessage, L"Static",
         L"Este programa se hizo en C++ para todos los usuarios de mi web, "
         L"http://www.example.org/quelmo/ . Visítame !!!",
         5, 50, 190, 40, SS_LEFT, 0, textFont},
        {idSalir, L"Button", L"Salir", 5, 100, 50, 15, BS_PUSHBUTTON | WS_TABSTOP, 0, buttonFont},
    };
    layout.handler = aboutHandler;
    aboutFocus = nullptr;
    return runDialog(owner, layout);
}
