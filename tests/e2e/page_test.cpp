// One page as a user works on it, read back from the saved work files, the
// messages and the canvas on the screen: a cell's text and colour; the
// selector with "Copiar", "Pegar" and "Borrar", and their three messages for
// a missing selection; "Grabar" over an existing file answered No and Yes;
// files that "Abrir fichero" refuses, which leave the page as it was; saves
// and exports that fail in a read-only folder and on a full disk, which keep
// the old file byte for byte, leave no temporary file and say "Err: " once.
#include "driver.h"
#include "expectations.h"

#include "app/menubar.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

const wchar_t overwrite[] = L"Fichero Existe ...\r\nSobrescribir ?";

TEST(Page, EditedCopiedSavedAndRefusedAsAUserDoes) {
    Program program;
    ScratchFolder folder(L"pagina");
    auto save = [&](const std::wstring& path) { return startSaving(program, path) ? waitForNewFile(path) : ""; };
    // The program's one message, answered, and nothing after it.
    auto onlyMessage = [&](int button = IDOK) {
        const Message message = program.answer(button);
        EXPECT_TRUE(program.settle() && program.windows() == std::vector<HWND>{program.window()}) << program.describe();
        return message.text;
    };
    ASSERT_TRUE(makeNewPage(program, 2, 2024, nullptr)) << program.describe();
    HWND text = openTextDialog(program, 1, 5);
    ASSERT_NE(text, nullptr) << program.describe();
    typeText(text, textDialog::text, L"Cumplea\u00f1os de Ana");
    ASSERT_TRUE(chooseThrough(program, text, textDialog::backChooser, RGB(255, 255, 0)));
    press(text, textDialog::accept);
    ASSERT_TRUE(program.waitUntilGone(text));

    // Copiar ends the selection, and each Pegar goes to the cell selected
    // then; Borrar resets the selected cell alone.
    program.command(commandSelector);
    for (auto [column, day, command] :
         {std::tuple{1, 5, commandCopy}, {3, 4, commandPaste}, {2, 29, commandPaste}, {3, 4, commandDelete}}) {
        program.clickCell(column, day);
        program.command(command);
    }
    const std::string page = save(folder / L"febrero.ZANOR");
    const std::vector<WorkRecord> cells = workRecords(page);
    ASSERT_EQ(cells.size(), 29u + 31 + 30 + 31);
    EXPECT_EQ(cellOf(cells, 1, 5).text(), "Cumplea\xF1os de Ana");
    EXPECT_TRUE(cellOf(cells, 2, 29).cell == cellOf(cells, 1, 5).cell);
    EXPECT_TRUE(cellOf(cells, 3, 4).cell == cellOf(cells, 4, 1).cell && cellOf(cells, 4, 1).cell != cellOf(cells, 1, 5).cell);
    for (auto [command, word] : {std::pair{commandCopy, L"copiar"}, {commandPaste, L"pegar"}, {commandDelete, L"borrar"}}) {
        program.command(command);
        EXPECT_EQ(onlyMessage(), std::wstring(L"Tienes que seleccionar primero para poder ") + word + L" ...");
    }

    // Over an existing file: No leaves it byte for byte, Yes replaces it.
    const std::wstring other = folder / L"existente.ZANOR";
    writeBytes(other, "no se toca\r\n");
    ASSERT_TRUE(startSaving(program, other));
    EXPECT_EQ(onlyMessage(IDNO), overwrite);
    EXPECT_EQ(readBytes(other), "no se toca\r\n");
    const FileStamp old = stampOf(other);
    ASSERT_TRUE(startSaving(program, other));
    EXPECT_EQ(program.answer(IDYES).text, overwrite);
    EXPECT_TRUE(waitForNewFile(other, old) == page) << "nothing changed without a selection";

    // Lengths of no whole number of records, a first record with month 13 or
    // year 0.
    std::string noMonth = page, noYear = page;
    noMonth[436] = 13;
    noYear[434] = noYear[435] = 0;
    for (const std::string& bytes : {page.substr(0, 445), page + '\0', noMonth, noYear}) {
        writeBytes(folder / L"malo.ZANOR", bytes);
        ASSERT_TRUE(startOpening(program, folder / L"malo.ZANOR"));
        EXPECT_EQ(onlyMessage(), L"Formato de fichero erroneo ...\r\n"
                                 L"Se puede tratar de un fichero de trabajo de una versi\u00f3n anterior ...");
    }
    EXPECT_TRUE(save(folder / L"despues.ZANOR") == page);
    EXPECT_EQ(ScratchFolder::namesIn(folder.path()).size(), 4u) << "no temporary file left";

    const std::wstring readOnly = environmentValue(L"ZANOR_READONLY_DIR"), full = environmentValue(L"ZANOR_FULL_DIR");
    if (!full.empty()) writeBytes(full + L"\\antiguo.ZANOR", "contenido que no debe cambiar\r\n");
    for (const auto& [dir, error] : {std::pair{readOnly, L"Err:  70 Permission denied"}, {full, L"Err:  61 Disk full"}}) {
        if (dir.empty()) continue;  // scripts/test mounts a read-only and a full disk
        SCOPED_TRACE(std::string(dir.begin(), dir.end()));
        const std::string oldBytes = readBytes(dir + L"\\antiguo.ZANOR");
        ASSERT_FALSE(oldBytes.empty()) << "scripts/test leaves antiguo.ZANOR in the read-only folder";
        ASSERT_TRUE(startSaving(program, dir + L"\\nuevo.ZANOR"));
        EXPECT_EQ(onlyMessage(), error);
        ASSERT_TRUE(startSaving(program, dir + L"\\antiguo.ZANOR"));
        EXPECT_EQ(program.answer(IDYES).text, overwrite);
        EXPECT_EQ(onlyMessage(), error);
        ASSERT_TRUE(startExport(program, dir + L"\\foto.bmp"));
        EXPECT_EQ(onlyMessage(), error);
        EXPECT_EQ(readBytes(dir + L"\\antiguo.ZANOR"), oldBytes);
        EXPECT_EQ(ScratchFolder::namesIn(dir), std::vector<std::wstring>{L"antiguo.ZANOR"});
    }
    if (!full.empty()) DeleteFileW((full + L"\\antiguo.ZANOR").c_str());

    EXPECT_TRUE(program.close());
}

}  // namespace
