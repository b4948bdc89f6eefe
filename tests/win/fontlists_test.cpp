// The font and size lists of "Propiedades Texto": what they hold and how the
// font list draws its items.
#include "support.h"

#include "editing/fontlists.h"
#include "editing/textdialog.h"
#include "editing/textstate.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

enum { fontList = 10100, sizeList = 10120, cancelButton = 10270 };

const wchar_t dialogCaption[] = L"Propiedades Texto";

void openDialog(const std::function<void(HWND)>& action) {
    DialogDriver driver;
    driver.expect(dialogCaption, [&](HWND d) {
        action(d);
        pressButton(d, cancelButton);
    });
    showTextPropertiesDialog();
    EXPECT_EQ(driver.pending(), 0);
}

std::vector<std::wstring> listItems(HWND list) {
    std::vector<std::wstring> items;
    const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[LF_FACESIZE + 8] = {};
        SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

int itemIndex(HWND list, const wchar_t* text) {
    return static_cast<int>(SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text)));
}

int CALLBACK collectFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM data) {
    reinterpret_cast<std::set<std::wstring>*>(data)->insert(font->lfFaceName);
    return 1;
}

int CALLBACK firstCharSet(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM data) {
    *reinterpret_cast<int*>(data) = font->lfCharSet;
    return 0;
}

// A 24-bit picture in memory to draw items into.
struct Picture {
    int width, height;
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    Picture(int w, int h) : width(w), height(h) {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        ReleaseDC(nullptr, screen);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        old = SelectObject(dc, bitmap);
    }
    ~Picture() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    void fill(COLORREF colour) {
        HBRUSH brush = CreateSolidBrush(colour);
        RECT all{0, 0, width, height};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
    }
    COLORREF at(int x, int y) const { return GetPixel(dc, x, y); }
    std::vector<COLORREF> pixels() const {
        std::vector<COLORREF> out;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) out.push_back(at(x, y));
        return out;
    }
    int count(COLORREF colour) const {
        int n = 0;
        for (COLORREF p : pixels()) n += p == colour;
        return n;
    }
};

// Asks the dialog to draw an item of a list into the picture.
void drawItem(HWND dialog, int id, UINT item, UINT action, UINT state, Picture& picture) {
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_COMBOBOX;
    draw.CtlID = static_cast<UINT>(id);
    draw.itemID = item;
    draw.itemAction = action;
    draw.itemState = state;
    draw.hwndItem = GetDlgItem(dialog, id);
    draw.hDC = picture.dc;
    draw.rcItem = RECT{0, 0, picture.width, picture.height};
    draw.itemData = static_cast<ULONG_PTR>(SendMessageW(draw.hwndItem, CB_GETITEMDATA, item, 0));
    SendMessageW(dialog, WM_DRAWITEM, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&draw));
}

// How a family name looks in a face at 16 pixels (12 points at 96 dots per
// inch) on a window-coloured line.
void drawReference(Picture& picture, const wchar_t* text, const wchar_t* face) {
    picture.fill(GetSysColor(COLOR_WINDOW));
    HFONT font = CreateFontW(-16, 0, 0, 0, 0, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_TT_PRECIS, 0, 0, 0, face);
    HGDIOBJ old = SelectObject(picture.dc, font);
    SetBkColor(picture.dc, GetSysColor(COLOR_WINDOW));
    SetTextColor(picture.dc, GetSysColor(COLOR_WINDOWTEXT));
    RECT box{0, 0, picture.width, picture.height};
    DrawTextW(picture.dc, text, -1, &box, DT_SINGLELINE | DT_VCENTER);
    SelectObject(picture.dc, old);
    DeleteObject(font);
}

constexpr COLORREF magenta = RGB(255, 0, 255);

