// The page that the canvas shows and that every export writes is the document
// as it is: after a cancelled "Nuevo" during which the page was scrolled and
// edited, after a save that was cut short, and on a display of 144 dots per
// inch.
#include "driver.h"
#include "expectations.h"

#include <gtest/gtest.h>

#include <iostream>
#include <set>
#include <utility>

using namespace e2e;

static const std::wstring samplePage = L"\"" + besideTests(L"calendario-invierno.ZANOR") + L"\"";

TEST(CurrentPage, ACancelledNuevoLeavesTheDocumentOnTheCanvasAndInTheExport) {
    ScratchFolder folder(L"nuevo cancelado");
    Program program(samplePage);
    const BitmapFile before{written(program, commandExport, folder / L"antes.bmp")};
    ASSERT_EQ(before.bytes.size(), 8700054u) << program.describe();
    // The sample page, not a white one: the fill of "Año Nuevo", below its words.
    ASSERT_EQ(before.at(251 + 240, 88), RGB(250, 214, 214));
    program.command(commandNew);
    HWND dialog = program.waitFor(newPageCaption);
    ASSERT_NE(dialog, nullptr) << program.describe();
    // The dialog has no owner: the canvas and the menu still work meanwhile.
    program.key(VK_HOME), program.wheel(-1), program.key(VK_NEXT);
    program.command(commandDelete);
    EXPECT_EQ(program.answer(IDOK).caption, messageCaption);
    press(dialog, newPage::cancel);
    ASSERT_TRUE(program.waitUntilGone(dialog));
    EXPECT_TRUE(written(program, commandExport, folder / L"despues.bmp") == before.bytes) << "not the page before \"Nuevo\"";
    // A wheel turn (15 pixels) and a page (100) down from the top: the
    // canvas's row y shows the page's row y + 115, once they come to agree.
    int differences = -1;
    pictureShown(program.canvas(), [&](const Picture& shown) {
        differences = 0;
        for (int y = 0; y < shown.height; ++y) for (int x = 0; x < shown.width; ++x)
            differences += shown.at(x, y) != (y + 115 < pageHeight ? before.at(x, y + 115) : RGB(255, 255, 255));
        return differences == 0;
    });
    EXPECT_EQ(differences, 0);
    EXPECT_TRUE(program.close());
}

TEST(InterruptedSave, ASaveEndedAtAnyMomentLeavesTheOldFileOrTheNewOne) {
    ScratchFolder folder(L"grabar cortado");
    const std::wstring path = folder / L"pagina.ZANOR";
    // The sample page saved again is the same file, byte for byte.
    const std::string whole = readBytes(besideTests(L"calendario-invierno.ZANOR")), old = "la p\xE1gina de antes\r\n";
    // Each try ends the program a little later than the last one that left
    // the old file and a little sooner than the last that left the new one:
    // the tries gather around the moment the new file is put in place, and
    // both outcomes must come.
    int oldLeft = 0, newLeft = 0, i = 0;
    for (DWORD delay = 0; i < 16 || (i < 40 && !(oldLeft && newLeft)); ++i) {
        writeBytes(path, old);
        Program program(samplePage);
        ASSERT_TRUE(fileCommand(program, commandSave, path)) << program.describe();
        HWND question = program.waitFor(isMessageBox);
        ASSERT_NE(question, nullptr) << program.describe();
        press(question, IDYES);
        Sleep(delay);
        TerminateProcess(program.process(), 1);
        ASSERT_EQ(WaitForSingleObject(program.process(), patience), WAIT_OBJECT_0);
        const std::string left = readBytes(path);
        oldLeft += left == old, newLeft += left == whole;
        delay = left == old ? delay + 1 + delay / 4 : delay * 3 / 4;
        EXPECT_TRUE(left == old || left == whole) << "try " << i << " left " << left.size() << " bytes";
    }
    std::cout << "grabar cortado: " << i << " intentos, el fichero antiguo " << oldLeft << ", el nuevo " << newLeft << "\n";
    EXPECT_TRUE(oldLeft > 0 && newLeft > 0) << "no try ended the program both before and after the file was put in place";
}

TEST(DisplayScale, At144DotsPerInchThePageAndTheTextDialogAreAsAt96) {
    ScratchFolder folder(L"escala");
    struct Seen { std::string page; std::vector<Picture> labels; };  // the labels of the text dialog
    // The resolution that programs started from now on see, as the display's
    // settings give it. The labels at 96 are taken once two rounds of
    // pictures agree; at 144 the wait is for them to come to be those.
    const auto look = [&folder](DWORD dpi, const Seen* wanted) {
        RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
        Program program(samplePage);
        Seen seen{written(program, commandExport, folder / (std::to_wstring(dpi) + L".bmp")), {}};
        HWND dialog = openTextDialog(program, 1, 25);
        // Check boxes, radio buttons and combo boxes draw their marks in the
        // display's scale; the labels are the program's own, once drawn.
        const auto inked = [](const Picture& p) { return std::set(p.pixels.begin(), p.pixels.end()).size() > 1; };
        waitUntil([&] {
            std::vector<Picture> again;
            for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
                if (wchar_t name[8] = {}; GetClassNameW(child, name, 8) && name == std::wstring(L"Static") && !windowText(child).empty())
                    again.push_back(pictureShown(child, inked));
            return wanted ? (seen.labels = again) == wanted->labels : std::exchange(seen.labels, again) == again;
        });
        return seen;  // and the program ends with its dialog open
    };
    const Seen at96 = look(96, nullptr), at144 = look(144, &at96);
    const DWORD usual = 96;
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &usual, sizeof usual);
    ASSERT_EQ(at96.page.size(), 8700054u);
    EXPECT_TRUE(at144.page == at96.page) << "the page depends on the display's resolution";
    // The labels show as whole as at 96 dots per inch.
    ASSERT_EQ(at96.labels.size(), 4u);
    EXPECT_TRUE(at144.labels == at96.labels) << "the text dialog's labels depend on the display's resolution";
}
