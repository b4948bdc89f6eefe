// "Deshacer" and "Rehacer" as a user goes through them: every step of a page
// taken back down to the first page and brought back again, each time read
// from the work file saved then, and the menu items greyed while there is
// nothing to undo or redo.
#include "driver.h"

#include "app/menubar.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

constexpr int extrasMenu = 3;

TEST(Undo, DeshacerAndRehacerWalkEveryStepBackAndForth) {
    Program program;
    ScratchFolder folder(L"deshacer");
    int saves = 0;
    const auto save = [&] {
        const std::wstring path = folder / (std::to_wstring(++saves) + L".ZANOR");
        return startSaving(program, path) ? waitForNewFile(path) : std::string{};
    };
    const auto items = [&] { return menuItemsEnabled(program, extrasMenu, 2); };
    ASSERT_TRUE(makeNewPage(program, 2, 2024));
    std::vector<std::string> forward{save()};
    const std::string firstExport = startExport(program, folder / L"1.bmp") ? waitForNewFile(folder / L"1.bmp") : "";
    EXPECT_EQ(items(), (std::vector<bool>{false, false})) << "the first page is the floor";

    HWND text = openTextDialog(program, 1, 5);
    ASSERT_NE(text, nullptr);
    typeText(text, textDialog::text, L"Cumplea\u00f1os");
    press(text, textDialog::accept);
    ASSERT_TRUE(program.waitUntilGone(text));
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

    for (int step = 4; step >= 0; --step) {
        program.command(commandUndo);
        EXPECT_EQ(save(), forward[step]) << "undone to step " << step;
    }
    EXPECT_EQ(items(), (std::vector<bool>{false, true}));
    program.command(commandUndo);
    EXPECT_EQ(save(), forward[0]) << "at the floor Deshacer does nothing";
    EXPECT_EQ(startExport(program, folder / L"2.bmp") ? waitForNewFile(folder / L"2.bmp") : "", firstExport);
    for (int step = 1; step <= 5; ++step) {
        program.command(commandRedo);
        EXPECT_EQ(save(), forward[step]) << "redone to step " << step;
    }
    EXPECT_EQ(items(), (std::vector<bool>{true, false}));

    for (int undo = 0; undo < 2; ++undo) program.command(commandUndo);
    program.clickCell(3, 4);
    program.command(commandDelete);
    EXPECT_EQ(items(), (std::vector<bool>{true, false})) << "a new step leaves nothing to redo";
    EXPECT_TRUE(program.close());
}

}  // namespace
}  // namespace e2e
