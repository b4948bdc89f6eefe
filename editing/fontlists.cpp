#include "editing/fontlists.h"

#include "platform/fonts.h"
#include "platform/gdi.h"

#include <map>
#include <string>

namespace {

constexpr int itemPoints = 12;

// Family name and the character set of its first report.
using Families = std::map<std::wstring, BYTE>;

int CALLBACK addFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM data) {
    // A family comes once per character set it covers (Wine always, Windows
    // with DEFAULT_CHARSET): the first report stays with the family.
    reinterpret_cast<Families*>(data)->emplace(font->lfFaceName, font->lfCharSet);
    return 1;
}

std::wstring itemText(HWND list, UINT item) {
    const LRESULT length = SendMessageW(list, CB_GETLBTEXTLEN, item, 0);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(list, CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

BYTE itemCharSet(HWND list, UINT item) {
    const LRESULT data = SendMessageW(list, CB_GETITEMDATA, item, 0);
    return data >= 0 && data <= 255 ? static_cast<BYTE>(data) : static_cast<BYTE>(ANSI_CHARSET);
}

}  // namespace

void fillFontList(HWND list) {
    SendMessageW(list, CB_RESETCONTENT, 0, 0);
    Families families;
    HDC screen = GetDC(nullptr);
    LOGFONTW every{};
    every.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(screen, &every, addFamily, reinterpret_cast<LPARAM>(&families), 0);
    ReleaseDC(nullptr, screen);
    for (const auto& [face, charSet] : families) {
        const LRESULT at = SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(face.c_str()));
        if (at >= 0) SendMessageW(list, CB_SETITEMDATA, static_cast<WPARAM>(at), charSet);
    }
}

void fillSizeList(HWND dialog, int id, int largestSize) {
    SendDlgItemMessageW(dialog, id, CB_SETEXTENDEDUI, 1, 0);
    for (int size = 6; size <= largestSize; ++size) {
        const std::wstring text = (size <= 9 ? L"0" : L"") + std::to_wstring(size);
        SendDlgItemMessageW(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

HFONT makeItemFont(const wchar_t* face, int points, int weight, bool italic, bool underline, BYTE charSet) {
    const int height = -(fontDpi * points / 72);
    return CreateFontW(height, 0, 0, 0, weight, italic, underline, FALSE, charSet, OUT_TT_PRECIS, 0, 0, 0, face);
}

void drawFontListItem(HWND list, const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1)) return;
    if (!(item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT))) return;
    HDC dc = item.hDC;
    RECT box = item.rcItem;
    // The closed field shows the chosen face in window colours; only the
    // dropped list highlights its selected item.
    const bool highlighted = (item.itemState & ODS_SELECTED) && !(item.itemState & ODS_COMBOBOXEDIT);
    const int back = highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW;
    const COLORREF oldBack = SetBkColor(dc, GetSysColor(back));
    const COLORREF oldText = SetTextColor(dc, GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    FillRect(dc, &box, GetSysColorBrush(back));

    const std::wstring text = itemText(list, item.itemID);
    const Font font(text.empty() ? nullptr
                                 : makeItemFont(text.c_str(), itemPoints, 0, false, false, itemCharSet(list, item.itemID)));
    {
        // Without a font of its own the name is drawn in the current font.
        const SelectGuard selected(dc, font ? static_cast<HGDIOBJ>(font.get()) : GetCurrentObject(dc, OBJ_FONT));
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_SINGLELINE | DT_VCENTER);
    }
    if (item.itemState & ODS_SELECTED) DrawFocusRect(dc, &box);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
}
