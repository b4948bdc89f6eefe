// The canvas as the user works it: scrolling keys and the wheel, selecting
// cells with the left button, and capturing colours with the right one.
#include "support.h"

#include "app/mainwindow.h"
#include "calendar/canvas.h"
#include "calendar/document.h"
#include "calendar/monthlayout.h"
#include "calendar/render.h"
#include "editing/colours.h"
#include "editing/favourites.h"
#include "platform/surface.h"

#include <gtest/gtest.h>

namespace {

HWND canvas() { return canvasWindow(); }

void key(UINT vk) { SendMessageW(canvas(), WM_KEYDOWN, vk, 1); }
void wheelTurn(int highWord) { SendMessageW(canvas(), WM_MOUSEWHEEL, MAKEWPARAM(0, highWord), 0); }
void leftClick(int x, int y) {
    SendMessageW(canvas(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(canvas(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}
void rightClick(int x, int y) { SendMessageW(canvas(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y)); }

// A page for January 2024 shown at the top.
void makePage(int month = 1, int year = 2024) {
    resetAllCells();
    firstMonth = static_cast<int16_t>(month);
    firstYear = static_cast<int16_t>(year);
    viewY = 0;
    refreshPage();
}

// The canvas shows the page shifted by viewY, white where the page is not.
void expectCanvasShowsPageAtViewY() {
    for (int y = 0; y < 576; y += 23)
        for (int x = 0; x < 1000; x += 37) {
            const int pageY = y - viewY;
            const int32_t expected = pageY >= 0 && pageY < pageHeight ? pageBitmap.pixel(x, pageY) : 0xFFFFFF;
            ASSERT_EQ(surfacePixel(canvas(), x, y), expected) << x << "," << y << " at viewY " << viewY;
        }
}

class Canvas : public ::testing::Test {
protected:
    void TearDown() override {
        restoreSnapshot(DocumentSnapshot{});
        currentColour = 0;
        leftButtonMode = 1;
        rightButtonMode = 1;
    }
};

TEST_F(Canvas, HasTheKeysFromTheStart) {
    runMainWindow([] {
        EXPECT_EQ(GetFocus(), canvas());
        EXPECT_TRUE(SendMessageW(canvas(), WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS);
    });
}

TEST_F(Canvas, UpAndDownKeysStepARowAndStopAtTheirLimits) {
    runMainWindow([] {
        makePage();
        viewY = -15;
        key(VK_UP);
        EXPECT_EQ(viewY, 77);
        expectCanvasShowsPageAtViewY();
        key(VK_UP);
        EXPECT_EQ(viewY, 77);
        key(VK_HOME);
        EXPECT_EQ(viewY, 0);
        for (int i = 0; i < 30; ++i) key(VK_DOWN);
        EXPECT_EQ(viewY, -2300);  // 25 steps, then no more
        expectCanvasShowsPageAtViewY();
        key(VK_END);
        EXPECT_EQ(viewY, -2288);
        viewY = -2200;
        key(VK_NEXT);
        EXPECT_EQ(viewY, -2300);
        key(VK_NEXT);
        EXPECT_EQ(viewY, -2300);
        key(VK_PRIOR);
        EXPECT_EQ(viewY, -2200);
        key(VK_MULTIPLY);
        EXPECT_EQ(viewY, homeScrollY);
        expectCanvasShowsPageAtViewY();
        key('A');
        EXPECT_EQ(viewY, homeScrollY);
    });
}

TEST_F(Canvas, TheWheelStepsFifteenPixelsEitherWay) {
    runMainWindow([] {
        makePage();
        viewY = -30;
        wheelTurn(0x8000);  // exactly 0x8000 counts as away from the user
        EXPECT_EQ(viewY, -15);
        wheelTurn(120);
        EXPECT_EQ(viewY, 0);
        wheelTurn(120);
        EXPECT_EQ(viewY, 0);
        wheelTurn(0xFF88);  // -120: towards the user
        EXPECT_EQ(viewY, -15);
        expectCanvasShowsPageAtViewY();
        // A wheel message that reaches the main window scrolls the canvas too.
        SendMessageW(mainWindow, WM_MOUSEWHEEL, MAKEWPARAM(0, 0xFF88), 0);
        EXPECT_EQ(viewY, -30);
    });
}

TEST_F(Canvas, BeforeAnyPageKeysWheelAndLeftClicksDoNothing) {
    runMainWindow([] {
        const int32_t before = viewY;
        key(VK_DOWN);
        key(VK_END);
        wheelTurn(0xFF88);
        leftClick(100, 100);
        EXPECT_EQ(viewY, before);
        EXPECT_FALSE(cellTableExists());
        EXPECT_EQ(surfacePixel(canvas(), 500, 300), 0xFFFFFF);
    });
}

TEST_F(Canvas, TheSelectorSelectsClearsAndSelectsAgain) {
    runMainWindow([] {
        makePage();
        const int ax = 100, ay = 3 + 92 * 4 + 40;  // (1, 5)
        const int bx = 300, by = 3 + 92 * 3 + 40;  // (2, 4)
        leftClick(ax, ay);
        EXPECT_EQ(selectionCount, 1);
        EXPECT_EQ(cellAt(1, 5).selected, 1);
        EXPECT_EQ(surfacePixel(canvas(), ax + 100, ay + 40), 0x8B0000);
        leftClick(bx, by);
        EXPECT_EQ(selectionCount, 0);
        EXPECT_EQ(cellAt(1, 5).selected, 0);
        EXPECT_EQ(cellAt(2, 4).selected, 0);
        EXPECT_EQ(selectedColumn, 0);
        leftClick(bx, by);
        EXPECT_EQ(selectionCount, 1);
        EXPECT_EQ(selectedColumn, 2);
        EXPECT_EQ(selectedDay, 4);
        leftClick(bx, by);
        EXPECT_EQ(selectionCount, 0);
        EXPECT_EQ(surfacePixel(canvas(), bx + 50, by + 40), 0xFFFFFF);
    });
}

TEST_F(Canvas, ClicksOutsideThePagesCellsChangeNothing) {
    runMainWindow([] {
        makePage();
        leftClick(100, 50);  // (1, 1)
        ASSERT_EQ(selectionCount, 1);
        viewY = -2300;
        refreshPage();
        // Below 29 February (column 2), and right of column 4.
        leftClick(300, 2763 + 40 + viewY);
        leftClick(995, 100);
        EXPECT_EQ(selectionCount, 1);
        EXPECT_EQ(cellAt(1, 1).selected, 1);
        // Above the top of the page after scrolling up past it.
        viewY = 77;
        refreshPage();
        leftClick(100, 10);
        EXPECT_EQ(selectionCount, 1);
    });
}

TEST_F(Canvas, ACellIsFoundFromTheScrollOffset) {
    runMainWindow([] {
        makePage();
        viewY = -184;
        refreshPage();
        const CanvasCell at = cellUnderCanvasPoint(250, 10);
        EXPECT_EQ(at.column, 2);
        EXPECT_EQ(at.day, 3);
        leftClick(250, 10);
        EXPECT_EQ(selectedColumn, 2);
        EXPECT_EQ(selectedDay, 3);
    });
}

TEST_F(Canvas, ARecordForADayTheMonthLacksCannotBeClicked) {
    runMainWindow([] {
        makePage(2, 2023);
        // As a work file might leave it: a record for 30 February.
        cellAt(1, 30).day = 30;
        cellAt(1, 30).column = 1;
        const CanvasCell at = cellUnderCanvasPoint(100, 3 + 92 * 29 + 40);
        EXPECT_EQ(at.column, 0);
        leftClick(100, 3 + 92 * 29 + 40);
        EXPECT_EQ(selectionCount, 0);
    });
}

TEST_F(Canvas, WhileBusyTheButtonsDoNothing) {
    runMainWindow([] {
        makePage();
        busy = 1;
        leftClick(100, 50);
        currentColour = 0x123456;
        rightClick(100, 50);
        busy = 0;
        EXPECT_EQ(selectionCount, 0);
        EXPECT_EQ(currentColour, 0x123456);
    });
}

TEST_F(Canvas, TheRightButtonCapturesTheColourUnderTheMouse) {
    runMainWindow([] {
        DialogDriver driver;
        int shown = 0;
        driver.always([](HWND w) { return windowText(w) == L"Color Captado"; }, [&](HWND d) {
            ++shown;
            pressButton(d, 21004);
        });
        currentColour = 0;
        rightClick(500, 300);
        EXPECT_EQ(currentColour, 0xFFFFFF);  // the blank canvas
        makePage();
        cellAt(1, 2).backColour = 0x2266AA;
        refreshPage();
        rightClick(200, 3 + 92 + 80);
        EXPECT_EQ(currentColour, 0x2266AA);
        rightClick(2, 50);  // the white margin left of the border
        EXPECT_EQ(currentColour, 0xFFFFFF);
        rightClick(3, 50);  // the border of cell (1, 1)
        EXPECT_EQ(currentColour, 0x000000);
        EXPECT_EQ(shown, 4);
        // The other mode opens the favourites instead.
        rightButtonMode = 2;
        DialogDriver favourites;
        int palettes = 0;
        favourites.expect(L"Tus Colores Favoritos Cargalos y Guardalos", [&](HWND d) {
            ++palettes;
            pressButton(d, favouritesExitId);
        });
        rightClick(200, 100);
        EXPECT_EQ(palettes, 1);
        EXPECT_EQ(shown, 4);
        EXPECT_EQ(busy, 0);
    });
}

}  // namespace
