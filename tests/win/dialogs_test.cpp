// The program's dialogs as the main window runs them. While one is open, the
// menu commands that would open another, "Deshacer", "Rehacer", the canvas's
// mouse buttons and closing the main window do nothing (and Escape and Enter
// never end the program), but the menu stays usable: each "Pegar" or "Borrar"
// given then is a step of its own that ends what could be brought back,
// except in "Nuevo za-nor", whose step holds it. ("Nuevo" cancelled is
// checked end to end, on the canvas and in the export.)
#include "calendar/history.h"
#include "support.h"

static bool greyed(int id) { return GetMenuState(menuBar, id, MF_BYCOMMAND) & MF_GRAYED; }

TEST(Dialogs, WhileOneIsOpenOnlyPegarAndBorrarWorkEachAStepOfItsOwnOrPartOfNuevos) {
    const struct { const wchar_t* caption; int closer; void (*open)(); } dialogs[] = {
        {L"Propiedades Texto", 10270, [] { menuCommand(commandEditCell), clickDay(4, 7); }},
        {L"Autor", 1017, [] { menuCommand(commandAbout); }},
        {L"Color Captado", 21004, [] { menuCommand(commandCaptureColour), clickDay(4, 5, WM_RBUTTONDOWN); }},
        {L"Tus Colores Favoritos Cargalos y Guardalos", favouritesExitId,
         [] { menuCommand(commandFavouriteColours), clickDay(4, 5, WM_RBUTTONDOWN); }},
        {L"Nuevo za-nor", 1016, [] { menuCommand(commandNew); }},  // accepted: the same month and year again
    };
    runMainWindow([&] {
        buildSamplePage(), viewY = -184, refreshPage(), enablePageCommands();  // 5, 6 and 7 March shown
        for (const auto& dialog : dialogs)
            for (int change : {commandPaste, commandDelete}) {
                SCOPED_TRACE(testing::Message() << dialog.closer << (change == commandPaste ? ": Pegar" : ": Borrar"));
                // A step to bring back: 6 March, given a text, cleared and
                // given it back. Then 5 March copied and 6 March selected.
                assignField(cellAt(4, 6).text, "otra");
                menuCommand(commandSelector), clickDay(4, 6), menuCommand(commandDelete), menuCommand(commandUndo);
                ASSERT_FALSE(greyed(commandRedo));
                clickDay(4, 5), menuCommand(commandCopy), clickDay(4, 6);
                const std::string before = encodeWorkFile();
                const std::size_t steps = pageHistory.undo.size();
                int opened = 0, others = 0;
                DialogDriver driver;
                driver.on(captioned(dialog.caption), [&](HWND open) {
                    ++opened;
                    const DocumentSnapshot shown = takeSnapshot();
                    for (int id : {commandNew, commandExport, commandOpen, commandSave, commandAbout, commandExportPng,
                                   commandExportPdf, commandUndo, commandRedo})
                        menuCommand(id);
                    leftButtonMode = rightButtonMode = 1, clickDay(4, 6), clickDay(4, 6, WM_RBUTTONDOWN);
                    SendMessageW(mainWindow, WM_CLOSE, 0, 0);
                    EXPECT_TRUE(documentMatches(shown) && IsWindowVisible(mainWindow));
                    menuCommand(change), pressButton(open, dialog.closer);
                });
                // Whatever else opens is counted and closed.
                driver.on([](HWND other) { return other != mainWindow; }, [&](HWND d) {
                    ++others, isFileDialog(d) ? void(PostMessageW(d, WM_COMMAND, IDCANCEL, 0)) : void(EndDialog(d, 0));
                });
                dialog.open();
                EXPECT_TRUE(opened == 1 && others == 0 && busy == 0) << opened << " opened, " << others << " others";
                const std::string after = encodeWorkFile();
                EXPECT_NE(after, before) << "nothing changed";
                EXPECT_TRUE(greyed(commandRedo) && pageHistory.undo.size() == steps + 1)
                    << "the change left something to bring back, or was not one step";
                EXPECT_TRUE((menuCommand(commandUndo), encodeWorkFile()) == before) << "not undone to the page before the dialog";
                EXPECT_TRUE((menuCommand(commandRedo), encodeWorkFile()) == after) << "not redone to the page after the dialog";
            }
        menuCommand(IDCANCEL), menuCommand(IDOK);
        EXPECT_TRUE(IsWindowVisible(mainWindow));
    });
    EXPECT_FALSE(IsWindow(mainWindow));
}
