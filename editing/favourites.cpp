#include "editing/favourites.h"

#include "calendar/document.h"
#include "calendar/render.h"
#include "editing/colourdialogs.h"
#include "editing/colours.h"
#include "editing/favouritescodec.h"
#include "files/workfile.h"
#include "platform/colourchooser.h"
#include "platform/dialog.h"
#include "platform/files.h"
#include "platform/fonts.h"
#include "platform/image.h"
#include "platform/message.h"
#include "platform/surface.h"

#include <string>
#include <string_view>
#include <utility>

namespace {

constexpr Colour black = 0x00000000;
constexpr Colour white = 0x00FFFFFF;
constexpr int captionTop = 12;
constexpr int captionPoints = 12;
constexpr int32_t captionBold = 1;
const char captionText[] = "Color Seleccionado";
const char captionFace[] = "Tahoma";

const wchar_t archivedText[] = L"Mis Colores Favoritos han sido Archivados";
const wchar_t saveQuestion[] = L"Desea guardar los cambios antes de Salir ?";
const wchar_t resetQuestion[] = L"Realmente desea RESETEAR ?\r\nSe perderan todos tus colores favoritos";

// The state of the open dialog.
FavouriteTable favourites;
Image palettePicture;
std::wstring favouritesFile;
int32_t modified = 0;
bool choosing = false;  // a left click's chooser is open
HWND favouritesDialog = nullptr;
HWND favouritesFocus = nullptr;
WNDPROC paletteStaticProc = nullptr;

HWND palette() { return GetDlgItem(favouritesDialog, favouritesPaletteId); }
HWND selectedSurface() { return GetDlgItem(favouritesDialog, favouritesSelectedId); }

void setArchiveEnabled(bool enabled) { EnableWindow(GetDlgItem(favouritesDialog, favouritesArchiveId), enabled); }

// A box with square corners from (x1, y1) to (x2, y2), both corners drawn,
// with a one-pixel outline and a solid fill.
void drawSwatch(HDC dc, const FavouriteSlot& slot, Colour outline) {
    Pen pen(CreatePen(PS_SOLID | PS_INSIDEFRAME, favouriteOutlineWidth, static_cast<COLORREF>(outline & 0xFFFFFF)));
    Brush brush(CreateSolidBrush(static_cast<COLORREF>(slot.colour & 0xFFFFFF)));
    SelectGuard usePen(dc, pen.get());
    SelectGuard useBrush(dc, brush.get());
    int x1 = slot.left + favouriteInset, y1 = slot.top + favouriteInset;
    int x2 = slot.right, y2 = slot.bottom;
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    Rectangle(dc, x1, y1, x2 + 1, y2 + 1);
}

void drawPalette() {
    if (!palettePicture.exists()) return;
    palettePicture.fill(white);
    for (int row = 0; row < favouriteRows; ++row)
        for (int column = 0; column < favouriteColumns; ++column)
            drawSwatch(palettePicture.dc(), favourites.slots[column][row], black);
}

void showPalette() {
    surfaceCopy(palette(), 0, 0, palettePictureWidth, palettePictureHeight, palettePicture.dc(), 0, 0);
}

void renewPalettePicture() {
    palettePicture.reset();
    if (palettePicture.create(palettePictureWidth, palettePictureHeight)) drawPalette();
    showPalette();
}

// Clears the selected-colour surface to `background` and draws "Color
// Seleccionado" on it in `colour`, centred across its client width.
void drawSelectedCaption(Colour background, Colour colour) {
    HWND surface = selectedSurface();
    RECT client{};
    GetClientRect(surface, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    surfaceSetColours(surface, black, background);
    surfaceClear(surface);
    Image caption;
    if (width <= 0 || height <= 0 || !caption.create(width, height)) return;
    caption.fill(background);
    const Font font = makeTextFont(captionFace, captionPoints, captionBold);
    // drawCellText centres in its box width plus its 2-pixel margin: a box
    // of the client width less that margin, from x = 1, puts the text at
    // 1 + (client width - text width) / 2.
    const int savedWidth = textBoxWidth;
    textBoxWidth = width - 2;
    drawCellText(caption, captionText, alignCentre, 1, captionTop, font.get(), colour);
    textBoxWidth = savedWidth;
    surfaceCopy(surface, 0, 0, width, height, caption.dc(), 0, 0);
}

void loadFavourites() {
    clearFavourites(favourites);
    const FileError error = readFileInPieces(
        favouritesFile, favouriteRecordSize * 64, [](std::uint64_t) { return true; },
        [](std::string_view piece) {
            storeFavouriteRecords(favourites, piece);
            return true;
        });
    if (error) {
        showFileError(error);
        buildDefaultFavourites(favourites);
    }
}

// Puts the palette in place of the file; true when it is there. On failure
// the old file is kept and the user gets one "Err: " message.
bool writeFavourites() {
    const std::string bytes = encodeFavourites(favourites);
    const FileError error = writeFileSafely(favouritesFile, {bytes}, true);
    if (error) {
        showFileError(error);
        return false;
    }
    return true;
}

void deleteFavouritesFile() {
    const std::wstring path = longPathForm(favouritesFile);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_ARCHIVE);
    DeleteFileW(path.c_str());
}

void initialise(HWND dialog) {
    favouritesDialog = dialog;
    favouritesFile = favouritesFilePath();
    modified = 0;
    choosing = false;
    setArchiveEnabled(false);
    if (pathExists(favouritesFile)) {
        loadFavourites();
    } else {
        buildDefaultFavourites(favourites);
    }
    renewPalettePicture();
    drawSelectedCaption(white, black);
}

void archive() {
    if (!writeFavourites()) return;
    modified = 0;
    setArchiveEnabled(false);
    showMessage(archivedText);
}

void leave(HWND dialog) {
    if (modified == 1 && askYesNo(saveQuestion) && writeFavourites()) {
        modified = 0;
        setArchiveEnabled(false);
    }
    EndDialog(dialog, 0);
}

void reset() {
    if (!askYesNo(resetQuestion)) return;
    deleteFavouritesFile();
    buildDefaultFavourites(favourites);
    renewPalettePicture();
    currentColour = white;
    drawSelectedCaption(white, black);
}

void highlight(int column, int row) {
    drawPalette();
    showPalette();
    HWND surface = palette();
    drawSwatch(surfaceDC(surface), favourites.slots[column][row], white);
    surfaceShow(surface);
}

void defineColour(int column, int row) {
    if (choosing) return;
    choosing = true;
    const Colour chosen = chooseColour(favouritesDialog, chooserCustomColours);
    choosing = false;
    if (chosen < 0) return;
    favourites.slots[column][row].colour = chosen;
    modified = 1;
    setArchiveEnabled(true);
}

void pickColour(int x, int y) {
    currentColour = surfacePixel(palette(), x, y);
    drawSelectedCaption(currentColour, currentColour == black ? white : black);
}

LRESULT CALLBACK paletteProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC next = paletteStaticProc;
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    int column = 0, row = 0;
    switch (message) {
    case WM_MOUSEMOVE:
        if (favouriteSlotAt(x, y, column, row)) highlight(column, row);
        break;
    case WM_LBUTTONDOWN:
        if (favouriteSlotAt(x, y, column, row)) defineColour(column, row);
        break;
    case WM_RBUTTONDOWN:
        pickColour(x, y);
        break;
    }
    return CallWindowProcW(next, window, message, wParam, lParam);
}

