// While one of the program's dialogs is open, the menu commands that would
// open another, the canvas's mouse buttons and closing the main window do
// nothing; Escape and Enter never end the program.
#include "support.h"

#include "app/mainwindow.h"
#include "app/menubar.h"
#include "calendar/document.h"
#include "calendar/render.h"
#include "editing/favourites.h"
#include "examples/samplepage.h"

#include <gtest/gtest.h>

namespace {

void click(UINT button) { SendMessageW(canvasWindow(), button, 0, MAKELPARAM(100, 100)); }
void command(int id) { SendMessageW(mainWindow, WM_COMMAND, id, 0); }

TEST(Guards, WhileADialogIsOpenCommandsMouseButtonsAndCloseDoNothing) {
    const struct {
        const wchar_t* caption;
        int closer;
        void (*open)();
    } dialogs[] = {
        {L"Autor", 1017, [] { command(commandAbout); }},
        {L"Nuevo za-nor", 1015, [] { command(commandNew); }},
        {L"Propiedades Texto", 10270, [] { leftButtonMode = 2, click(WM_LBUTTONDOWN); }},
        {L"Color Captado", 21004, [] { rightButtonMode = 1, click(WM_RBUTTONDOWN); }},
        {L"Tus Colores Favoritos Cargalos y Guardalos", favouritesExitId,
         [] { rightButtonMode = 2, click(WM_RBUTTONDOWN); }},
    };
    runMainWindow([&] {
        buildSamplePage();
        viewY = 0;
        refreshPage();
        enablePageCommands();
        for (const auto& dialog : dialogs) {
            SCOPED_TRACE(std::string(dialog.caption, dialog.caption + wcslen(dialog.caption)));
            int opened = 0, others = 0;
            DialogDriver driver;
            driver.on(captioned(dialog.caption), [&](HWND open) {
                ++opened;
                const DocumentSnapshot before = takeSnapshot();
                for (int id : {commandNew, commandExport, commandOpen, commandSave, commandAbout}) command(id);
                leftButtonMode = rightButtonMode = 1;
                click(WM_LBUTTONDOWN);
                click(WM_RBUTTONDOWN);
                SendMessageW(mainWindow, WM_CLOSE, 0, 0);
                EXPECT_TRUE(documentMatches(before));
                EXPECT_TRUE(IsWindowVisible(mainWindow));
                pressButton(open, dialog.closer);
            });
            driver.on([](HWND other) { return other != mainWindow; }, [&](HWND other) {
                ++others;
                if (isFileDialog(other)) PostMessageW(other, WM_COMMAND, IDCANCEL, 0);
                else EndDialog(other, 0);
            });
            dialog.open();
            EXPECT_EQ(opened, 1);
            EXPECT_EQ(others, 0);
            EXPECT_EQ(busy, 0);
        }
        command(IDCANCEL);
        command(IDOK);
        EXPECT_TRUE(IsWindowVisible(mainWindow));
        restoreSnapshot(DocumentSnapshot{});
    });
    EXPECT_FALSE(IsWindow(mainWindow));
}

}  // namespace