TEST(FontList, HoldsEveryInstalledFamilyOnceInSortedOrder) {
    std::set<std::wstring> installed;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesW(screen, nullptr, collectFamily, reinterpret_cast<LPARAM>(&installed));
    ReleaseDC(nullptr, screen);
    ASSERT_GT(installed.size(), 1u);
    openDialog([&](HWND d) {
        HWND list = GetDlgItem(d, fontList);
        const std::vector<std::wstring> items = listItems(list);
        EXPECT_EQ(items.size(), installed.size());
        EXPECT_EQ(std::set<std::wstring>(items.begin(), items.end()), installed);
        for (size_t i = 1; i < items.size(); ++i)
            EXPECT_LE(CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, items[i - 1].c_str(), -1,
                                     items[i].c_str(), -1),
                      CSTR_EQUAL)
                << i;
        // Filling again starts from an empty list.
        fillFontList(list);
        EXPECT_EQ(listItems(list), items);
    });
}

TEST(FontList, EachItemKeepsTheCharacterSetOfItsFace) {
    openDialog([](HWND d) {
        HWND list = GetDlgItem(d, fontList);
        HDC screen = GetDC(nullptr);
        for (const std::wstring& face : listItems(list)) {
            int charSet = -1;
            EnumFontFamiliesW(screen, face.c_str(), firstCharSet, reinterpret_cast<LPARAM>(&charSet));
            EXPECT_EQ(SendMessageW(list, CB_GETITEMDATA, static_cast<WPARAM>(itemIndex(list, face.c_str())), 0),
                      charSet)
                << std::string(face.begin(), face.end());
        }
        ReleaseDC(nullptr, screen);
    });
}

