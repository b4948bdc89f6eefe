#include "editing/textdialog.h"

#include "editing/colours.h"
#include "editing/fontlists.h"
#include "editing/textstate.h"
#include "platform/colourchooser.h"
#include "platform/dialog.h"
#include "platform/fonts.h"
#include "platform/gdi.h"
#include "platform/surface.h"
#include "platform/text.h"

#include <cwchar>
#include <string>
#include <string_view>

namespace {

enum : int {
    idFaceLabel = 10090,
    idFontList = 10100,
    idSizeLabel = 10110,
    idSizeList = 10120,
    idBold = 10130,
    idItalic = 10140,
    idUnderline = 10150,
    idStrikeout = 10160,
    idLeading = 10180,
    idStyles = 10190,
    idPreview = 10200,
    idBackLabel = 10210,
    idBackChooser = 10220,
    idBackSwatch = 10230,
    idTextChooser = 10240,
    idTextLabel = 10250,
    idTextSwatch = 10260,
    idCancel = 10270,
    idAccept = 10280,
    idText = 10310,
    idAlignLeft = 10330,
    idAlignRight = 10340,
    idAlignCentre = 10350,
    idAlignJustified = 10360,
};

constexpr int smallestListedSize = 6;
constexpr int largestListedSize = 70;
// The text buffer holds this many characters before its terminating zero.
constexpr int textLimit = cellTextCapacity - 1;
constexpr int previewMargin = 4;
constexpr Colour black = 0x000000;

HWND textDialogFocus = nullptr;

std::string_view bufferText() {
    size_t n = 0;
    while (n < sizeof textBuffer && textBuffer[n] != '\0') ++n;
    return std::string_view(textBuffer, n);
}

// Typed text as 8-bit cell text, one character for each character typed and
// at most `limit` of them. What Windows-1252 cannot hold exactly becomes a
// visible '?', never a look-alike and never half a character.
std::string cellTextOf(std::wstring_view typed, size_t limit) {
    std::string out;
    for (size_t i = 0; i < typed.size() && out.size() < limit; ++i) {
        const wchar_t c = typed[i];
        if (IS_HIGH_SURROGATE(c) && i + 1 < typed.size() && IS_LOW_SURROGATE(typed[i + 1])) {
            ++i;
            out += '?';
            continue;
        }
        const std::string one = toCellText(std::wstring_view(&c, 1));
        out += one.size() == 1 && fromCellChar(one[0]) == c ? one[0] : '?';
    }
    return out;
}

void replaceAll(std::string& text, std::string_view from, char to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + 1))
        text.replace(at, from.size(), 1, to);
}

int32_t styleWord(const TextAttributes& a) {
    return fontStyleWord(a.bold, a.italic, a.underline, a.strikeout, a.leading);
}

void drawPreview(HWND dialog, const std::string& face, int points, int32_t style, Colour back, Colour text) {
    HWND preview = GetDlgItem(dialog, idPreview);
    HDC dc = surfaceDC(preview);
    if (!dc) return;
    const Font font = makeTextFont(face, points, style);
    surfaceSetColours(preview, text, back);
    surfaceClear(preview);
    {
        const SelectGuard selected(dc, font ? static_cast<HGDIOBJ>(font.get()) : GetCurrentObject(dc, OBJ_FONT));
        SetTextColor(dc, static_cast<COLORREF>(text));
        SetBkMode(dc, TRANSPARENT);
        TextOutW(dc, previewMargin, previewMargin, L"Prueba", 6);
    }
    surfaceShow(preview);
}

void drawWorkingPreview(HWND dialog) {
    const TextAttributes& w = workingAttributes;
    drawPreview(dialog, w.fontName, w.pointSize, styleWord(w), w.backColour, w.fontColour);
}

void paintSwatch(HWND dialog, int id, Colour colour) {
    surfaceFill(GetDlgItem(dialog, id), colour);
}

int32_t checkState(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0; }

