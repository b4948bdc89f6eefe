#include "platform/dialog.h"

#include "platform/fonts.h"
#include "platform/surface.h"

#include <cmath>
#include <cstring>

namespace {

// The running dialog's layout and the fonts it owns; one per open dialog.
struct RunningDialog {
    const DialogLayout* layout;
    std::vector<HFONT> fonts;
};

const wchar_t dialogProperty[] = L"Zanor.Dialog";

void appendWords(std::vector<WORD>& out, const std::wstring& text) {
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
}

// DLGTEMPLATE with no controls, the caption and the dialog font.
std::vector<WORD> emptyTemplate(const DialogLayout& layout) {
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    auto* header = reinterpret_cast<DLGTEMPLATE*>(words.data());
    header->style = layout.style | DS_SETFONT;
    header->dwExtendedStyle = layout.exStyle;
    header->cdit = 0;
    words.push_back(0);  // no menu
    words.push_back(0);  // default class
    appendWords(words, layout.caption);
    words.push_back(8);  // point size
    appendWords(words, L"MS Sans Serif");
    return words;
}

RECT toPixels(HWND dialog, DialogUnits units, int x, int y, int width, int height) {
    RECT r{x, y, x + width, y + height};
    if (units == DialogUnits::dialogUnits) MapDialogRect(dialog, &r);
    return r;
}

void createControls(HWND dialog, const DialogLayout& layout, const std::vector<HFONT>& fonts) {
    for (const DialogControl& c : layout.controls) {
        const RECT r = toPixels(dialog, layout.units, c.x, c.y, c.width, c.height);
        const DWORD style = c.style | WS_CHILD | WS_VISIBLE;
        HWND control;
        if (c.className.empty()) {
            control = createSurface(dialog, c.id, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                    style, c.exStyle);
        } else {
            control = CreateWindowExW(c.exStyle, c.className.c_str(), c.text.c_str(), style, r.left,
                                      r.top, r.right - r.left, r.bottom - r.top, dialog,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                                      GetModuleHandleW(nullptr), nullptr);
        }
        HFONT font = c.font >= 0 && c.font < static_cast<int>(fonts.size())
                         ? fonts[c.font]
                         : reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
        if (control && font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}

void sizeAndPlace(HWND dialog, const DialogLayout& layout) {
    RECT client = toPixels(dialog, layout.units, 0, 0, layout.clientWidth, layout.clientHeight);
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE));
    AdjustWindowRectEx(&client, style, GetMenu(dialog) != nullptr, exStyle);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    int x = 0;
    int y = 0;
    switch (layout.placement) {
    case DialogPlacement::centreWorkArea: {
        RECT work{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        x = work.left + (work.right - work.left - width) / 2;
        y = work.top + (work.bottom - work.top - height) / 2;
        if (x < 0) x = 0;
        if (y < 0) y = 0;
        break;
    }
    case DialogPlacement::centreScreen:
        x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
        break;
    case DialogPlacement::at: {
        const RECT at = toPixels(dialog, layout.units, layout.x, layout.y, 0, 0);
        x = at.left;
        y = at.top;
        break;
    }
    }
    SetWindowPos(dialog, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK builderProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* running = static_cast<RunningDialog*>(GetPropW(dialog, dialogProperty));
    if (message == WM_INITDIALOG) {
        running = reinterpret_cast<RunningDialog*>(lParam);
        SetPropW(dialog, dialogProperty, running);
        const DialogLayout& layout = *running->layout;
        createControls(dialog, layout, running->fonts);
        sizeAndPlace(dialog, layout);
        if (layout.prepare) layout.prepare(dialog);
        const INT_PTR result = layout.handler ? layout.handler(dialog, message, wParam, 0) : FALSE;
        // The keyboard starts on the first control it can reach, unless the
        // handler gave the focus to one of its own: otherwise it would stay
        // in the window the dialog came over.
        HWND focus = GetFocus();
        if (!focus || (focus != dialog && !IsChild(dialog, focus)))
            if (HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE)) SetFocus(first);
        return result;
    }
    if (!running) return FALSE;
    const DialogHandler handler = running->layout->handler;
    if (message == WM_NCDESTROY) RemovePropW(dialog, dialogProperty);
    return handler ? handler(dialog, message, wParam, lParam) : FALSE;
}

}  // namespace

HFONT createPointFont(const std::wstring& face, int points, bool bold) {
    LOGFONTW lf{};
    lf.lfHeight = -static_cast<LONG>(std::lround(fontDpi * points / 72.0));
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return CreateFontIndirectW(&lf);
}

INT_PTR runDialog(HWND owner, const DialogLayout& layout) {
    RunningDialog running{&layout, {}};
    for (const DialogFont& f : layout.fonts) running.fonts.push_back(createPointFont(f.face, f.points, f.bold));
    const std::vector<WORD> words = emptyTemplate(layout);
    const INT_PTR result =
        DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(words.data()),
                                owner, builderProc, reinterpret_cast<LPARAM>(&running));
    for (HFONT f : running.fonts) DeleteObject(f);
    return result;
}

void keepFocus(HWND& saved, WPARAM active) {
    if (!active) {
        saved = GetFocus();
    } else if (saved) {
        SetFocus(saved);
        saved = nullptr;
    }
}
