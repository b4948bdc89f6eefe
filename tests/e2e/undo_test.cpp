// "Deshacer" and "Rehacer" as a user goes through them: every step of a page
// taken back down to the first page and brought back again, each time read
// from the work file saved then. (Whether the items are greyed is read
// in-process: this Wine cannot read another program's menus.)
#include "driver.h"

#include "app/menubar.h"

#include <gtest/gtest.h>

namespace e2e {

TEST(Undo, DeshacerAndRehacerWalkEveryStepBackAndForth) {
    Program program;
    ScratchFolder folder(L"deshacer");
    auto save = [&, saves = 0]() mutable {
        const std::wstring path = folder / (std::to_wstring(++saves) + L".ZANOR");
        return startSaving(program, path) ? waitForNewFile(path) : std::string{};
    };
    ASSERT_TRUE(makeNewPage(program, 2, 2024));
    std::vector<std::string> forward{save()};
    const std::string firstExport = startExport(program, folder / L"1.bmp") ? waitForNewFile(folder / L"1.bmp") : "";

    HWND text = openTextDialog(program, 1, 5);
    typeText(text, textDialog::text, L"Cumplea\u00f1os");
    press(text, textDialog::accept);
    ASSERT_TRUE(text && program.waitUntilGone(text));
    forward.push_back(save());
    program.command(commandSelector);
    program.clickCell(1, 5);
    program.command(commandCopy);
    program.clickCell(3, 4);
    program.command(commandPaste);
    forward.push_back(save());  // 3.ZANOR, opened below
    program.clickCell(1, 5);
    program.command(commandDelete);
    forward.push_back(save());
    ASSERT_TRUE(makeNewPage(program, 5, 2025));
    forward.push_back(save());
    ASSERT_TRUE(startOpening(program, folder / L"3.ZANOR"));
    forward.push_back(save());

    // Deshacer six times, the last at the floor where it does nothing, and
    // then Rehacer five times.
    const int walk[] = {4, 3, 2, 1, 0, 0, 1, 2, 3, 4, 5};
    for (int i = 0; i < 11; ++i) {
        program.command(i < 6 ? commandUndo : commandRedo);
        EXPECT_EQ(save(), forward[walk[i]]) << (i < 6 ? "undone" : "redone") << " to step " << walk[i];
        if (i == 5) {  // at the floor, the page as it was first
            EXPECT_EQ(startExport(program, folder / L"2.bmp") ? waitForNewFile(folder / L"2.bmp") : "", firstExport);
        }
    }
    EXPECT_TRUE(program.close());
}

}  // namespace e2e
