// "Deshacer" and "Rehacer" as a user goes through them: every step of a page
// taken back down to the first page and brought back again, each time read
// from the work file saved then. (Whether the items are greyed is read
// in-process: this Wine cannot read another program's menus.)
#include "driver.h"

#include "app/menubar.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

TEST(Undo, DeshacerAndRehacerWalkEveryStepBackAndForth) {
    Program program;
    ScratchFolder folder(L"deshacer");
    int saves = 0;
    const auto save = [&] {
        const std::wstring path = folder / (std::to_wstring(++saves) + L".ZANOR");
        return startSaving(program, path) ? waitForNewFile(path) : std::string{};
    };
    ASSERT_TRUE(makeNewPage(program, 2, 2024));
    std::vector<std::string> forward{save()};
    const std::string firstExport = startExport(program, folder / L"1.bmp") ? waitForNewFile(folder / L"1.bmp") : "";

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
    program.command(commandUndo);
    EXPECT_EQ(save(), forward[0]) << "at the floor Deshacer does nothing";
    EXPECT_EQ(startExport(program, folder / L"2.bmp") ? waitForNewFile(folder / L"2.bmp") : "", firstExport);
    for (int step = 1; step <= 5; ++step) {
        program.command(commandRedo);
        EXPECT_EQ(save(), forward[step]) << "redone to step " << step;
    }
    EXPECT_TRUE(program.close());
}

}  // namespace
}  // namespace e2e
