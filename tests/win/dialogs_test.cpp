// The program's dialogs as the main window runs them: while one is open, the
// menu commands that would open another, the canvas's mouse buttons and
// closing the main window do nothing (and Escape and Enter never end the
// program); and the text typed in "Propiedades Texto" becomes cell text.
// ("Nuevo" cancelled is checked end to end, on the canvas and in the export.)
#include "support.h"

#include "editing/textdialog.h"
#include "editing/textstate.h"

static void click(UINT button) { SendMessageW(canvasWindow(), button, 0, MAKELPARAM(100, 100)); }
static void command(int id) { SendMessageW(mainWindow, WM_COMMAND, id, 0); }

TEST(Dialogs, WhileOneIsOpenCommandsMouseButtonsAndCloseDoNothing) {
    const struct { const wchar_t* caption; int closer; void (*open)(); } dialogs[] = {
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
        for (const auto& dialog : dialogs) {
            SCOPED_TRACE(std::string(dialog.caption, dialog.caption + wcslen(dialog.caption)));
            int opened = 0, others = 0;
            DialogDriver driver;
            driver.on(captioned(dialog.caption), [&](HWND open) {
                ++opened;
                const DocumentSnapshot before = takeSnapshot();
                for (int id : {commandNew, commandExport, commandOpen, commandSave, commandAbout, commandExportPng,
                                commandExportPdf, commandUndo, commandRedo})
                    command(id);
                leftButtonMode = rightButtonMode = 1;
                click(WM_LBUTTONDOWN);
                click(WM_RBUTTONDOWN);
                SendMessageW(mainWindow, WM_CLOSE, 0, 0);
                EXPECT_TRUE(documentMatches(before));
                EXPECT_TRUE(IsWindowVisible(mainWindow));
                pressButton(open, dialog.closer);
            });
            // Whatever else opens is counted and closed.
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
    });
    EXPECT_FALSE(IsWindow(mainWindow));
}

TEST(Dialogs, TextTypedInPropiedadesTextoBecomesCellText) {
    // Text typed key by key, or put in the box at once as a paste would.
    const struct { std::wstring entered; bool typed; std::string stored; } cases[] = {
        // The n with tilde and the euro sign are in Windows-1252; a with
        // macron, infinity and a character beyond 16 bits are not.
        {L"A\u00F1o \u20AC5 \u0101\u221E \U0001F600.", false, "A\xF1o \x80" "5 ?? ?."},
        {L"uno\r\ndos\rtres\ncuatro", false, "uno dos tres cuatro"},
        {L"a\nb", true, "a b"},  // Ctrl+Enter
        {std::wstring(300, L'.'), true, std::string(273, '.')},
        {std::wstring(272, L'x') + L"\u0101\u20AC", false, std::string(272, 'x') + "?"},
    };
    for (const auto& c : cases) {
        assignField(textBuffer, "");
        DialogDriver driver;
        driver.on(captioned(L"Propiedades Texto"), [&](HWND dialog) {
            HWND box = GetDlgItem(dialog, 10310);
            if (c.typed)
                for (wchar_t key : c.entered) SendMessageW(box, WM_CHAR, key, 1);
            else SetWindowTextW(box, c.entered.c_str());
            pressButton(dialog, 10280);
        });
        showTextPropertiesDialog();
        EXPECT_EQ(std::string(textBuffer), c.stored);
    }
}
