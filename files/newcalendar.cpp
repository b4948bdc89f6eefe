#include "files/newcalendar.h"

#include "calendar/document.h"
#include "calendar/render.h"
#include "editing/colours.h"
#include "platform/colourchooser.h"
#include "platform/dialog.h"
#include "platform/message.h"
#include "platform/surface.h"

#include <string>

namespace {

enum : int {
    idMonthLabel = 1002,
    idMonthList = 1003,
    idYearList = 1004,
    idYearLabel = 1005,
    idLineSwatch = 1006,
    idLineChooser = 1007,
    idLineLabel = 1008,
    idWeekdayChooser = 1009,
    idWeekdaySwatch = 1010,
    idWeekdayLabel = 1011,
    idSundayLabel = 1012,
    idSundayChooser = 1013,
    idSundaySwatch = 1014,
    idCancel = 1015,
    idAccept = 1016,
};

constexpr int firstListedYear = 2000;
constexpr int lastListedYear = 2088;
constexpr INT_PTR accepted = 1;

HWND newCalendarFocus = nullptr;

// The page colour that a swatch or its "..." button sets.
Colour* pageColourOf(int id) {
    switch (id) {
    case idLineSwatch:
    case idLineChooser:
        return &lineColour;
    case idWeekdaySwatch:
    case idWeekdayChooser:
        return &weekdayDateColour;
    case idSundaySwatch:
    case idSundayChooser:
        return &sundayDateColour;
    }
    return nullptr;
}

int swatchOf(int chooserId) {
    return chooserId == idLineChooser ? idLineSwatch : chooserId == idWeekdayChooser ? idWeekdaySwatch : idSundaySwatch;
}

void fillSwatch(HWND dialog, int id, Colour colour) {
    surfaceFill(GetDlgItem(dialog, id), colour);
}

void setPageColour(HWND dialog, int swatchId, Colour colour) {
    *pageColourOf(swatchId) = colour;
    fillSwatch(dialog, swatchId, colour);
}

void initialise(HWND dialog) {
    static const wchar_t* const months[] = {
        L"01 - Enero", L"02 - Febrero", L"03 - Marzo",     L"04 - Abril",   L"05 - Mayo",      L"06 - Junio",
        L"07 - Julio", L"08 - Agosto",  L"09 - Septiembre", L"10 - Octubre", L"11 - Noviembre", L"12 - Diciembre",
    };
    for (const wchar_t* month : months)
        SendDlgItemMessageW(dialog, idMonthList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(month));
    for (int year = firstListedYear; year <= lastListedYear; ++year)
        SendDlgItemMessageW(dialog, idYearList, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(std::to_wstring(year).c_str()));
    SendDlgItemMessageW(dialog, idMonthList, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SendDlgItemMessageW(dialog, idYearList, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    fillSwatch(dialog, idLineSwatch, lineColour);
    fillSwatch(dialog, idWeekdaySwatch, weekdayDateColour);
    fillSwatch(dialog, idSundaySwatch, sundayDateColour);
}

// The list position confirmed by CBN_SELENDOK, or -1 when nothing is selected.
int confirmedPosition(HWND dialog, int listId) {
    const LRESULT position = SendDlgItemMessageW(dialog, listId, CB_GETCURSEL, 0, 0);
    return position == CB_ERR ? -1 : static_cast<int>(position);
}

void command(HWND dialog, int id, int code) {
    const bool clicked = code == BN_CLICKED || code == 1;
    switch (id) {
    case idMonthList:
        if (code == CBN_SELENDOK) {
            const int position = confirmedPosition(dialog, idMonthList);
            if (position >= 0) firstMonth = static_cast<int16_t>(position + 1);
        }
        break;
    case idYearList:
        if (code == CBN_SELENDOK) {
            const int position = confirmedPosition(dialog, idYearList);
            if (position >= 0) firstYear = static_cast<int16_t>(firstListedYear + position);
        }
        break;
    case idLineChooser:
    case idWeekdayChooser:
    case idSundayChooser:
        if (clicked) {
            const Colour picked = chooseColour(dialog, chooserCustomColours);
            if (picked >= 0) setPageColour(dialog, swatchOf(id), picked);
        }
        break;
    case idLineSwatch:
    case idWeekdaySwatch:
    case idSundaySwatch:
        if (currentColour >= 0) setPageColour(dialog, id, currentColour);
        break;
    case idCancel:
        if (clicked) EndDialog(dialog, 0);
        break;
    case idAccept:
        if (!clicked) break;
        if (firstMonth > 0 && firstYear > 0) {
            refreshPage();
            EndDialog(dialog, accepted);
        } else {
            showMessage(L"Elige mes y año ..");
        }
        break;
    }
}

INT_PTR CALLBACK newCalendarHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        initialise(dialog);
        break;
    case WM_NCACTIVATE:
        keepFocus(newCalendarFocus, wParam);
        break;
    case WM_COMMAND:
        command(dialog, LOWORD(wParam), HIWORD(wParam));
        break;
    }
    return 0;
}

}  // namespace

