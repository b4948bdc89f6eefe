// The items of "Extras": the exports wait for a page, "Deshacer" and
// "Rehacer" for a step to take back or bring back, and a new step ends what
// could be brought back.
#include "support.h"

static void command(int id) { SendMessageW(mainWindow, WM_COMMAND, id, 0); }

TEST(Extras, ItemsAreGreyedExactlyWhenThereIsNothingForThemToDo) {
    runMainWindow([] {
        const auto items = [] {
            std::string shown;
            for (int id : {commandUndo, commandRedo, commandExportPng, commandExportPdf})
                shown += GetMenuState(menuBar, id, MF_BYCOMMAND) & MF_GRAYED ? '-' : 'x';
            return shown;
        };
        MessageBoxAnswerer boxes(IDOK);
        EXPECT_EQ(items(), "----");
        DialogDriver driver;
        driver.on(captioned(L"Nuevo za-nor"), [](HWND dialog) {
            pickListItem(dialog, 1003, 0);
            pickListItem(dialog, 1004, 25);
            pressButton(dialog, 1016);
        });
        command(commandNew);
        EXPECT_EQ(items(), "--xx") << "the first page is the floor";
        assignField(cellAt(1, 5).text, "Cumple");
        selectCell(1, 5);
        command(commandDelete);
        EXPECT_EQ(items(), "x-xx");
        command(commandUndo);
        EXPECT_EQ(items(), "-xxx");
        command(commandRedo);
        EXPECT_EQ(items(), "x-xx");
        command(commandUndo);
        selectCell(1, 5);
        command(commandDelete);
        EXPECT_EQ(items(), "x-xx") << "a new step leaves nothing to redo";
        EXPECT_EQ(boxes.texts, std::vector<std::wstring>{});
    });
}
