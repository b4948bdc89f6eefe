// Takes the pictures of the README: the main window with a work file, the
// "Extras" menu, the text properties dialog, the favourite colours, the
// new-calendar dialog, an exported page, and the page filled with the
// national holidays and an agenda. Each window is opened as the user would open it (menu
// commands and mouse buttons on the canvas) and its pixels, frame and menu
// bar included, are written as a BMP file. Run under Wine by scripts/screenshots:
//   zanor_screenshots.exe WORK-FILE OUTPUT-FOLDER AGENDA
#include "tests/win/support.h"

#include "app/mainwindow.h"
#include "app/menubar.h"
#include "calendar/document.h"
#include "calendar/monthlayout.h"
#include "editing/favourites.h"
#include "editing/favouritescodec.h"
#include "files/bitmapexport.h"
#include "platform/files.h"
#include "platform/image.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

namespace {

// Controls that the pictures press or fill.
enum : int {
    textDialogCancel = 10270,
    monthList = 1003,
    yearList = 1004,
    newDialogCancel = 1015,
};

std::wstring outputFolder;
int failures = 0;

void fail(const std::wstring& what) {
    std::fwprintf(stderr, L"%ls\n", what.c_str());
    ++failures;
}

// Windows' pixels, frames included, put together as the screen shows them:
// the first window's top-left corner at the picture's, `height` rows.
void takePictureOf(std::initializer_list<HWND> windows, int height, const std::wstring& name) {
    RECT first{};
    GetWindowRect(*windows.begin(), &first);
    Image picture;
    if (!picture.create(first.right - first.left, height)) {
        fail(L"sin memoria para " + name);
        return;
    }
    for (HWND window : windows) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        RECT frame{};
        GetWindowRect(window, &frame);
        HDC source = GetWindowDC(window);
        BitBlt(picture.dc(), frame.left - first.left, frame.top - first.top, frame.right - frame.left,
               frame.bottom - frame.top, source, 0, 0, SRCCOPY);
        ReleaseDC(window, source);
    }
    const std::wstring path = outputFolder + L"\\" + name + L".bmp";
    if (writeBitmapFile(path, picture) != 0) fail(L"no se ha podido escribir " + path);
}

// A window's pixels as it shows them, frame and menu bar included.
void takePicture(HWND window, const std::wstring& name) {
    RECT frame{};
    GetWindowRect(window, &frame);
    takePictureOf({window}, frame.bottom - frame.top, name);
}

// A menu of the menu bar dropped as a click on it drops it: its picture is
// the main window's upper part with the menu over it.
void pictureOfMenu(int position, const std::wstring& name) {
    RECT item{};
    GetMenuItemRect(mainWindow, menuBar, static_cast<UINT>(position), &item);
    HiliteMenuItem(mainWindow, menuBar, static_cast<UINT>(position), MF_BYPOSITION | MF_HILITE);
    static std::wstring pending;
    pending = name;
    // The picture is taken from inside the menu's own loop, once it shows.
    SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR timer, DWORD) {
        HWND popup = FindWindowW(L"#32768", nullptr);
        if (!popup || !IsWindowVisible(popup)) return;
        KillTimer(nullptr, timer);
        RECT window{}, menu{};
        GetWindowRect(mainWindow, &window);
        GetWindowRect(popup, &menu);
        takePictureOf({mainWindow, popup}, static_cast<int>(menu.bottom - window.top + 60), pending);
        EndMenu();
    });
    TrackPopupMenu(GetSubMenu(menuBar, position), TPM_LEFTALIGN | TPM_TOPALIGN, item.left, item.bottom, 0, mainWindow,
                   nullptr);
    HiliteMenuItem(mainWindow, menuBar, static_cast<UINT>(position), MF_BYPOSITION | MF_UNHILITE);
    DrawMenuBar(mainWindow);
    if (!pathExists(outputFolder + L"\\" + name + L".bmp")) fail(L"no ha aparecido el menú " + name);
}

// Opens a dialog with `open`; once the dialog captioned `caption` shows,
// `prepare` sets it up, its picture is taken and `close` closes it.
void pictureOfDialog(const std::wstring& caption, const std::wstring& name, const std::function<void()>& open,
                     const std::function<void(HWND)>& prepare, const std::function<void(HWND)>& close) {
    DialogDriver driver;
    bool shown = false;
    driver.on(captioned(caption), [&](HWND dialog) {
        shown = true;
        prepare(dialog);
        takePicture(dialog, name);
        close(dialog);
    });
    open();
    if (!shown) fail(L"no ha aparecido \"" + caption + L"\"");
}

void command(int id) { SendMessageW(mainWindow, WM_COMMAND, id, 0); }

// A click on the canvas in the middle of a cell of the page as it is shown.
void clickCell(UINT message, int column, int day) {
    const CellBox box = cellBox(column, day);
    const int x = box.x + box.width / 2;
    const int y = box.y + box.height / 2 + viewY;
    SendMessageW(canvasWindow(), message, message == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON, MAKELPARAM(x, y));
}