void setCheck(HWND dialog, int id, int32_t flag) {
    CheckDlgButton(dialog, id, flag == 1 ? BST_CHECKED : BST_UNCHECKED);
}

// The text of the list's selected item (not of its edit field); false when
// no item is selected.
bool selectedItemText(HWND dialog, int id, std::wstring& text) {
    const LRESULT position = SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0);
    if (position == CB_ERR) return false;
    const LRESULT length = SendDlgItemMessageW(dialog, id, CB_GETLBTEXTLEN, static_cast<WPARAM>(position), 0);
    if (length == CB_ERR) return false;
    text.assign(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = SendDlgItemMessageW(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(position),
                                               reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return true;
}

// Runs once the controls exist: the two lists get their items and the font
// list its selection.
void prepareLists(HWND dialog) {
    HWND fonts = GetDlgItem(dialog, idFontList);
    const LRESULT height = SendMessageW(fonts, CB_GETITEMHEIGHT, 0, 0);
    if (height != CB_ERR) {
        SendMessageW(fonts, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height + 4);
        SendMessageW(fonts, CB_SETITEMHEIGHT, 0, height + 4);
    }
    fillFontList(fonts);
    // An empty face begins no family's name.
    if (!committedAttributes.fontName.empty()) {
        const std::wstring face = fromCellText(committedAttributes.fontName);
        SendMessageW(fonts, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(face.c_str()));
    }
    fillSizeList(dialog, idSizeList, largestListedSize);
}

void initialise(HWND dialog) {
    const TextAttributes& c = committedAttributes;
    textAccepted = 0;
    SetDlgItemTextW(dialog, idText, fromCellText(bufferText()).c_str());
    SendDlgItemMessageW(dialog, idText, EM_SETLIMITTEXT, textLimit, 0);
    // The dialog opens with the caret at the end of the day's text: the box
    // is no tab stop, and a keyboard would not reach it otherwise.
    HWND text = GetDlgItem(dialog, idText);
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(text), TRUE);
    const int length = GetWindowTextLengthW(text);
    SendMessageW(text, EM_SETSEL, static_cast<WPARAM>(length), length);
    if (alignmentFlags.left == 1) CheckRadioButton(dialog, idAlignLeft, idAlignJustified, idAlignLeft);
    if (alignmentFlags.right == 1) CheckRadioButton(dialog, idAlignLeft, idAlignJustified, idAlignRight);
    if (alignmentFlags.centre == 1) CheckRadioButton(dialog, idAlignLeft, idAlignJustified, idAlignCentre);
    if (alignmentFlags.justified == 1) CheckRadioButton(dialog, idAlignLeft, idAlignJustified, idAlignJustified);
    paintSwatch(dialog, idBackSwatch, c.backColour);
    paintSwatch(dialog, idTextSwatch, c.fontColour);
    setCheck(dialog, idBold, c.bold);
    setCheck(dialog, idItalic, c.italic);
    setCheck(dialog, idUnderline, c.underline);
    setCheck(dialog, idStrikeout, c.strikeout);
    setCheck(dialog, idLeading, c.leading);
    if (c.pointSize >= smallestListedSize && c.pointSize <= largestListedSize)
        SendDlgItemMessageW(dialog, idSizeList, CB_SETCURSEL, static_cast<WPARAM>(c.pointSize - smallestListedSize), 0);
    drawPreview(dialog, c.fontName, c.pointSize, styleWord(workingAttributes), c.backColour, c.fontColour);
}

