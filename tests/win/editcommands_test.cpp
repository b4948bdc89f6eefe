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

class EditCommands : public ::testing::Test {
protected:
    void TearDown() override {
        restoreSnapshot(DocumentSnapshot{});
        copyColumn = copyDay = pasteColumn = pasteDay = 0;
        currentColour = 0;
    }
};

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

}  // namespace