// A palette to show in the favourites: a column of greys, then twelve hues
// from light to dark.
void writeFavourites() {
    auto table = std::make_unique<FavouriteTable>();
    buildDefaultFavourites(*table);
    for (int row = 0; row < favouriteRows; ++row) {
        const double light = 0.92 - 0.08 * row;
        table->slots[0][static_cast<std::size_t>(row)].colour =
            static_cast<int>(255 * (1.0 - row / 9.0)) * 0x010101;
        for (int column = 1; column < favouriteColumns; ++column) {
            const double hue = (column - 1) / 12.0;
            int rgb[3];
            for (int i = 0; i < 3; ++i) {
                // Hue, saturation 0.7 and `light` to red, green and blue.
                const double k = std::fmod(12.0 * hue + (i == 0 ? 0 : i == 1 ? 8 : 4), 12.0);
                const double a = 0.7 * std::min(light, 1.0 - light);
                rgb[i] = static_cast<int>(255 * (light - a * std::max(-1.0, std::min({k - 3, 9 - k, 1.0}))));
            }
            table->slots[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)].colour =
                rgb[0] | rgb[1] << 8 | rgb[2] << 16;
        }
    }
    if (writeFileSafely(favouritesFilePath(), {encodeFavourites(*table)}, true) != 0)
        fail(L"no se ha podido escribir " + favouritesFilePath());
}

// The page with the national holidays and an agenda written into it, as the
// two commands of "Extras" write them.
void pictureOfFilledPage(const std::wstring& workFile, const std::wstring& agenda) {
    openCommandLineFile(workFile);
    command(commandHolidays);
    DialogDriver driver;
    driver.on(isFileDialog, [&](HWND dialog) {
        SetWindowTextW(fileNameField(dialog), agenda.c_str());
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    MessageBoxAnswerer message(IDOK);
    command(commandImportAgenda);
    if (message.texts.size() != 1) fail(L"\"Importar agenda\" no ha dicho nada de " + agenda);
    SendMessageW(canvasWindow(), WM_KEYDOWN, VK_HOME, 0);
    takePicture(mainWindow, L"pagina-rellena");
}

void takePictures(const std::wstring& workFile, const std::wstring& agenda) {
    openCommandLineFile(workFile);
    SendMessageW(canvasWindow(), WM_KEYDOWN, VK_HOME, 0);
    takePicture(mainWindow, L"ventana-principal");
    pictureOfMenu(3, L"menu-extras");

    command(commandEditCell);
    pictureOfDialog(
        L"Propiedades Texto", L"propiedades-texto", [] { clickCell(WM_LBUTTONDOWN, 1, 3); }, [](HWND) {},
        [](HWND dialog) { pressButton(dialog, textDialogCancel); });

    command(commandFavouriteColours);
    pictureOfDialog(
        L"Tus Colores Favoritos Cargalos y Guardalos", L"colores-favoritos",
        [] { clickCell(WM_RBUTTONDOWN, 1, 1); },
        [](HWND dialog) {
            // Pick a colour, then rest the mouse on another swatch.
            HWND palette = GetDlgItem(dialog, favouritesPaletteId);
            SendMessageW(palette, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(8 * 25 + 15, 3 * 25 + 15));
            SendMessageW(palette, WM_MOUSEMOVE, 0, MAKELPARAM(4 * 25 + 15, 6 * 25 + 15));
        },
        [](HWND dialog) { pressButton(dialog, favouritesExitId); });

    {
        DialogDriver driver;
        const std::wstring path = outputFolder + L"\\fotocopia.bmp";
        driver.on(isFileDialog, [&](HWND dialog) {
            SetWindowTextW(fileNameField(dialog), path.c_str());
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        });
        command(commandExport);
        if (!pathExists(path)) fail(L"\"Fotocopia\" no ha escrito " + path);
    }

    // Last: "Nuevo" starts a new page.
    pictureOfDialog(
        L"Nuevo za-nor", L"nuevo", [] { command(commandNew); },
        [](HWND dialog) {
            pickListItem(dialog, monthList, firstMonth - 1);
            pickListItem(dialog, yearList, firstYear - 2000);
        },
        [](HWND dialog) { pressButton(dialog, newDialogCancel); });
    pictureOfFilledPage(workFile, agenda);
}

}  // namespace

int main() {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    if (count != 4) {
        std::fprintf(stderr, "zanor_screenshots FICHERO-DE-TRABAJO CARPETA AGENDA\n");
        return 2;
    }
    const std::wstring workFile = args[1], agenda = args[3];
    outputFolder = args[2];
    LocalFree(args);

    writeFavourites();
    prepareCommonControls();
    runMainWindow([&] { takePictures(workFile, agenda); });
    return failures == 0 ? 0 : 1;
}
