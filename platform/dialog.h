// Modal dialogs built in code: an empty in-memory template whose controls are
// created when the dialog initialises, with positions in client-area pixels or
// in dialog units of the dialog font ("MS Sans Serif" 8 points).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

enum class DialogUnits { pixels, dialogUnits };

enum class DialogPlacement {
    centreWorkArea,  // centred in the desktop work area, negative coordinates become 0
    centreScreen,    // centred on the screen
    at,              // top-left corner at (x, y) of the screen, in the dialog's units
};

// A font that the dialog creates before its controls and deletes after it closes.
struct DialogFont {
    std::wstring face;
    int points;
    bool bold;
};

struct DialogControl {
    int id;
    std::wstring className;  // "Static", "Button", "Edit", "ComboBox", ...; empty: drawing surface
    std::wstring text;
    int x, y, width, height;
    DWORD style;  // WS_CHILD and WS_VISIBLE are added
    DWORD exStyle = 0;
    int font = -1;  // index into DialogLayout::fonts, -1 for the dialog's own
};

// The dialog handler: gets every message after the builder has made the
// controls; its result is the dialog procedure's result.
using DialogHandler = INT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

struct DialogLayout {
    std::wstring caption;
    DWORD style;  // window and DS_ styles of the dialog; DS_SETFONT is added
    DWORD exStyle = 0;
    DialogUnits units = DialogUnits::pixels;
    int clientWidth = 0;
    int clientHeight = 0;
    DialogPlacement placement = DialogPlacement::centreWorkArea;
    int x = 0;
    int y = 0;
    std::vector<DialogFont> fonts;
    std::vector<DialogControl> controls;
    DialogHandler handler = nullptr;
    // Runs after the controls exist and the window has its size and place,
    // before the handler sees WM_INITDIALOG.
    void (*prepare)(HWND dialog) = nullptr;
};

// Builds the dialog and runs it modally; returns the value passed to EndDialog,
// or -1 when the dialog could not be made.
INT_PTR runDialog(HWND owner, const DialogLayout& layout);

// A font made from face, points and boldness at fontDpi, as the controls are
// placed in pixels whatever the display's resolution.
HFONT createPointFont(const std::wstring& face, int points, bool bold);

// Focus memory of a dialog handler on WM_NCACTIVATE: on deactivation the
// focused control is kept in `saved`; on activation it gets the focus back.
void keepFocus(HWND& saved, WPARAM active);