TEST(FontList, ItemsAreTallerByFourPixelsThanTheControlWouldMakeThem) {
    openDialog([](HWND d) {
        HWND list = GetDlgItem(d, fontList);
        HWND plain = CreateWindowExW(
            WS_EX_CLIENTEDGE, L"ComboBox", L"",
            WS_CHILD | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_SORT | CBS_HASSTRINGS | WS_VSCROLL, 8, 24, 304,
            24, d, nullptr, GetModuleHandleW(nullptr), nullptr);
        SendMessageW(plain, WM_SETFONT, SendMessageW(d, WM_GETFONT, 0, 0), FALSE);
        const LRESULT items = SendMessageW(plain, CB_GETITEMHEIGHT, 0, 0);
        const LRESULT field = SendMessageW(plain, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
        DestroyWindow(plain);
        EXPECT_EQ(SendMessageW(list, CB_GETITEMHEIGHT, 0, 0), items + 4);
        // The selection field is as tall as the items; Wine reports it with
        // a padding of its own.
        const LRESULT listField = SendMessageW(list, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
        EXPECT_GE(listField, items + 4);
        EXPECT_LE(listField, items + 6);
        EXPECT_GT(listField, field);
    });
}

TEST(FontList, AnItemIsDrawnInItsOwnFaceAtTwelvePoints) {
    openDialog([](HWND d) {
        HWND list = GetDlgItem(d, fontList);
        const wchar_t* faces[] = {L"Liberation Mono", L"Liberation Serif"};
        for (const wchar_t* face : faces) ASSERT_GE(itemIndex(list, face), 0) << "not installed";
        const int height = static_cast<int>(SendMessageW(list, CB_GETITEMHEIGHT, 0, 0));
        Picture item(304, height), same(304, height), other(304, height);
        for (int i = 0; i < 2; ++i) {
            item.fill(magenta);
            drawItem(d, fontList, static_cast<UINT>(itemIndex(list, faces[i])), ODA_DRAWENTIRE, 0, item);
            drawReference(same, faces[i], faces[i]);
            drawReference(other, faces[i], faces[1 - i]);
            EXPECT_EQ(item.count(magenta), 0);
            EXPECT_EQ(item.pixels(), same.pixels()) << i;
            EXPECT_NE(item.pixels(), other.pixels()) << i;
        }
    });
}

TEST(FontList, SelectedItemsAreHighlightedInTheListButNotInTheField) {
    openDialog([](HWND d) {
        HWND list = GetDlgItem(d, fontList);
        const UINT serif = static_cast<UINT>(itemIndex(list, L"Liberation Serif"));
        ASSERT_NE(serif, static_cast<UINT>(CB_ERR));
        const int height = static_cast<int>(SendMessageW(list, CB_GETITEMHEIGHT, 0, 0));
        Picture item(304, height);
        const COLORREF window = GetSysColor(COLOR_WINDOW);
        const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
        ASSERT_NE(window, highlight);
        const auto topRowIs = [&](COLORREF colour) {
            for (int x = 0; x < item.width; ++x)
                if (item.at(x, 0) != colour) return false;
            return true;
        };

        drawItem(d, fontList, serif, ODA_DRAWENTIRE, 0, item);
        EXPECT_EQ(item.at(300, height / 2), window);
        EXPECT_TRUE(topRowIs(window));  // no focus rectangle

        drawItem(d, fontList, serif, ODA_SELECT, ODS_SELECTED, item);
        EXPECT_EQ(item.at(300, height / 2), highlight);
        EXPECT_GT(item.count(GetSysColor(COLOR_HIGHLIGHTTEXT)), 10);
        EXPECT_FALSE(topRowIs(highlight));  // the focus rectangle

        drawItem(d, fontList, serif, ODA_DRAWENTIRE, ODS_SELECTED | ODS_COMBOBOXEDIT, item);
        EXPECT_EQ(item.at(300, height / 2), window);
        EXPECT_EQ(item.count(highlight), 0);
        EXPECT_FALSE(topRowIs(window));  // the focus rectangle
    });
}

TEST(FontList, NoItemAFocusChangeOrAnotherControlDrawNothing) {
    openDialog([](HWND d) {
        Picture item(304, 20);
        item.fill(magenta);
        drawItem(d, fontList, static_cast<UINT>(-1), ODA_DRAWENTIRE, ODS_SELECTED, item);
        EXPECT_EQ(item.count(magenta), 304 * 20);
        drawItem(d, fontList, 0, ODA_FOCUS, ODS_FOCUS | ODS_SELECTED, item);
        EXPECT_EQ(item.count(magenta), 304 * 20);
        drawItem(d, sizeList, 0, ODA_DRAWENTIRE, 0, item);
        EXPECT_EQ(item.count(magenta), 304 * 20);
    });
}

TEST(FontList, ItemFontsAreTwelvePointsTruncatedInTheFaceCharacterSet) {
    HFONT font = makeItemFont(L"Liberation Sans", 11, 0, true, false, SYMBOL_CHARSET);
    ASSERT_NE(font, nullptr);
    LOGFONTW lf{};
    GetObjectW(font, sizeof lf, &lf);
    DeleteObject(font);
    EXPECT_EQ(lf.lfHeight, -14);  // 11 x 96 / 72 = 14.67, truncated
    EXPECT_EQ(lf.lfCharSet, SYMBOL_CHARSET);
    EXPECT_TRUE(lf.lfItalic);
    EXPECT_FALSE(lf.lfUnderline);
    EXPECT_FALSE(lf.lfStrikeOut);
    EXPECT_EQ(lf.lfOutPrecision, OUT_TT_PRECIS);
    EXPECT_STREQ(lf.lfFaceName, L"Liberation Sans");

    font = makeItemFont(L"Liberation Mono", 12, FW_BOLD, false, true, ANSI_CHARSET);
    GetObjectW(font, sizeof lf, &lf);
    DeleteObject(font);
    EXPECT_EQ(lf.lfHeight, -16);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_TRUE(lf.lfUnderline);
}

TEST(SizeList, HoldsTheSizes06To70InOrderWithTheExtendedKeyboard) {
    openDialog([](HWND d) {
        HWND list = GetDlgItem(d, sizeList);
        const std::vector<std::wstring> items = listItems(list);
        ASSERT_EQ(items.size(), 65u);
        EXPECT_EQ(items.front(), L"06");
        EXPECT_EQ(items[3], L"09");
        EXPECT_EQ(items[4], L"10");
        EXPECT_EQ(items.back(), L"70");
        for (size_t i = 0; i < items.size(); ++i) EXPECT_EQ(std::stoi(items[i]), static_cast<int>(i) + 6);
        EXPECT_EQ(SendMessageW(list, CB_GETEXTENDEDUI, 0, 0), TRUE);
    });
}

}  // namespace
