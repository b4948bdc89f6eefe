#include "platform/surface.h"

#include "platform/image.h"

namespace {

const wchar_t surfaceProperty[] = L"Zanor.Surface";

struct Surface {
    WNDPROC staticProc = nullptr;
    Image picture;
    int32_t drawColour = 0x000000;
    int32_t backgroundColour = 0xFFFFFF;
};

Surface* surfaceOf(HWND window) {
    return window ? static_cast<Surface*>(GetPropW(window, surfaceProperty)) : nullptr;
}

LRESULT CALLBACK surfaceProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Surface* surface = surfaceOf(window);
    if (!surface) return DefWindowProcW(window, message, wParam, lParam);
    const WNDPROC staticProc = surface->staticProc;
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        const RECT& r = paint.rcPaint;
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, surface->picture.dc(), r.left,
               r.top, SRCCOPY);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_NCDESTROY:
        RemovePropW(window, surfaceProperty);
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(staticProc));
        delete surface;
        break;
    }
    return CallWindowProcW(staticProc, window, message, wParam, lParam);
}

}  // namespace

HWND createSurface(HWND parent, int id, int x, int y, int width, int height, DWORD style,
                   DWORD exStyle) {
    auto* surface = new Surface;
    if (!surface->picture.create(width, height)) {
        delete surface;
        return nullptr;
    }
    surface->picture.fill(surface->backgroundColour);
    HWND window = CreateWindowExW(exStyle, L"Static", L"", style, x, y, width, height, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  GetModuleHandleW(nullptr), nullptr);
    if (!window) {
        delete surface;
        return nullptr;
    }
    SetPropW(window, surfaceProperty, surface);
    surface->staticProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(surfaceProc)));
    InvalidateRect(window, nullptr, FALSE);
    return window;
}

bool isSurface(HWND control) { return surfaceOf(control) != nullptr; }

HDC surfaceDC(HWND surface) {
    Surface* s = surfaceOf(surface);
    return s ? s->picture.dc() : nullptr;
}

void surfaceShow(HWND surface) {
    Surface* s = surfaceOf(surface);
    if (!s) return;
    // Straight onto the screen: cheaper than a paint cycle, and what is
    // covered now is painted from the picture when it is uncovered.
    HDC dc = GetDC(surface);
    if (!dc) return;
    BitBlt(dc, 0, 0, s->picture.width(), s->picture.height(), s->picture.dc(), 0, 0, SRCCOPY);
    ReleaseDC(surface, dc);
}

void surfaceSetColours(HWND surface, int32_t drawColour, int32_t backgroundColour) {
    if (Surface* s = surfaceOf(surface)) {
        s->drawColour = drawColour;
        s->backgroundColour = backgroundColour;
    }
}

int32_t surfaceDrawColour(HWND surface) {
    Surface* s = surfaceOf(surface);
    return s ? s->drawColour : -1;
}

int32_t surfaceBackgroundColour(HWND surface) {
    Surface* s = surfaceOf(surface);
    return s ? s->backgroundColour : -1;
}

void surfaceClear(HWND surface) {
    if (Surface* s = surfaceOf(surface)) {
        s->picture.fill(s->backgroundColour);
        surfaceShow(surface);
    }
}

void surfaceFill(HWND surface, int32_t colour) {
    surfaceSetColours(surface, 0x000000, colour);
    surfaceClear(surface);
}

void surfaceCopy(HWND surface, int x, int y, int width, int height, HDC source, int sx, int sy) {
    if (Surface* s = surfaceOf(surface)) {
        BitBlt(s->picture.dc(), x, y, width, height, source, sx, sy, SRCCOPY);
        surfaceShow(surface);
    }
}

int32_t surfacePixel(HWND surface, int x, int y) {
    Surface* s = surfaceOf(surface);
    return s ? s->picture.pixel(x, y) : -1;
}
