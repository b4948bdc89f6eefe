// The main window as the program runs it: frame, size, place, the canvas and
// its picture, the start values, closing and focus.
#include "support.h"

#include "app/mainwindow.h"
#include "calendar/document.h"
#include "calendar/render.h"
#include "editing/textstate.h"
#include "platform/surface.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

RECT windowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

int countNonWhite(HWND surface, int width, int height) {
    int found = 0;
    for (int y = 0; y < height; y += 7)
        for (int x = 0; x < width; x += 7)
            if (surfacePixel(surface, x, y) != 0xFFFFFF) ++found;
    return found;
}

}  // namespace

TEST(MainWindow, HasItsCaptionFixedFrameAndClientSizeCentredInTheWorkArea) {
    runMainWindow([] {
        ASSERT_TRUE(IsWindow(mainWindow));
        EXPECT_TRUE(IsWindowVisible(mainWindow));
        EXPECT_EQ(windowText(mainWindow), L"Tervalonde za-nor");
        EXPECT_EQ(GetParent(mainWindow), nullptr);
        EXPECT_EQ(GetWindow(mainWindow, GW_OWNER), nullptr);

        const LONG_PTR style = GetWindowLongPtrW(mainWindow, GWL_STYLE);
        EXPECT_TRUE(style & WS_POPUP);
        EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
        EXPECT_TRUE(style & WS_SYSMENU);
        EXPECT_TRUE(style & WS_MINIMIZEBOX);
        EXPECT_FALSE(style & WS_MAXIMIZEBOX);
        EXPECT_FALSE(style & WS_THICKFRAME);
        EXPECT_TRUE(style & DS_MODALFRAME);
        EXPECT_TRUE(GetWindowLongPtrW(mainWindow, GWL_EXSTYLE) & WS_EX_CONTROLPARENT);

        // The window is as big as a client area of 1020 x 599 without a menu
        // needs: a menu attached later takes its height out of that area.
        RECT expected{0, 0, 1020, 599};
        AdjustWindowRectEx(&expected, static_cast<DWORD>(style), FALSE,
                           static_cast<DWORD>(GetWindowLongPtrW(mainWindow, GWL_EXSTYLE)));
        const RECT r = windowRect(mainWindow);
        EXPECT_EQ(r.right - r.left, expected.right - expected.left);
        EXPECT_EQ(r.bottom - r.top, expected.bottom - expected.top);
        RECT client{};
        GetClientRect(mainWindow, &client);
        EXPECT_EQ(client.right, 1020);
        EXPECT_EQ(client.bottom + GetSystemMetrics(SM_CYMENU) * (GetMenu(mainWindow) != nullptr), 599);

        RECT work{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        const int width = r.right - r.left;
        const int height = r.bottom - r.top;
        EXPECT_EQ(r.left, std::max(0L, work.left + (work.right - work.left - width) / 2));
        EXPECT_EQ(r.top, std::max(0L, work.top + (work.bottom - work.top - height) / 2));
    });
}

TEST(MainWindow, CanvasIsTheOnlyChildWithItsIdRectangleAndWhitePicture) {
    runMainWindow([] {
        HWND canvas = GetDlgItem(mainWindow, canvasId);
        ASSERT_NE(canvas, nullptr);
        EXPECT_EQ(canvas, canvasWindow());
        EXPECT_EQ(GetWindow(canvas, GW_HWNDNEXT), nullptr);
        EXPECT_EQ(GetWindow(GetWindow(mainWindow, GW_CHILD), GW_HWNDNEXT), nullptr);

        RECT r = windowRect(canvas);
        MapWindowPoints(nullptr, mainWindow, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, 9);
        EXPECT_EQ(r.top, 1);
        EXPECT_EQ(r.right - r.left, 1000);
        EXPECT_EQ(r.bottom - r.top, 576);

        const LONG_PTR style = GetWindowLongPtrW(canvas, GWL_STYLE);
        EXPECT_TRUE(style & WS_CHILD);
        EXPECT_TRUE(style & WS_VISIBLE);
        EXPECT_TRUE(style & WS_BORDER);
        EXPECT_TRUE(style & SS_NOTIFY);
        EXPECT_EQ(style & SS_TYPEMASK, SS_OWNERDRAW);

        EXPECT_EQ(surfaceDrawColour(canvas), 0x000000);
        EXPECT_EQ(surfaceBackgroundColour(canvas), 0xFFFFFF);
        EXPECT_EQ(countNonWhite(canvas, 1000, 576), 0);

        // What the screen shows is the picture: white inside the border.
        HDC dc = GetDC(canvas);
        for (POINT p : {POINT{0, 0}, POINT{500, 300}, POINT{997, 573}}) {
            const COLORREF c = GetPixel(dc, p.x, p.y);
            if (c != CLR_INVALID) {
                EXPECT_EQ(c, 0xFFFFFFu) << p.x << "," << p.y;
            }
        }
        ReleaseDC(canvas, dc);
    });
}

TEST(MainWindow, CanvasRepaintsItselfFromItsPicture) {
    runMainWindow([] {
        HWND canvas = canvasWindow();
        // Draw into the picture without showing it, then let the window repaint.
        RECT box{100, 100, 140, 140};
        HBRUSH red = CreateSolidBrush(0x0000FF);
        FillRect(surfaceDC(canvas), &box, red);
        DeleteObject(red);
        InvalidateRect(canvas, nullptr, TRUE);
        UpdateWindow(canvas);
        HDC dc = GetDC(canvas);
        const COLORREF inside = GetPixel(dc, 120, 120);
        const COLORREF outside = GetPixel(dc, 200, 200);
        ReleaseDC(canvas, dc);
        if (inside != CLR_INVALID) {
            EXPECT_EQ(inside, 0x0000FFu);
            EXPECT_EQ(outside, 0xFFFFFFu);
        }
        EXPECT_EQ(surfacePixel(canvas, 120, 120), 0x0000FF);
    });
}

TEST(MainWindow, InitialisationGivesTheStartValues) {
    // Values that the initialisation must overwrite.
    leftButtonMode = 2;
    rightButtonMode = 2;
    busy = 1;
    selectionCount = 1;
    sundayDateColour = 0x123456;
    runMainWindow([] {
        SYSTEMTIME now;
        GetLocalTime(&now);
        EXPECT_EQ(homeScrollY, homeScrollYFor(now.wDay));
        EXPECT_EQ(viewY, homeScrollY);
        EXPECT_EQ(viewRecs[1].viewX, 0);
        EXPECT_EQ(viewRecs[1].width, 1000);
        EXPECT_EQ(viewRecs[1].height, 4577);
        EXPECT_EQ(viewRecs[0].viewY, 0);
        EXPECT_EQ(busy, 0);
        EXPECT_EQ(leftButtonMode, 1);
        EXPECT_EQ(rightButtonMode, 1);
        EXPECT_EQ(selectionCount, 0);
        EXPECT_EQ(lineColour, 0x000000);
        EXPECT_EQ(weekdayDateColour, 0x000000);
        EXPECT_EQ(sundayDateColour, 0x0000FF);
        EXPECT_EQ(firstMonth, 0);
        EXPECT_FALSE(cellTableExists());

        ASSERT_TRUE(pageBitmap.exists());
        ASSERT_TRUE(viewBitmap.exists());
        EXPECT_EQ(pageBitmap.width(), 1000);
        EXPECT_EQ(pageBitmap.height(), 2900);
        EXPECT_EQ(viewBitmap.width(), 1000);
        EXPECT_EQ(viewBitmap.height(), 4577);
        // White: the canvas, and the page once all of it is made.
        for (int y : {0, 300, 575}) EXPECT_EQ(surfacePixel(canvasWindow(), 999, y), 0xFFFFFF);
        completePage();
        for (int y : {0, 1449, 2899}) EXPECT_EQ(pageBitmap.pixel(999, y), 0xFFFFFF);

        for (const TextAttributes* a : {&committedAttributes, &workingAttributes}) {
            EXPECT_EQ(a->backColour, 0xFFFFFF);
            EXPECT_EQ(a->fontColour, 0x000000);
            EXPECT_EQ(a->pointSize, 10);
            EXPECT_EQ(a->fontName, "Times New Roman");
        }
        EXPECT_EQ(alignmentFlags.left, 1);
        EXPECT_EQ(alignmentFlags.right + alignmentFlags.centre + alignmentFlags.justified, 0);
    });
}

TEST(MainWindow, CloseEndsTheRunButEscapeEnterAndABusyCloseDoNot) {
    bool stillOpen = false;
    bool closedWhileIdle = false;
    runMainWindow([&] {
        SendMessageW(mainWindow, WM_COMMAND, IDCANCEL, 0);
        SendMessageW(mainWindow, WM_COMMAND, IDOK, 0);
        busy = 1;
        SendMessageW(mainWindow, WM_CLOSE, 0, 0);
        stillOpen = IsWindow(mainWindow) && IsWindowVisible(mainWindow);
        busy = 0;
        SendMessageW(mainWindow, WM_SYSCOMMAND, SC_CLOSE, 0);
        closedWhileIdle = true;
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(closedWhileIdle);
    EXPECT_FALSE(IsWindow(mainWindow));
}

TEST(MainWindow, FocusReturnsToTheControlThatHadItAfterDeactivation) {
    runMainWindow([] {
        HWND canvas = canvasWindow();
        SetFocus(canvas);
        ASSERT_EQ(GetFocus(), canvas);
        HWND other = CreateWindowExW(0, L"Static", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                     nullptr, nullptr, nullptr);
        SetActiveWindow(other);
        EXPECT_EQ(savedFocus, canvas);
        EXPECT_NE(GetFocus(), canvas);
        SetActiveWindow(mainWindow);
        EXPECT_EQ(GetFocus(), canvas);
        EXPECT_EQ(savedFocus, nullptr);
        DestroyWindow(other);
    });
}

