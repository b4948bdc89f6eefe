// The page that the canvas shows and that every export writes is the document
// as it is: after a cancelled "Nuevo" during which the page was scrolled and
// edited, after a save that was cut short, and on a display of 144 dots per
// inch.
#include "driver.h"
#include "expectations.h"

#include "app/menubar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iostream>
#include <utility>

namespace e2e {
namespace {

std::wstring samplePage() { return L"\"" + besideTests(L"calendario-invierno.ZANOR") + L"\""; }

std::string exported(const Program& program, const std::wstring& path) {
    const FileStamp before = stampOf(path);
    return startExport(program, path) ? waitForNewFile(path, before) : std::string();
}

TEST(CurrentPage, ACancelledNuevoLeavesTheDocumentOnTheCanvasAndInTheExport) {
    ScratchFolder folder(L"nuevo cancelado");
    Program program(samplePage());
    const std::string before = exported(program, folder / L"antes.bmp");
    ASSERT_EQ(before.size(), 8700054u) << program.describe();
    program.command(commandNew);
    HWND dialog = program.waitFor(newPageCaption);
    ASSERT_NE(dialog, nullptr) << program.describe();
    // The dialog has no owner: the canvas and the menu still work meanwhile.
    program.key(VK_HOME);
    program.wheel(-1);
    program.key(VK_NEXT);
    program.command(commandDelete);
    EXPECT_EQ(program.answer(IDOK).caption, messageCaption);
    press(dialog, newPage::cancel);
    ASSERT_TRUE(program.waitUntilGone(dialog));
    const std::string after = exported(program, folder / L"despues.bmp");
    EXPECT_TRUE(after == before) << "the export is not the page as it was before \"Nuevo\"";
    // A wheel turn (15 pixels) and a page (100) down from the top.
    EXPECT_EQ(differencesFromPage(program.canvas(), BitmapFile(before), 115), 0);
    EXPECT_TRUE(program.close());
}

TEST(InterruptedSave, ASaveEndedAtAnyMomentLeavesTheOldFileOrTheNewOne) {
    ScratchFolder folder(L"grabar cortado");
    const std::wstring path = folder / L"pagina.ZANOR";
    std::string whole;
    {
        Program program(samplePage());
        ASSERT_TRUE(startSaving(program, folder / L"entera.ZANOR"));
        whole = waitForNewFile(folder / L"entera.ZANOR");
        EXPECT_TRUE(program.close());
    }
    const std::string old = "la p\xE1gina de antes\r\n";
    constexpr int tries = 30;
    int oldLeft = 0, newLeft = 0;
    for (int i = 0; i < tries; ++i) {
        writeBytes(path, old);
        Program program(samplePage());
        ASSERT_TRUE(startSaving(program, path)) << program.describe();
        HWND question = program.waitFor(isMessageBox);
        ASSERT_NE(question, nullptr) << program.describe();
        press(question, IDYES);
        // The delay is what varies: the process ends before, during and after
        // the save puts its file in place.
        Sleep(static_cast<DWORD>(i) * 2);
        TerminateProcess(program.process(), 1);
        ASSERT_EQ(WaitForSingleObject(program.process(), patience), WAIT_OBJECT_0);
        const std::string left = readBytes(path);
        oldLeft += left == old;
        newLeft += left == whole;
        EXPECT_TRUE(left == old || left == whole) << "try " << i << " left " << left.size() << " bytes";
    }
    std::cout << "grabar cortado: " << tries << " intentos, el fichero antiguo " << oldLeft << ", el nuevo "
              << newLeft << "\n";
}

// The resolution that programs started from now on see, as the display's
// settings give it; 96 again at the end of the scope.
struct DisplayDpi {
    explicit DisplayDpi(DWORD dpi) { set(dpi); }
    ~DisplayDpi() { set(96); }
    static void set(DWORD dpi) {
        RegSetKeyValueW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
    }
};

TEST(DisplayScale, At144DotsPerInchThePageAndTheTextDialogAreAsAt96) {
    ScratchFolder folder(L"escala");
    struct Seen {
        std::string page;
        std::vector<Picture> labels;  // of the text dialog
    };
    const auto look = [&folder](DWORD dpi) {
        const DisplayDpi display(dpi);
        Program program(samplePage());
        Seen seen{exported(program, folder / (std::to_wstring(dpi) + L".bmp")), {}};
        HWND dialog = openTextDialog(program, 1, 25);
        if (!dialog) return seen;
        // Check boxes, radio buttons and combo boxes draw their marks in the
        // display's scale; the labels are the program's own, once drawn.
        const auto inked = [](const Picture& p) {
            return std::adjacent_find(p.pixels.begin(), p.pixels.end(), std::not_equal_to<>()) != p.pixels.end();
        };
        std::vector<HWND> labels;
        for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (wchar_t name[8] = {}; GetClassNameW(child, name, 8) && std::wstring(name) == L"Static" && !windowText(child).empty()) labels.push_back(child);
        waitUntil([&] {  // until two rounds of pictures agree
            std::vector<Picture> again;
            for (HWND label : labels) again.push_back(pictureShown(label, inked));
            return std::exchange(seen.labels, again) == again;
        });
        press(dialog, textDialog::cancel);
        program.waitUntilGone(dialog);
        EXPECT_TRUE(program.close());
        return seen;
    };
    const Seen at96 = look(96);
    const Seen at144 = look(144);
    ASSERT_EQ(at96.page.size(), 8700054u);
    EXPECT_TRUE(at144.page == at96.page) << "the page depends on the display's resolution";
    // The labels show as whole as at 96 dots per inch.
    ASSERT_EQ(at96.labels.size(), 4u);
    EXPECT_TRUE(at144.labels == at96.labels) << "the text dialog's labels depend on the display's resolution";
}

}  // namespace
}  // namespace e2e
