// What the dialogs give back: "Nuevo" cancelled leaves the page as it was,
// and the text typed in "Propiedades Texto" becomes cell text.
#include "support.h"

#include "app/mainwindow.h"
#include "app/menubar.h"
#include "calendar/document.h"
#include "calendar/monthlayout.h"
#include "calendar/render.h"
#include "editing/colours.h"
#include "editing/textdialog.h"
#include "editing/textstate.h"
#include "examples/samplepage.h"
#include "platform/surface.h"

#include <gtest/gtest.h>

namespace {

Pixels canvasPixels() { return pixelsOf(surfaceDC(canvasWindow()), canvasWidth, canvasHeight); }

TEST(Dialogs, NuevoCancelledGivesBackThePageAndItsPicture) {
    runMainWindow([] {
        buildSamplePage();
        selectCell(2, 3);
        viewY = -200;
        refreshPage();
        completePage();
        const DocumentSnapshot before = takeSnapshot();
        const Pixels page = pixelsOf(pageBitmap.dc(), pageWidth, pageHeight);
        const Pixels canvas = canvasPixels();
        int opened = 0;
        DialogDriver driver;
        driver.on(captioned(L"Nuevo za-nor"), [&](HWND dialog) {
            ++opened;
            pickListItem(dialog, 1003, 6);
            pickListItem(dialog, 1004, 30);
            currentColour = 0x00AA00;
            pressButton(dialog, 1014);
            pressButton(dialog, 1015);
        });
        SendMessageW(mainWindow, WM_COMMAND, commandNew, 0);
        EXPECT_EQ(opened, 1);
        EXPECT_TRUE(documentMatches(before));
        EXPECT_EQ(firstDifference(canvasPixels(), canvas, canvasWidth), "");
        refreshPage();
        completePage();
        EXPECT_EQ(firstDifference(pixelsOf(pageBitmap.dc(), pageWidth, pageHeight), page, pageWidth), "");
        restoreSnapshot(DocumentSnapshot{});
        currentColour = 0;
    });
}

TEST(Dialogs, TextTypedInPropiedadesTextoBecomesCellText) {
    const struct {
        std::wstring entered;
        bool typed;  // key by key; else put in the box at once, as a paste would
        std::string stored;
    } cases[] = {
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
        EXPECT_EQ(textAccepted, 1);
        EXPECT_EQ(std::string(textBuffer), c.stored);
    }
    assignField(textBuffer, "");
    textAccepted = 0;
}

}  // namespace
