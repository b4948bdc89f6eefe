// A new page and the edit commands, as a user goes through them: "Nuevo"
// with its lists and its three colour choosers, the selector on the canvas,
// "Copiar", "Pegar" and "Borrar", and the three messages for a missing
// selection. What they did is read from the saved work file, the exported
// image and the canvas on the screen.
#include "driver.h"
#include "expectations.h"

#include "app/menubar.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

constexpr PageColours look{RGB(0, 128, 0), RGB(0, 0, 255), RGB(255, 0, 0)};
constexpr COLORREF yellow = RGB(255, 255, 0);
constexpr COLORREF darkRed = RGB(128, 0, 0);

// The colour of a cell's box on the canvas, scrolled to the top, once it is
// `wanted`, or the last one seen.
COLORREF fillOnCanvas(const Program& program, int column, int day, COLORREF wanted) {
    const Box box = cellBox(column, day);
    return scrollToTop(program) ? colourShown(program.canvas(), box.left + 5, box.top + 86, wanted) : CLR_INVALID;
}

// The records of the work file that the program saves now.
std::vector<WorkRecord> savedCells(const Program& program, const std::wstring& path) {
    if (!startSaving(program, path)) return {};
    return workRecords(waitForNewFile(path));
}

TEST(Editing, NuevoAsksForMonthAndYearAndDrawsThePageInItsColours) {
    Program program;
    ScratchFolder folder(L"nuevo");
    program.command(commandNew);
    HWND dialog = program.waitFor(newPageCaption);
    ASSERT_NE(dialog, nullptr) << program.describe();
    EXPECT_EQ(itemCount(dialog, newPage::monthList), 12);
    EXPECT_EQ(itemText(dialog, newPage::monthList, 0), L"01 - Enero");
    EXPECT_EQ(itemText(dialog, newPage::monthList, 8), L"09 - Septiembre");
    EXPECT_EQ(itemCount(dialog, newPage::yearList), 89);
    EXPECT_EQ(itemText(dialog, newPage::yearList, 0), L"2000");
    EXPECT_EQ(itemText(dialog, newPage::yearList, 88), L"2088");
    EXPECT_EQ(selectedItem(dialog, newPage::monthList), -1);
    EXPECT_EQ(selectedItem(dialog, newPage::yearList), -1);

    press(dialog, newPage::accept);
    const Message refused = program.answer(IDOK);
    EXPECT_EQ(refused.caption, messageCaption);
    EXPECT_EQ(refused.text, L"Elige mes y a\u00f1o ..");
    EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog stays open";

    pickItem(dialog, newPage::monthList, 1);
    pickItem(dialog, newPage::yearList, 24);
    ASSERT_TRUE(chooseThrough(program, dialog, newPage::lineChooser, look.line));
    ASSERT_TRUE(chooseThrough(program, dialog, newPage::weekdayChooser, look.weekday));
    ASSERT_TRUE(chooseThrough(program, dialog, newPage::sundayChooser, look.sunday));
    for (auto [swatch, colour] : {std::pair{newPage::lineSwatch, look.line},
                                  {newPage::weekdaySwatch, look.weekday},
                                  {newPage::sundaySwatch, look.sunday}}) {
        EXPECT_EQ(colourShown(GetDlgItem(dialog, swatch), 5, 5, colour), colour) << "swatch " << swatch;
    }
    press(dialog, newPage::accept);
    ASSERT_TRUE(program.waitUntilGone(dialog));

    EXPECT_EQ(menuItemsEnabled(program, menu::operations, 5), std::vector<bool>(5, true));
    EXPECT_EQ(menuItemsEnabled(program, menu::edit, 3), (std::vector<bool>{true, false, true}))
        << "Pegar waits for a Copiar";
    ASSERT_TRUE(startExport(program, folder / L"febrero 2024.bmp"));
    const BitmapFile page(waitForNewFile(folder / L"febrero 2024.bmp"));
    ASSERT_EQ(page.problem(), "");
    const std::vector<std::string> problems = pageProblems(page, 2, 2024, look);
    EXPECT_TRUE(problems.empty()) << problems.size() << " problems, the first: " << problems.front();
    // What the canvas shows is the top of that page.
    ASSERT_TRUE(scrollToTop(program));
    EXPECT_EQ(differencesFromPage(program.canvas(), page), 0);
    EXPECT_TRUE(program.close());
}

