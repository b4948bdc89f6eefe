#include "app/menubar.h"

#include "app/commands.h"
#include "calendar/document.h"
#include "calendar/history.h"
#include "files/newcalendar.h"

#include <initializer_list>
#include <string_view>

HMENU menuBar = nullptr;

namespace {

struct MenuItem {
    const wchar_t* text;  // "-" makes a separator
    int id;
    bool checked = false;
    bool greyed = false;
};

void appendItems(HMENU menu, std::initializer_list<MenuItem> items) {
    for (const MenuItem& item : items) {
        if (std::wstring_view(item.text) == L"-") {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuW(menu,
                        MF_STRING | (item.checked ? MF_CHECKED : MF_UNCHECKED) | (item.greyed ? MF_GRAYED : 0),
                        static_cast<UINT_PTR>(item.id), item.text);
        }
    }
}

HMENU appendPopup(HMENU menu, const wchar_t* text) {
    HMENU popup = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(popup), text);
    return popup;
}

// Loads a picture from the program's own resources ("#800", ...) and shows it
// beside the item at `position`, checked or not. The picture is never freed:
// the menu bar keeps it for the life of the process.
void setItemPicture(HMENU menu, UINT position, const wchar_t* name) {
    auto picture = static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    SetMenuItemBitmaps(menu, position, MF_BYPOSITION, picture, picture);
}

// Sets the whole state word of an item: MFS_CHECKED, or 0 for enabled and
// unchecked.
void setItemState(int id, UINT state) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    info.fState = state;
    SetMenuItemInfoW(menuBar, static_cast<UINT>(id), FALSE, &info);
}

// The commands that open a dialog run one at a time: while one runs, busy is
// set and another one does nothing.
void runGuarded(void (*action)(HWND), HWND window) {
    if (busy) return;
    busy = 1;
    action(window);
    busy = 0;
}

}  // namespace

HMENU buildMenuBar(HWND window) {
    menuBar = CreateMenu();

    HMENU operations = appendPopup(menuBar, L"Operaciones");
    appendItems(operations, {
                                {L"Nuevo", commandNew},
                                {L"-", 0},
                                {L"Fotocopia", commandExport},
                                {L"-", 0},
                                {L"Abrir fichero", commandOpen},
                                {L"-", 0},
                                {L"Grabar", commandSave},
                                {L"-", 0},
                                {L"Autor", commandAbout},
                            });
    setItemPicture(operations, 0, L"#800");
    setItemPicture(operations, 2, L"#803");
    setItemPicture(operations, 4, L"#801");
    setItemPicture(operations, 6, L"#802");
    setItemPicture(operations, 8, L"#804");

    HMENU edit = appendPopup(menuBar, L"Editar");
    appendItems(edit, {
                          {L"Copiar", commandCopy},
                          {L"-", 0},
                          {L"Pegar", commandPaste},
                          {L"-", 0},
                          {L"Borrar", commandDelete},
                      });
    setItemPicture(edit, 0, L"#812");
    setItemPicture(edit, 2, L"#813");
    setItemPicture(edit, 4, L"#814");

    HMENU mouse = appendPopup(menuBar, L"Raton");
    HMENU left = appendPopup(mouse, L"Izquierda");
    appendItems(left, {
                          {L"Selector", commandSelector, true},
                          {L"Editar Texto y Colores", commandEditCell},
                      });
    HMENU right = appendPopup(mouse, L"Derecha");
    appendItems(right, {
                           {L"Captar Color", commandCaptureColour, true},
                           {L"Colores Favoritos", commandFavouriteColours},
                       });
    // Both buttons show the mouse; each item gets a copy of the picture of its own.
    setItemPicture(mouse, 0, L"#809");
    setItemPicture(mouse, 1, L"#809");

    // "Deshacer" and "Rehacer" are greyed until there is a step to take back or
    // bring back; the exports and the fillings until there is a page.
    HMENU extras = appendPopup(menuBar, L"Extras");
    appendItems(extras, {
                            {L"Deshacer\tCtrl+Z", commandUndo, false, true},
                            {L"Rehacer\tCtrl+Y", commandRedo, false, true},
                            {L"-", 0},
                            {L"Exportar PNG", commandExportPng},
                            {L"-", 0},
                            {L"Exportar PDF A4", commandExportPdf},
                            {L"-", 0},
                            {L"Festivos nacionales", commandHolidays},
                            {L"Importar agenda", commandImportAgenda},
                        });

    SetMenu(window, menuBar);
    return menuBar;
}

void enableMenuCommand(int id, bool enabled) {
    EnableMenuItem(menuBar, static_cast<UINT>(id), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void enablePageCommands() {
    for (int id : {commandExport, commandSave, commandCopy, commandDelete}) enableMenuCommand(id, true);
}

void showCommandStates() {
    enableMenuCommand(commandUndo, !pageHistory.undo.empty());
    enableMenuCommand(commandRedo, !pageHistory.redo.empty());
    // A page without months (a work file of no records opened first) has
    // nothing to export and no days to fill.
    for (int id : {commandExportPng, commandExportPdf, commandHolidays, commandImportAgenda})
        enableMenuCommand(id, pageExists());
}

void dispatchCommand(HWND window, int id) {
    // A command whose item is greyed does nothing, also when it comes by
    // another road than the menu (posted to the window, or from a menu that
    // was open while the page changed).
    showCommandStates();
    const UINT state = GetMenuState(menuBar, static_cast<UINT>(id), MF_BYCOMMAND);
    if (state != static_cast<UINT>(-1) && (state & MF_GRAYED)) return;
    switch (id) {
    case commandEditCell:
        setItemState(commandEditCell, MFS_CHECKED);
        setItemState(commandSelector, 0);
        leftButtonMode = 2;
        break;
    case commandSelector:
        setItemState(commandEditCell, 0);
        setItemState(commandSelector, MFS_CHECKED);
        leftButtonMode = 1;
        break;
    case commandCaptureColour:
        setItemState(commandCaptureColour, MFS_CHECKED);
        setItemState(commandFavouriteColours, 0);
        rightButtonMode = 1;
        break;
    case commandFavouriteColours:
        setItemState(commandCaptureColour, 0);
        setItemState(commandFavouriteColours, MFS_CHECKED);
        rightButtonMode = 2;
        break;
    case commandNew:
        // Guards itself: while another dialog is open it does nothing. The
        // page commands are enabled once the user has accepted a page.
        runAsStep([](HWND) {
            if (newCalendarCommand()) enablePageCommands();
        }, window);
        break;
    case commandDelete:
        runAsStep(deleteCommand, window);
        break;
    case commandCopy:
        copyCommand(window);
        break;
    case commandPaste:
        runAsStep(pasteCommand, window);
        break;
    case commandSave:
        runGuarded(saveCommand, window);
        break;
    case commandOpen:
        runGuarded(openCommand, window);
        break;
    case commandExport:
        runGuarded(exportCommand, window);
        break;
    case commandExportPng:
        runGuarded(pngExportCommand, window);
        break;
    case commandExportPdf:
        runGuarded(pdfExportCommand, window);
        break;
    case commandAbout:
        runGuarded(aboutCommand, window);
        break;
    case commandHolidays:
        runAsStep([](HWND w) { runGuarded(holidaysCommand, w); }, window);
        break;
    case commandImportAgenda:
        runAsStep([](HWND w) { runGuarded(agendaCommand, w); }, window);
        break;
    case commandUndo:
        runGuarded(undoCommand, window);
        break;
    case commandRedo:
        runGuarded(redoCommand, window);
        break;
    }
    showCommandStates();
}
