// What "Deshacer" and "Rehacer" take back and bring back when the page changes
// while a dialog is open (the menu stays usable meanwhile): each "Pegar" or
// "Borrar" is a step of its own and ends what could be brought back, except in
// "Nuevo za-nor", whose step holds it.
#include "support.h"

#include "files/workfilecodec.h"

static void command(int id) { SendMessageW(mainWindow, WM_COMMAND, id, 0); }
static void click(UINT button, int column, int day) {
    const CellBox box = cellBox(column, day);
    SendMessageW(canvasWindow(), button, 0, MAKELPARAM(box.x + 123, box.y + 45 + viewY));
}
static bool greyed(int id) { return GetMenuState(menuBar, id, MF_BYCOMMAND) & MF_GRAYED; }

TEST(Steps, EveryChangeMadeWhileADialogIsOpenIsAStepOfItsOwnOrPartOfNuevos) {
    const struct { const wchar_t* caption; int closer; void (*open)(); } dialogs[] = {
        {L"Propiedades Texto", 10270, [] { command(commandEditCell), click(WM_LBUTTONDOWN, 4, 7); }},
        {L"Autor", 1017, [] { command(commandAbout); }},
        {L"Color Captado", 21004, [] { command(commandCaptureColour), click(WM_RBUTTONDOWN, 4, 5); }},
        {L"Tus Colores Favoritos Cargalos y Guardalos", favouritesExitId,
         [] { command(commandFavouriteColours), click(WM_RBUTTONDOWN, 4, 5); }},
        {L"Nuevo za-nor", 1016, [] { command(commandNew); }},  // accepted: the same month and year again
    };
    runMainWindow([&] {
        buildSamplePage();
        viewY = -184;  // 5, 6 and 7 March shown
        refreshPage();
        enablePageCommands();
        for (const auto& dialog : dialogs) {
            for (int change : {commandPaste, commandDelete}) {
                SCOPED_TRACE(testing::Message() << std::string(dialog.caption, dialog.caption + wcslen(dialog.caption))
                                                << (change == commandPaste ? ": Pegar" : ": Borrar"));
                // A step to bring back: 6 March, given a text, cleared and
                // given it back. Then 5 March copied and 6 March selected.
                assignField(cellAt(4, 6).text, "otra");
                command(commandSelector);
                click(WM_LBUTTONDOWN, 4, 6);
                command(commandDelete);
                command(commandUndo);
                ASSERT_FALSE(greyed(commandRedo));
                click(WM_LBUTTONDOWN, 4, 5);
                command(commandCopy);
                click(WM_LBUTTONDOWN, 4, 6);
                const std::string before = encodeWorkFile();
                DialogDriver driver;
                driver.on(captioned(dialog.caption), [&](HWND open) {
                    command(change);
                    pressButton(open, dialog.closer);
                });
                dialog.open();
                const std::string after = encodeWorkFile();
                EXPECT_NE(after, before) << "nothing changed";
                EXPECT_TRUE(greyed(commandRedo)) << "the change left something to bring back";
                command(commandUndo);
                EXPECT_TRUE(encodeWorkFile() == before) << "not undone to the page before the dialog";
                command(commandRedo);
                EXPECT_TRUE(encodeWorkFile() == after) << "not redone to the page after the dialog";
            }
        }
    });
}
