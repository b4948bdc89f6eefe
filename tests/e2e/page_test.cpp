// One page as a user works on it, read back from the saved work files, the
// messages and the canvas on the screen: a cell's text and colour; the
// selector with "Copiar", "Pegar" and "Borrar", and their three messages for
// a missing selection; files that "Abrir fichero" refuses, which leave the
// page as it was; and "Deshacer" and "Rehacer" over every step, down to the
// first page and back, each step read from the work file saved then (whether
// their items are greyed is read in-process: this Wine cannot read another
// program's menus). (Writes that fail on the read-only and the full disk are
// the in-process failed writes' to check: every file goes through the same
// safe write.)
#include "driver.h"
#include "expectations.h"

#include <gtest/gtest.h>

using namespace e2e;

TEST(Page, EditedCopiedRefusedUndoneAndRedoneAsAUserDoes) {
    Program program;
    ScratchFolder folder(L"pagina");
    // Every step of the page is saved in a file of its own, numbered.
    auto save = [&, n = 0]() mutable { return written(program, commandSave, folder / (std::to_wstring(++n) + L".ZANOR")); };
    // The program's one message, answered, and nothing after it.
    auto onlyMessage = [&] {
        const std::wstring text = program.answer(IDOK).text;
        EXPECT_TRUE(program.alone()) << program.describe();
        return text;
    };
    ASSERT_TRUE(makeNewPage(program, 2, 2024)) << program.describe();
    std::vector<std::string> steps{save()};
    const std::string firstExport = written(program, commandExport, folder / L"1.bmp");
    HWND text = openTextDialog(program, 1, 5);
    ASSERT_NE(text, nullptr) << program.describe();
    typeText(text, textDialog::text, L"Cumplea\u00f1os de Ana");
    press(text, textDialog::bold), press(text, textDialog::alignJustified);
    ASSERT_TRUE(chooseColour(program, RGB(255, 255, 0), text, textDialog::backChooser));
    press(text, textDialog::accept);
    ASSERT_TRUE(program.waitUntilGone(text));
    steps.push_back(save());

    // Copiar ends the selection, and each Pegar goes to the cell selected
    // then; Borrar resets the selected cell alone.
    program.command(commandSelector);
    for (auto [column, day, command] :
         {std::tuple{1, 5, commandCopy}, {3, 4, commandPaste}, {2, 29, commandPaste}, {3, 4, commandDelete}}) {
        program.clickCell(column, day);
        program.command(command);
        if (command != commandCopy) steps.push_back(save());
    }
    const std::string page = steps.back();  // 5.ZANOR
    const std::vector<WorkRecord> cells = workRecords(page);
    ASSERT_EQ(cells.size(), 29u + 31 + 30 + 31);
    EXPECT_EQ(cellOf(cells, 1, 5).text(), "Cumplea\xF1os de Ana");
    // Yellow behind, bold and nothing else, justified (134): bytes 0, 110 and 404 of the cell's part.
    const std::string& edited = cellOf(cells, 1, 5).cell;
    EXPECT_EQ(edited.substr(0, 4) + edited.substr(110, 20) + edited.substr(404, 2),
              std::string("\xFF\xFF\0\0\1", 5) + std::string(19, '\0') + std::string("\x86\0", 2));
    EXPECT_TRUE(cellOf(cells, 2, 29).cell == edited);
    EXPECT_TRUE(cellOf(cells, 3, 4).cell == cellOf(cells, 4, 1).cell && cellOf(cells, 4, 1).cell != edited);
    for (auto [command, word] : {std::pair{commandCopy, L"copiar"}, {commandPaste, L"pegar"}, {commandDelete, L"borrar"}}) {
        program.command(command);
        EXPECT_EQ(onlyMessage(), std::wstring(L"Tienes que seleccionar primero para poder ") + word + L" ...");
    }

    // Lengths of no whole number of records, a first record with month 13 or
    // year 0: refused, and the page (and its steps) as they were.
    std::string noMonth = page, noYear = page;
    noMonth[436] = 13, noYear[434] = noYear[435] = 0;
    for (const std::string& bytes : {page.substr(0, 445), page + '\0', noMonth, noYear}) {
        writeBytes(folder / L"malo.ZANOR", bytes);
        ASSERT_TRUE(fileCommand(program, commandOpen, folder / L"malo.ZANOR"));
        EXPECT_EQ(onlyMessage(), L"Formato de fichero erroneo ...\r\n"
                                 L"Se puede tratar de un fichero de trabajo de una versi\u00f3n anterior ...");
    }
    ASSERT_TRUE(makeNewPage(program, 5, 2025));
    steps.push_back(save());
    ASSERT_TRUE(fileCommand(program, commandOpen, folder / L"3.ZANOR"));
    steps.push_back(save());

    // "Deshacer" seven times, the last at the first page, where it does
    // nothing, then "Rehacer" six times: each time the page is the one saved
    // at that step on the way forward. At the first page the export is what
    // the first export showed.
    const int walk[] = {5, 4, 3, 2, 1, 0, 0, 1, 2, 3, 4, 5, 6};
    for (int i = 0; i < 13; ++i) {
        program.command(i < 7 ? commandUndo : commandRedo);
        EXPECT_EQ(save(), steps[walk[i]]) << (i < 7 ? "undone" : "redone") << " to step " << walk[i];
        if (i == 6) { EXPECT_EQ(written(program, commandExport, folder / L"2.bmp"), firstExport); }
    }
    for (const std::wstring& name : ScratchFolder::namesIn(folder.path())) EXPECT_NE(name[0], L'~') << "a temporary file left";
    EXPECT_TRUE(program.close());
}
