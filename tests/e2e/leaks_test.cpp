// The same round of use, over and over, in one running program: every dialog
// opened and closed (with the colour chooser, the file dialogs and the
// messages), the page made, edited, selected, copied, pasted, cleared,
// scrolled, redrawn, saved, opened and exported three ways, a step undone and
// redone, and the keys of the scroll and the day cursor given to the canvas.
// Once two rounds have warmed the program up, its GDI and USER objects must
// stay where they are: anything that a round leaks, even one object, shows
// once for every round.
#include "driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

using namespace e2e;

constexpr int rounds = 6, warmUp = 2;

static void useEverything(const Program& program, const ScratchFolder& folder, int round) {
    ASSERT_TRUE(makeNewPage(program, 1 + round, 2024));
    for (int button : {textDialog::accept, textDialog::cancel}) {
        HWND text = openTextDialog(program, 1, 3);
        ASSERT_NE(text, nullptr) << program.describe();
        typeText(text, textDialog::text, L"Una vuelta con un texto largo y justificado");
        pickItem(text, textDialog::fontList, 1), pickItem(text, textDialog::sizeList, 8);
        press(text, textDialog::bold), press(text, textDialog::alignJustified);
        ASSERT_TRUE(button == textDialog::cancel || chooseColour(program, RGB(9, 99, 9), text, textDialog::inkChooser));
        press(text, button);
        ASSERT_TRUE(program.waitUntilGone(text));
    }
    program.command(commandSelector);
    for (auto [command, column, day] : {std::tuple{commandCopy, 1, 3}, {commandPaste, 4, 20}, {commandDelete, 4, 20}}) {
        program.clickCell(column, day);
        program.command(command);
    }
    program.command(commandDelete);
    program.answer(IDOK);
    // The scroll keys, and the day cursor's: moved, and Enter twice to select and clear.
    for (int key : {VK_END, VK_UP, VK_NEXT, VK_PRIOR, VK_HOME, VK_MULTIPLY, VK_ESCAPE, VK_TAB, VK_RIGHT, VK_LEFT, VK_RETURN,
                    VK_RETURN})
        program.key(key);
    program.wheel(-2), program.wheel(1);
    for (auto [mode, caption] : {std::pair{commandCaptureColour, L"Color Captado"},
                                 {commandFavouriteColours, L"Tus Colores Favoritos Cargalos y Guardalos"}}) {
        program.command(mode);
        // The right button, or the context-menu key on the cursor's day.
        round % 2 ? program.key(VK_APPS) : mouseClick(program.canvas(), 500, 300, true);
        HWND dialog = program.waitFor(caption);
        ASSERT_NE(dialog, nullptr) << program.describe();
        if (mode == commandFavouriteColours) {
            mouseClick(GetDlgItem(dialog, favourites::palette), 15 + 25 * round, 40);
            ASSERT_TRUE(chooseColour(program, RGB(9, 99, 9))) << program.describe();
            press(dialog, favourites::archive);
            program.answer(IDOK);
        }
        press(dialog, mode == commandFavouriteColours ? favourites::leave : captured::accept);
        ASSERT_TRUE(program.waitUntilGone(dialog));
    }
    // The same files every round, so that the file dialogs show the same.
    const std::wstring work = folder / L"vuelta.ZANOR";
    const FileStamp saved = stampOf(work);
    ASSERT_TRUE(fileCommand(program, commandSave, work));
    if (saved.exists) program.answer(IDYES);
    ASSERT_FALSE(waitForNewFile(work, saved).empty());
    ASSERT_TRUE(fileCommand(program, commandOpen, work));
    // The three exports (the PDF draws the page again, at twice its size), and a step back and forth.
    for (auto [id, suffix] : {std::pair{commandExport, L".bmp"}, {commandExportPng, L".png"}, {commandExportPdf, L".pdf"}}) {
        ASSERT_FALSE(written(program, id, work + suffix).empty()) << program.describe();
        DeleteFileW((work + suffix).c_str());
    }
    program.command(commandUndo), program.command(commandRedo);
    ASSERT_TRUE(program.alone()) << program.describe();
}

// The least of a few counts taken a moment apart: what the program holds for
// good, without what it holds only for a while (drawing while it is idle).
static GuiObjects steadyCount(const Program& program) {
    GuiObjects least = countGuiObjects(program);
    for (int look = 0; look < 4 && program.settle(); ++look) {
        const GuiObjects now = countGuiObjects(program);
        least = {std::min(least.gdi, now.gdi), std::min(least.user, now.user)};
    }
    return least;
}

TEST(Leaks, RoundsOfEveryDialogAndEveryPagePathLeaveTheGuiObjectsWhereTheyWere) {
    DeleteFileW((Program::folder() + L"\\Mis Colores.log").c_str());
    Program program;
    ScratchFolder folder(L"vueltas");
    GuiObjects warm;
    for (int round = 0; round < rounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        ASSERT_NO_FATAL_FAILURE(useEverything(program, folder, round));
        if (round == warmUp - 1) warm = steadyCount(program);
    }
    const GuiObjects last = steadyCount(program);
    std::printf("leaks: warmed up GDI %ld, USER %ld; %d rounds later GDI %ld, USER %ld\n", warm.gdi, warm.user,
                rounds - warmUp, last.gdi, last.user);
    ASSERT_TRUE(warm.gdi > 0 && warm.user > 0);
    // Wine now and then keeps one object more for good; the slack is less
    // than one object a round.
    EXPECT_LE(last.gdi, warm.gdi + rounds - warmUp - 1);
    EXPECT_LE(last.user, warm.user + rounds - warmUp - 1);
    EXPECT_TRUE(program.close());
}
