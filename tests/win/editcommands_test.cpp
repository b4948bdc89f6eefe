// "Copiar", "Pegar", "Borrar" and "Autor" from the menu, and the colour
// capture of the canvas's right button.
#include "support.h"

#include "app/mainwindow.h"
#include "app/menubar.h"
#include "calendar/document.h"
#include "calendar/render.h"
#include "editing/colours.h"
#include "files/aboutdialog.h"
#include "platform/surface.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void command(int id) { SendMessageW(mainWindow, WM_COMMAND, id, 0); }

void makePage() {
    resetAllCells();
    firstMonth = 1;
    firstYear = 2024;
    viewY = 0;
    refreshPage();
    enablePageCommands();
}

void select(int column, int day) {
    clearSelection();
    selectionCount = 0;
    selectCell(column, day);
}

bool itemEnabled(int id) {
    return !(GetMenuState(GetMenu(mainWindow), static_cast<UINT>(id), MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
}

int selectedCells() {
    int n = 0;
    for (int c = 1; c <= 4; ++c)
        for (int d = 1; d <= 31; ++d) n += cellAt(c, d).selected;
    return n;
}

class EditCommands : public ::testing::Test {
protected:
    void TearDown() override {
        restoreSnapshot(DocumentSnapshot{});
        copyColumn = copyDay = pasteColumn = pasteDay = 0;
        currentColour = 0;
    }
};

TEST_F(EditCommands, PasteGivesWhatTheCopiedCellHoldsNow) {
    runMainWindow([] {
        makePage();
        EXPECT_FALSE(itemEnabled(commandPaste));
        select(1, 3);
        command(commandCopy);
        EXPECT_TRUE(itemEnabled(commandPaste));
        EXPECT_EQ(selectionCount, 0);
        EXPECT_EQ(selectedCells(), 0);
        assignField(cellAt(1, 3).text, "cambiado despues");
        cellAt(1, 3).backColour = 0x00CCFF;
        select(2, 5);
        command(commandPaste);
        EXPECT_EQ(std::string(cellAt(2, 5).text), "cambiado despues");
        EXPECT_EQ(cellAt(2, 5).backColour, 0x00CCFF);
        EXPECT_EQ(cellAt(2, 5).day, 5);
        EXPECT_EQ(pasteColumn, 2);
        EXPECT_EQ(pasteDay, 5);
        EXPECT_EQ(selectionCount, 0);
        EXPECT_EQ(selectedCells(), 0);
        // "Pegar" stays: the same cell pastes into a further one, and onto itself.
        EXPECT_TRUE(itemEnabled(commandPaste));
        select(1, 3);
        command(commandPaste);
        EXPECT_EQ(std::string(cellAt(1, 3).text), "cambiado despues");
        EXPECT_EQ(selectedCells(), 0);
        EXPECT_EQ(pageBitmap.pixel(100, 3 + 92 * 2 + 80), 0x00CCFF);
    });
}

TEST_F(EditCommands, AfterANewPageTheCopiedPositionGivesADefaultCell) {
    runMainWindow([] {
        makePage();
        assignField(cellAt(3, 12).text, "viejo");
        select(3, 12);
        command(commandCopy);
        {
            DialogDriver driver;
            driver.expect(L"Nuevo za-nor", [](HWND d) { pressButton(d, 1016); });
            command(commandNew);
        }
        EXPECT_TRUE(itemEnabled(commandPaste));
        assignField(cellAt(1, 1).text, "se pierde");
        select(1, 1);
        command(commandPaste);
        EXPECT_EQ(std::string(cellAt(1, 1).text), "");
        EXPECT_EQ(cellAt(1, 1).backColour, 0xFFFFFF);
    });
}

TEST_F(EditCommands, DeleteResetsOnlyTheSelectedCell) {
    runMainWindow([] {
        makePage();
        for (int day : {7, 8}) {
            assignField(cellAt(2, day).text, "texto");
            cellAt(2, day).bold = 1;
            cellAt(2, day).alignment = alignJustified;
        }
        select(2, 7);
        command(commandDelete);
        EXPECT_EQ(std::string(cellAt(2, 7).text), "");
        EXPECT_EQ(cellAt(2, 7).bold, 0);
        EXPECT_EQ(cellAt(2, 7).alignment, alignLeft);
        EXPECT_STREQ(cellAt(2, 7).fontName, "Times New Roman");
        EXPECT_EQ(cellAt(2, 7).day, 7);
        EXPECT_EQ(std::string(cellAt(2, 8).text), "texto");
        EXPECT_EQ(selectionCount, 0);
        EXPECT_EQ(selectedCells(), 0);
    });
}

TEST_F(EditCommands, WithoutASelectionEachCommandSaysSo) {
    runMainWindow([] {
        makePage();
        cellAt(1, 1).selected = 1;  // a stray mark is cleared all the same
        MessageBoxAnswerer answer(IDOK);
        command(commandDelete);
        EXPECT_EQ(answer.text(), L"Tienes que seleccionar primero para poder borrar ...");
        EXPECT_EQ(answer.caption(), L"Programador");
        EXPECT_EQ(selectedCells(), 0);
        command(commandCopy);
        EXPECT_EQ(answer.text(), L"Tienes que seleccionar primero para poder copiar ...");
        EXPECT_FALSE(itemEnabled(commandPaste));
        command(commandPaste);
        EXPECT_EQ(answer.text(), L"Tienes que seleccionar primero para poder pegar ...");
        EXPECT_EQ(answer.count(), 3);
    });
}

TEST_F(EditCommands, AboutAnimatesSevenFramesAndStartsAgainAtTheFirst) {
    runMainWindow([] {
        DialogDriver driver;
        int opened = 0;
        const auto check = [&](HWND d) {
            ++opened;
            EXPECT_EQ(aboutFrame, 701);
            EXPECT_EQ(windowText(GetDlgItem(d, 1019)), L"Quelmo te da las Gracias por usar este programa.");
            const std::wstring message = windowText(GetDlgItem(d, 1020));
            EXPECT_NE(message.find(L"C++"), std::wstring::npos);
            EXPECT_NE(message.find(L"example.org"), std::wstring::npos);
            EXPECT_EQ(message.substr(message.size() - 12), L"Visítame !!!");
            HICON shown = nullptr;
            for (int tick = 0; tick < 7; ++tick) {
                SendMessageW(d, WM_TIMER, 1021, 0);
                HICON now = reinterpret_cast<HICON>(SendDlgItemMessageW(d, 1018, STM_GETICON, 0, 0));
                EXPECT_NE(now, nullptr);
                EXPECT_NE(now, shown) << "tick " << tick;
                shown = now;
            }
            EXPECT_EQ(aboutFrame, 701);  // after 707 comes 701
            SendMessageW(d, WM_TIMER, 1, 0);  // other timers are not the animation's
            EXPECT_EQ(aboutFrame, 701);
            SendMessageW(d, WM_TIMER, 1021, 0);
            EXPECT_EQ(aboutFrame, 702);
            pressButton(d, 1017);
        };
        driver.expect(L"Autor", check);
        driver.expect(L"Autor", check);
        command(commandAbout);
        command(commandAbout);
        EXPECT_EQ(opened, 2);
        EXPECT_EQ(busy, 0);
        // While another dialog is open, "Autor" does nothing.
        busy = 1;
        command(commandAbout);
        busy = 0;
        EXPECT_EQ(opened, 2);
    });
}

TEST_F(EditCommands, TheCaptureShowsTheColourUnderTheMouse) {
    runMainWindow([] {
        makePage();
        cellAt(1, 2).backColour = 0xFF0000;  // blue
        refreshPage();
        DialogDriver driver;
        std::wstring shown;
        int32_t swatch = -2;
        const auto read = [&](HWND d) {
            shown = windowText(GetDlgItem(d, 21003));
            swatch = surfacePixel(GetDlgItem(d, 21002), 100, 40);
            EXPECT_TRUE(GetWindowLongPtrW(d, GWL_EXSTYLE) & WS_EX_TOPMOST);
            RECT client{};
            GetClientRect(d, &client);
            EXPECT_EQ(client.right, 302);
            EXPECT_EQ(client.bottom, 170);
            pressButton(d, 21004);
        };
        driver.expect(L"Color Captado", read);
        SendMessageW(canvasWindow(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(150, 3 + 92 + 80));
        EXPECT_EQ(shown, L"&&H00FF0000");  // shown as &H00FF0000
        EXPECT_EQ(swatch, 0xFF0000);
        EXPECT_EQ(currentColour, 0xFF0000);
        driver.expect(L"Color Captado", read);
        SendMessageW(canvasWindow(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 50));  // a border
        EXPECT_EQ(shown, L"&&H00000000");
        EXPECT_EQ(currentColour, 0);
        EXPECT_EQ(busy, 0);
    });
}

}  // namespace