INT_PTR showNewCalendarDialog(HWND owner) {
    enum { labelFont, dotsFont };
    const DWORD label = SS_LEFT;
    const DWORD list = CBS_DROPDOWN | CBS_SORT | WS_VSCROLL | WS_TABSTOP;
    const DWORD button = BS_PUSHBUTTON | WS_TABSTOP;
    const DWORD swatch = WS_BORDER | SS_NOTIFY;
    DialogLayout layout;
    layout.caption = L"Nuevo za-nor";
    layout.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
    layout.units = DialogUnits::dialogUnits;
    layout.clientWidth = 242;
    layout.clientHeight = 128;
    layout.placement = DialogPlacement::at;
    layout.x = 70;
    layout.y = 70;
    layout.fonts = {{L"MS Sans Serif", 10, true}, {L"MS Sans Serif", 18, true}};
    layout.controls = {
        {idMonthLabel, L"Static", L"Elige mes del año", 5, 5, 95, 10, label, 0, labelFont},
        {idMonthList, L"ComboBox", L"", 5, 15, 95, 40, list},
        {idYearList, L"ComboBox", L"", 105, 15, 95, 40, list},
        {idYearLabel, L"Static", L"Elige año", 105, 5, 95, 10, label, 0, labelFont},
        {idLineSwatch, L"", L"", 5, 35, 20, 15, swatch},
        {idLineChooser, L"Button", L"...", 35, 35, 25, 15, button, 0, dotsFont},
        {idLineLabel, L"Static", L"Color lineas", 65, 38, 95, 10, label, 0, labelFont},
        {idWeekdayChooser, L"Button", L"...", 35, 55, 25, 15, button, 0, dotsFont},
        {idWeekdaySwatch, L"", L"", 5, 55, 20, 15, swatch},
        {idWeekdayLabel, L"Static", L"Color texto fecha (Lunes a Sabado)", 65, 58, 175, 11, label, 0, labelFont},
        {idSundayLabel, L"Static", L"Color texto fecha (Solo Domingos)", 65, 80, 175, 11, label, 0, labelFont},
        {idSundayChooser, L"Button", L"...", 35, 77, 25, 15, button, 0, dotsFont},
        {idSundaySwatch, L"", L"", 5, 77, 20, 15, swatch},
        {idCancel, L"Button", L"Cancelar", 5, 105, 50, 15, button, 0, labelFont},
        {idAccept, L"Button", L"Aceptar", 185, 105, 50, 15, button, 0, labelFont},
    };
    layout.handler = newCalendarHandler;
    newCalendarFocus = nullptr;
    return runDialog(owner, layout);
}

bool newCalendarCommand() {
    // While another dialog of the program is open, nothing happens at all: the
    // page behind that dialog stays as it is.
    if (busy) return false;
    DocumentSnapshot before = takeSnapshot();
    resetAllCells();
    busy = 1;
    const INT_PTR answer = showNewCalendarDialog(nullptr);
    busy = 0;
    if (answer == accepted) {
        selectionCount = 0;
        return true;
    }
    // Cancelled: the page and its colours are given back as they were. While
    // the dialog was open the canvas may have drawn the reset page (the wheel,
    // the keys and the edit commands still reach it), so the page is shown
    // again as the document now is (white when there was none).
    restoreSnapshot(before);
    refreshPage();
    return false;
}