void accept(HWND dialog) {
    committedAttributes = workingAttributes;
    HWND edit = GetDlgItem(dialog, idText);
    std::wstring typed(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    typed.resize(static_cast<size_t>(GetWindowTextW(edit, typed.data(), static_cast<int>(typed.size()))));
    std::string text = cellTextOf(typed, textLimit);
    // The stored text has no line breaks: the box only wraps long text.
    replaceAll(text, "\r\n", ' ');
    replaceAll(text, "\r", ' ');
    replaceAll(text, "\n", ' ');
    assignField(textBuffer, text);
    textAccepted = 1;
    EndDialog(dialog, 1);
}

// The working colour that a "..." button or a swatch sets, and its swatch.
struct ColourTarget {
    Colour TextAttributes::*colour;
    int swatch;
};

ColourTarget colourTargetOf(int id) {
    if (id == idBackChooser || id == idBackSwatch) return {&TextAttributes::backColour, idBackSwatch};
    return {&TextAttributes::fontColour, idTextSwatch};
}

using StyleFlag = int32_t TextAttributes::*;

StyleFlag styleFlagOf(int id) {
    switch (id) {
    case idBold:
        return &TextAttributes::bold;
    case idItalic:
        return &TextAttributes::italic;
    case idUnderline:
        return &TextAttributes::underline;
    case idStrikeout:
        return &TextAttributes::strikeout;
    default:
        return &TextAttributes::leading;
    }
}

void command(HWND dialog, int id, int code) {
    const bool clicked = code == BN_CLICKED || code == 1;
    switch (id) {
    case idFontList:
        if (code == CBN_SELCHANGE || code == CBN_SELENDOK) {
            std::wstring face;
            if (!selectedItemText(dialog, idFontList, face)) break;
            workingAttributes.fontName = cellTextOf(face, fontNameCapacity - 1);
            if (code == CBN_SELENDOK) drawWorkingPreview(dialog);
        }
        break;
    case idSizeList:
        if (code == CBN_SELENDOK) {
            std::wstring size;
            if (!selectedItemText(dialog, idSizeList, size)) break;
            workingAttributes.pointSize = static_cast<int16_t>(std::wcstol(size.c_str(), nullptr, 10));
            drawWorkingPreview(dialog);
        }
        break;
    case idBold:
    case idItalic:
    case idUnderline:
    case idStrikeout:
    case idLeading:
        workingAttributes.*styleFlagOf(id) = checkState(dialog, id);
        drawWorkingPreview(dialog);
        break;
    case idBackChooser:
    case idTextChooser:
        if (clicked) {
            const Colour picked = chooseColour(dialog, chooserCustomColours);
            if (picked < 0) break;
            const ColourTarget target = colourTargetOf(id);
            workingAttributes.*target.colour = picked;
            paintSwatch(dialog, target.swatch, picked);
            drawWorkingPreview(dialog);
        }
        break;
    case idBackSwatch:
    case idTextSwatch:
        if (currentColour >= 0) {
            const ColourTarget target = colourTargetOf(id);
            committedAttributes.*target.colour = currentColour;
            workingAttributes.*target.colour = currentColour;
            paintSwatch(dialog, target.swatch, currentColour);
            drawWorkingPreview(dialog);
        }
        break;
    case idAlignLeft:
        alignmentFlags = {1, 0, 0, 0};
        break;
    case idAlignRight:
        alignmentFlags = {0, 1, 0, 0};
        break;
    case idAlignCentre:
        alignmentFlags = {0, 0, 1, 0};
        break;
    case idAlignJustified:
        alignmentFlags = {0, 0, 0, 1};
        break;
    case idCancel:
        if (clicked) {
            textAccepted = 0;
            EndDialog(dialog, 0);
        }
        break;
    case idAccept:
        if (clicked) accept(dialog);
        break;
    }
}

INT_PTR CALLBACK textDialogHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        initialise(dialog);
        break;
    case WM_NCACTIVATE:
        keepFocus(textDialogFocus, wParam);
        break;
    case WM_DRAWITEM:
        if (wParam == idFontList && lParam)
            drawFontListItem(GetDlgItem(dialog, idFontList), *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        break;
    case WM_COMMAND:
        command(dialog, LOWORD(wParam), HIWORD(wParam));
        break;
    }
    return 0;
}

}  // namespace