TEST(Editing, TheSelectorCopiarPegarAndBorrarWorkOnTheSelectedCell) {
    Program program;
    ScratchFolder folder(L"edicion");
    ASSERT_TRUE(makeNewPage(program, 2, 2024, &look));
    // A cell with text and colours of its own, to be copied.
    HWND text = openTextDialog(program, 1, 5);
    ASSERT_NE(text, nullptr);
    typeText(text, textDialog::text, L"Cumplea\u00f1os de Ana");
    ASSERT_TRUE(chooseThrough(program, text, textDialog::backChooser, yellow));
    ASSERT_TRUE(chooseThrough(program, text, textDialog::inkChooser, darkRed));
    press(text, textDialog::accept);
    ASSERT_TRUE(program.waitUntilGone(text));
    program.command(commandSelector);

    // A click selects a cell; a click on another clears the selection
    // without selecting it; the next click selects.
    program.clickCell(1, 5);
    EXPECT_EQ(fillOnCanvas(program, 1, 5, selectedFill), selectedFill);
    program.clickCell(3, 4);
    EXPECT_EQ(fillOnCanvas(program, 1, 5, yellow), yellow);
    EXPECT_EQ(fillOnCanvas(program, 3, 4, white), white);
    program.clickCell(1, 5);
    // The export shows the selection as it is drawn: no free text.
    ASSERT_TRUE(startExport(program, folder / L"seleccion.bmp"));
    const BitmapFile selected(waitForNewFile(folder / L"seleccion.bmp"));
    const std::vector<std::string> problems = cellProblems(selected, 1, 5, selectedLook(look, false));
    EXPECT_TRUE(problems.empty()) << problems.front();
    EXPECT_TRUE(textInk(selected, 1, 5, darkRed).empty());

    program.command(commandCopy);
    EXPECT_EQ(fillOnCanvas(program, 1, 5, yellow), yellow) << "Copiar ends the selection";
    EXPECT_EQ(menuItemsEnabled(program, menu::edit, 3), std::vector<bool>(3, true));
    program.clickCell(3, 4);
    program.command(commandPaste);
    program.clickCell(2, 20);
    program.command(commandPaste);
    std::vector<WorkRecord> cells = savedCells(program, folder / L"pegado.ZANOR");
    ASSERT_EQ(cells.size(), 29u + 31 + 30 + 31);
    EXPECT_EQ(cellOf(cells, 1, 5).text, "Cumplea\xF1os de Ana");
    EXPECT_EQ(cellOf(cells, 1, 5).back, yellow);
    EXPECT_TRUE(cellOf(cells, 3, 4).sameCell(cellOf(cells, 1, 5)));
    EXPECT_TRUE(cellOf(cells, 2, 20).sameCell(cellOf(cells, 1, 5)));
    EXPECT_EQ(cellOf(cells, 2, 20).column, 2);
    EXPECT_EQ(cellOf(cells, 2, 20).day, 20);

    // "Borrar" resets the selected cell alone.
    program.clickCell(3, 4);
    program.command(commandDelete);
    cells = savedCells(program, folder / L"borrado.ZANOR");
    EXPECT_TRUE(isDefaultCell(cellOf(cells, 3, 4)));
    EXPECT_TRUE(cellOf(cells, 2, 20).sameCell(cellOf(cells, 1, 5)));

    // Without a selection each command says so, and nothing changes.
    const std::string before = readBytes(folder / L"borrado.ZANOR");
    for (auto [command, word] :
         {std::pair{commandCopy, L"copiar"}, {commandPaste, L"pegar"}, {commandDelete, L"borrar"}}) {
        program.command(command);
        const Message message = program.answer(IDOK);
        EXPECT_EQ(message.caption, messageCaption);
        EXPECT_EQ(message.text, std::wstring(L"Tienes que seleccionar primero para poder ") + word + L" ...");
        EXPECT_EQ(message.buttons, std::vector<int>{IDOK});
    }
    savedCells(program, folder / L"sin cambios.ZANOR");
    EXPECT_EQ(readBytes(folder / L"sin cambios.ZANOR"), before);
    EXPECT_TRUE(program.close());
}

}  // namespace
}  // namespace e2e