void replacePaletteProc(HWND dialog) {
    favouritesDialog = dialog;
    paletteStaticProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        GetDlgItem(dialog, favouritesPaletteId), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(paletteProc)));
}

INT_PTR CALLBACK favouritesHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        initialise(dialog);
        break;
    case WM_COMMAND: {
        const int code = HIWORD(wParam);
        if (code != BN_CLICKED && code != 1) break;
        switch (LOWORD(wParam)) {
        case favouritesArchiveId:
            archive();
            break;
        case favouritesExitId:
            leave(dialog);
            break;
        case favouritesResetId:
            reset();
            break;
        }
        break;
    }
    case WM_NCACTIVATE:
        keepFocus(favouritesFocus, wParam);
        break;
    case WM_DESTROY:
        palettePicture.reset();
        break;
    }
    return 0;
}

}  // namespace

std::wstring favouritesFilePath() { return programFolder() + L"\\Mis Colores.log"; }

void showFavouriteColoursDialog() {
    const DWORD button = BS_PUSHBUTTON | WS_TABSTOP;
    DialogLayout layout;
    layout.caption = L"Tus Colores Favoritos Cargalos y Guardalos";
    layout.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
    layout.clientWidth = 350;
    layout.clientHeight = 357;
    layout.placement = DialogPlacement::centreScreen;
    layout.fonts = {{L"MS Sans Serif", 9, true}};
    layout.controls = {
        {favouritesPaletteId, L"", L"", 8, 8, 336, 260, WS_BORDER | SS_NOTIFY},
        {favouritesSelectedId, L"", L"", 8, 270, 336, 50, WS_BORDER},
        {favouritesArchiveId, L"Button", L"Archivar", 8, 328, 72, 24, button, 0, 0},
        {favouritesExitId, L"Button", L"Salir", 272, 328, 72, 24, button, 0, 0},
        {favouritesResetId, L"Button", L"Reseteo", 136, 328, 72, 24, button, 0, 0},
    };
    layout.handler = favouritesHandler;
    layout.prepare = replacePaletteProc;
    favouritesFocus = nullptr;
    favouritesDialog = nullptr;
    runDialog(nullptr, layout);
    favouritesDialog = nullptr;
    palettePicture.reset();
}