void showTextPropertiesDialog() {
    enum { font10, font12, font18 };
    const DWORD label = SS_CENTER;
    const DWORD check = BS_AUTOCHECKBOX | WS_TABSTOP;
    const DWORD button = BS_PUSHBUTTON | WS_TABSTOP;
    const DWORD swatch = WS_BORDER | SS_NOTIFY;
    const DWORD radio = BS_AUTORADIOBUTTON;
    DialogLayout layout;
    layout.caption = L"Propiedades Texto";
    layout.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
    layout.exStyle = WS_EX_TOPMOST | WS_EX_CONTROLPARENT;
    layout.units = DialogUnits::pixels;
    layout.clientWidth = 442;
    layout.clientHeight = 502;
    layout.placement = DialogPlacement::centreScreen;
    layout.fonts = {{L"MS Sans Serif", 10, true}, {L"MS Sans Serif", 12, true}, {L"MS Sans Serif", 18, true}};
    layout.controls = {
        {idFaceLabel, L"Static", L"Tipo de Fuente", 8, 8, 312, 16, label, 0, font10},
        {idFontList, L"ComboBox", L"", 8, 24, 304, 24,
         CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_SORT | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP,
         WS_EX_CLIENTEDGE},
        {idSizeLabel, L"Static", L"Tamaño", 314, 7, 120, 13, label, 0, font10},
        {idSizeList, L"ComboBox", L"", 314, 24, 120, 24, CBS_DROPDOWN | CBS_SORT | WS_TABSTOP, 0, font10},
        {idBold, L"Button", L"Negrita", 13, 72, 126, 24, check, 0, font10},
        {idItalic, L"Button", L"Itálico", 13, 96, 126, 24, check, 0, font10},
        {idUnderline, L"Button", L"Subrayado", 13, 120, 126, 24, check, 0, font10},
        {idStrikeout, L"Button", L"Tachado", 13, 144, 126, 24, check, 0, font10},
        {idLeading, L"Button", L"Leading", 13, 168, 126, 24, check, 0, font10},
        {idStyles, L"Button", L"Estilos", 8, 56, 136, 144, BS_GROUPBOX | BS_CENTER, 0, font10},
        {idPreview, L"", L"", 152, 64, 280, 136, WS_BORDER},
        {idBackLabel, L"Static", L"Color de fondo", 0, 216, 152, 24, label, 0, font12},
        {idBackChooser, L"Button", L"...", 151, 208, 56, 32, button, 0, font18},
        {idBackSwatch, L"", L"", 216, 208, 32, 32, swatch},
        {idTextChooser, L"Button", L"...", 151, 249, 56, 32, button, 0, font18},
        {idTextLabel, L"Static", L"Color de fuente", 0, 257, 152, 24, label, 0, font12},
        {idTextSwatch, L"", L"", 216, 249, 32, 32, swatch},
        {idCancel, L"Button", L"Cancelar", 256, 208, 102, 32, button, 0, font10},
        {idAccept, L"Button", L"Aceptar", 256, 250, 102, 32, button, 0, font10},
        {idText, L"Edit", L"", 5, 290, 320, 120, ES_LEFT | ES_MULTILINE, WS_EX_CLIENTEDGE, font10},
        {idAlignLeft, L"Button", L"Alineamiento a la Izquierda", 5, 412, 210, 18, radio | WS_GROUP | WS_TABSTOP, 0,
         font10},
        {idAlignRight, L"Button", L"Alineamiento a la Derecha", 5, 432, 210, 18, radio, 0, font10},
        {idAlignCentre, L"Button", L"Alineamiento al Centro", 5, 452, 210, 18, radio, 0, font10},
        {idAlignJustified, L"Button", L"Alineamiento Justificado", 5, 472, 210, 18, radio, 0, font10},
    };
    layout.handler = textDialogHandler;
    layout.prepare = prepareLists;
    textDialogFocus = nullptr;
    textAccepted = 0;
    runDialog(nullptr, layout);
}
