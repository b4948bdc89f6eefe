// "Nuevo" and its dialog "Nuevo za-nor", driven as a user would: lists, swatches,
// the colour chooser, "Aceptar" and "Cancelar".
#include "support.h"

#include "app/mainwindow.h"
#include "app/menubar.h"
#include "calendar/document.h"
#include "calendar/render.h"
#include "editing/colours.h"
#include "platform/surface.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

enum {
    monthList = 1003,
    yearList = 1004,
    lineSwatch = 1006,
    lineDots = 1007,
    weekdayDots = 1009,
    weekdaySwatch = 1010,
    sundayDots = 1013,
    sundaySwatch = 1014,
    cancelButton = 1015,
    acceptButton = 1016,
};

const wchar_t dialogCaption[] = L"Nuevo za-nor";

void chooseNew() { SendMessageW(mainWindow, WM_COMMAND, commandNew, 0); }

bool itemEnabled(int id) {
    return !(GetMenuState(GetMenu(mainWindow), static_cast<UINT>(id), MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
}

void clickSwatch(HWND dialog, int id) {
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, STN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::wstring listItem(HWND dialog, int list, int position) {
    wchar_t text[64] = {};
    SendDlgItemMessageW(dialog, list, CB_GETLBTEXT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(text));
    return text;
}

// A new page for March 2024, accepted through the dialog.
void makeMarch2024Page() {
    DialogDriver driver;
    driver.expect(dialogCaption, [](HWND d) {
        pickListItem(d, monthList, 2);
        pickListItem(d, yearList, 24);
        pressButton(d, acceptButton);
    });
    chooseNew();
    ASSERT_EQ(driver.pending(), 0);
}

std::vector<int32_t> canvasSamples() {
    std::vector<int32_t> samples;
    for (int y = 0; y < 576; y += 5)
        for (int x = 0; x < 1000; x += 5) samples.push_back(surfacePixel(canvasWindow(), x, y));
    return samples;
}

class NewCalendar : public ::testing::Test {
protected:
    void TearDown() override {
        restoreSnapshot(DocumentSnapshot{});
        currentColour = 0;
    }
};

TEST_F(NewCalendar, TheDialogHasItsPlaceSizeListsAndEmptyFields) {
    runMainWindow([] {
        DialogDriver driver;
        driver.expect(dialogCaption, [](HWND d) {
            RECT expected{70, 70, 242, 128};
            MapDialogRect(d, &expected);
            RECT window{};
            GetWindowRect(d, &window);
            RECT client{};
            GetClientRect(d, &client);
            EXPECT_EQ(window.left, expected.left);
            EXPECT_EQ(window.top, expected.top);
            EXPECT_EQ(client.right, expected.right);
            EXPECT_EQ(client.bottom, expected.bottom);
            const LONG_PTR style = GetWindowLongPtrW(d, GWL_STYLE);
            EXPECT_FALSE(style & WS_SYSMENU);
            EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
            EXPECT_EQ(GetWindow(d, GW_OWNER), nullptr);

            ASSERT_EQ(SendDlgItemMessageW(d, monthList, CB_GETCOUNT, 0, 0), 12);
            EXPECT_EQ(listItem(d, monthList, 0), L"01 - Enero");
            EXPECT_EQ(listItem(d, monthList, 8), L"09 - Septiembre");
            EXPECT_EQ(listItem(d, monthList, 11), L"12 - Diciembre");
            ASSERT_EQ(SendDlgItemMessageW(d, yearList, CB_GETCOUNT, 0, 0), 89);
            EXPECT_EQ(listItem(d, yearList, 0), L"2000");
            EXPECT_EQ(listItem(d, yearList, 88), L"2088");
            EXPECT_EQ(windowText(GetDlgItem(d, monthList)), L"");
            EXPECT_EQ(windowText(GetDlgItem(d, yearList)), L"");
            EXPECT_EQ(windowText(GetDlgItem(d, 1011)), L"Color texto fecha (Lunes a Sabado)");
            EXPECT_EQ(windowText(GetDlgItem(d, 1012)), L"Color texto fecha (Solo Domingos)");

            // Escape and Return do nothing.
            SendMessageW(d, WM_COMMAND, IDCANCEL, 0);
            SendMessageW(d, WM_COMMAND, IDOK, 0);
            EXPECT_TRUE(IsWindowVisible(d));
            pressButton(d, cancelButton);
        });
        chooseNew();
        EXPECT_EQ(driver.pending(), 0);
    });
}

TEST_F(NewCalendar, TheLastMonthAndYearOfTheLists) {
    runMainWindow([] {
        DialogDriver driver;
        driver.expect(dialogCaption, [](HWND d) {
            pickListItem(d, monthList, 11);
            pickListItem(d, yearList, 88);
            // A confirmation without a selected item changes nothing.
            pickListItem(d, monthList, -1);
            pickListItem(d, yearList, -1);
            pressButton(d, acceptButton);
        });
        chooseNew();
        EXPECT_EQ(firstMonth, 12);
        EXPECT_EQ(firstYear, 2088);
        EXPECT_EQ(cellAt(2, 31).day, 31);  // January 2089
    });
}

TEST_F(NewCalendar, CancelOnAFirstStartLeavesNoPageAndTheItemsGreyed) {
    runMainWindow([] {
        const std::vector<int32_t> before = canvasSamples();
        DialogDriver driver;
        driver.expect(dialogCaption, [](HWND d) {
            pickListItem(d, monthList, 4);
            pickListItem(d, yearList, 10);
            currentColour = 0x123456;
            clickSwatch(d, lineSwatch);
            EXPECT_EQ(lineColour, 0x123456);
            pressButton(d, cancelButton);
        });
        chooseNew();
        EXPECT_EQ(driver.pending(), 0);
        EXPECT_EQ(firstMonth, 0);
        EXPECT_EQ(firstYear, 0);
        EXPECT_EQ(lineColour, 0);
        EXPECT_FALSE(cellTableExists());
        EXPECT_EQ(canvasSamples(), before);
        for (int id : {commandExport, commandSave, commandCopy, commandPaste, commandDelete})
            EXPECT_FALSE(itemEnabled(id)) << id;
    });
}

TEST_F(NewCalendar, CancelGivesThePageBackAsItWas) {
    runMainWindow([] {
        makeMarch2024Page();
        assignField(cellAt(1, 5).text, "hola");
        cellAt(1, 5).backColour = 0x00FFFF;
        selectCell(2, 3);
        refreshPage();
        const DocumentSnapshot before = takeSnapshot();
        const std::vector<int32_t> canvasBefore = canvasSamples();

        DialogDriver driver;
        driver.expect(dialogCaption, [](HWND d) {
            pickListItem(d, monthList, 6);
            currentColour = 0x00AA00;
            clickSwatch(d, sundaySwatch);
            pressButton(d, cancelButton);
        });
        chooseNew();
        EXPECT_EQ(firstMonth, 3);
        EXPECT_EQ(firstYear, 2024);
        EXPECT_EQ(sundayDateColour, before.sundayDateColour);
        EXPECT_EQ(std::string(cellAt(1, 5).text), "hola");
        EXPECT_EQ(cellAt(1, 5).backColour, 0x00FFFF);
        EXPECT_EQ(cellAt(1, 5).day, 5);
        EXPECT_EQ(cellAt(2, 3).selected, 1);
        EXPECT_EQ(selectionCount, 1);
        EXPECT_EQ(canvasSamples(), canvasBefore);
        for (int id : {commandExport, commandSave, commandCopy, commandDelete}) EXPECT_TRUE(itemEnabled(id)) << id;
    });
}

TEST_F(NewCalendar, ASecondNewPageAcceptedAtOnceKeepsMonthYearAndColours) {
    runMainWindow([] {
        DialogDriver driver;
        driver.expect(dialogCaption, [](HWND d) {
            pickListItem(d, monthList, 10);
            pickListItem(d, yearList, 25);
            currentColour = 0x00CC00;
            clickSwatch(d, sundaySwatch);
            pressButton(d, acceptButton);
        });
        chooseNew();
        assignField(cellAt(1, 1).text, "se borra");

        driver.expect(dialogCaption, [](HWND d) { pressButton(d, acceptButton); });
        chooseNew();
        EXPECT_EQ(driver.pending(), 0);
        EXPECT_EQ(firstMonth, 11);
        EXPECT_EQ(firstYear, 2025);
        EXPECT_EQ(sundayDateColour, 0x00CC00);
        EXPECT_EQ(std::string(cellAt(1, 1).text), "");
        EXPECT_EQ(cellAt(4, 28).day, 28);  // February 2026
        EXPECT_EQ(cellAt(4, 29).day, 0);
        EXPECT_EQ(selectionCount, 0);
    });
}

TEST_F(NewCalendar, SwatchesTakeTheCurrentColourOnlyWhenItIsAColour) {
    runMainWindow([] {
        DialogDriver driver;
        driver.expect(dialogCaption, [](HWND d) {
            EXPECT_EQ(surfacePixel(GetDlgItem(d, sundaySwatch), 5, 5), 0x0000FF);
            currentColour = -1;
            for (int id : {lineSwatch, weekdaySwatch, sundaySwatch}) clickSwatch(d, id);
            EXPECT_EQ(lineColour, 0);
            EXPECT_EQ(weekdayDateColour, 0);
            EXPECT_EQ(sundayDateColour, 0x0000FF);
            EXPECT_EQ(surfacePixel(GetDlgItem(d, sundaySwatch), 5, 5), 0x0000FF);
            currentColour = 0x336699;
            clickSwatch(d, weekdaySwatch);
            EXPECT_EQ(weekdayDateColour, 0x336699);
            EXPECT_EQ(surfacePixel(GetDlgItem(d, weekdaySwatch), 5, 5), 0x336699);
            currentColour = 0;
            clickSwatch(d, sundaySwatch);
            EXPECT_EQ(sundayDateColour, 0);
            pressButton(d, cancelButton);
        });
        chooseNew();
        EXPECT_EQ(driver.pending(), 0);
    });
}

TEST_F(NewCalendar, TheChooserOpensOnGreyBesideTheDialogAndAPickIsKept) {
    runMainWindow([] {
        DialogDriver driver;
        const auto isChooser = [](HWND w) { return GetDlgItem(w, 706) && GetDlgItem(w, 708); };
        int choosers = 0;
        RECT dialogRect{};
        driver.always(isChooser, [&](HWND chooser) {
            ++choosers;
            EXPECT_EQ(windowText(GetDlgItem(chooser, 706)), L"128");
            EXPECT_EQ(windowText(GetDlgItem(chooser, 707)), L"128");
            EXPECT_EQ(windowText(GetDlgItem(chooser, 708)), L"128");
            RECT r{};
            GetWindowRect(chooser, &r);
            EXPECT_EQ(r.left, dialogRect.left + 30);
            EXPECT_EQ(r.top, dialogRect.top + 30);
            if (choosers == 1) {
                const int values[] = {10, 20, 30};
                for (int i = 0; i < 3; ++i) {
                    SetDlgItemInt(chooser, 706 + i, static_cast<UINT>(values[i]), FALSE);
                    SendMessageW(chooser, WM_COMMAND, MAKEWPARAM(706 + i, EN_UPDATE),
                                 reinterpret_cast<LPARAM>(GetDlgItem(chooser, 706 + i)));
                }
                PostMessageW(chooser, WM_COMMAND, IDOK, 0);
            } else {
                PostMessageW(chooser, WM_COMMAND, IDCANCEL, 0);
            }
        });
        driver.expect(dialogCaption, [&](HWND d) {
            GetWindowRect(d, &dialogRect);
            pressButton(d, lineDots);
            EXPECT_EQ(lineColour, 0x1E140A);
            EXPECT_EQ(surfacePixel(GetDlgItem(d, lineSwatch), 5, 5), 0x1E140A);
            // The chooser opens on grey again, and a cancel changes nothing.
            pressButton(d, weekdayDots);
            EXPECT_EQ(weekdayDateColour, 0);
            pressButton(d, cancelButton);
        });
        chooseNew();
        EXPECT_EQ(choosers, 2);
    });
}

TEST_F(NewCalendar, NothingHappensWhileAnotherDialogIsOpen) {
    runMainWindow([] {
        makeMarch2024Page();
        assignField(cellAt(1, 1).text, "sigue");
        int dialogs = 0;
        DialogDriver driver;
        driver.always([](HWND) { return true; }, [&](HWND d) {
            ++dialogs;
            PostMessageW(d, WM_COMMAND, MAKEWPARAM(cancelButton, BN_CLICKED), 0);
        });
        busy = 1;
        chooseNew();
        busy = 0;
        EXPECT_EQ(dialogs, 0);
        EXPECT_EQ(std::string(cellAt(1, 1).text), "sigue");
        EXPECT_EQ(cellAt(1, 1).day, 1);
    });
}

}  // namespace
