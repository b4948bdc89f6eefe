// Work files as a user keeps them: "Grabar" to a new name and over an
// existing one (answered No and Yes), "Abrir fichero", a work file named on
// the command line, a file of the wrong length, and a folder that cannot be
// written. The files are read through their published record layout.
#include "driver.h"
#include "expectations.h"

#include "app/menubar.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

constexpr PageColours look{RGB(0, 96, 0), RGB(48, 48, 48), RGB(200, 0, 0)};

class WorkFiles : public ::testing::Test {
protected:
    // October 2024 to January 2025 (31, 30, 31 and 31 days), with a text.
    void SetUp() override {
        ASSERT_TRUE(makeNewPage(program, 10, 2024, &look));
        HWND dialog = openTextDialog(program, 2, 15);
        ASSERT_NE(dialog, nullptr) << program.describe();
        typeText(dialog, textDialog::text, L"Reuni\u00f3n");
        press(dialog, textDialog::accept);
        ASSERT_TRUE(program.waitUntilGone(dialog));
    }
    std::string exportPage(const Program& from, const std::wstring& name) {
        if (!startExport(from, folder / name)) return {};
        return waitForNewFile(folder / name);
    }
    Program program;
    ScratchFolder folder{L"ficheros"};
};

TEST_F(WorkFiles, GrabarWritesEveryCellAndAsksBeforeReplacingAFile) {
    const std::wstring path = folder / L"octubre 2024.ZANOR";
    ASSERT_TRUE(startSaving(program, path));
    const std::string saved = waitForNewFile(path);
    ASSERT_TRUE(program.settle()) << "no question for a new name: " << program.describe();
    const std::vector<WorkRecord> records = workRecords(saved);
    ASSERT_EQ(records.size(), 123u);
    // Day by day, and within a day column by column; the page in every record.
    std::size_t i = 0;
    for (int day = 1; day <= 31; ++day)
        for (int column = 1; column <= 4; ++column) {
            const MonthOfYear shown = columnMonth(10, 2024, column);
            if (day > daysInMonth(shown.year, shown.month)) continue;
            ASSERT_LT(i, records.size());
            const WorkRecord& r = records[i++];
            EXPECT_EQ(r.column, column);
            EXPECT_EQ(r.day, day);
            EXPECT_EQ(r.pageMonth, 10);
            EXPECT_EQ(r.pageYear, 2024);
            EXPECT_EQ(r.pageLine, look.line);
            EXPECT_EQ(r.pageWeekday, look.weekday);
            EXPECT_EQ(r.pageSunday, look.sunday);
            EXPECT_EQ(r.text, column == 2 && day == 15 ? "Reuni\xF3n" : "");
        }

    // Over an existing file: No leaves it byte for byte, Yes replaces it.
    const std::wstring other = folder / L"existente.ZANOR";
    writeBytes(other, "no se toca\r\n");
    ASSERT_TRUE(startSaving(program, other));
    const Message asked = program.answer(IDNO);
    EXPECT_EQ(asked.caption, messageCaption);
    EXPECT_EQ(asked.text, L"Fichero Existe ...\r\nSobrescribir ?");
    EXPECT_EQ(asked.buttons, (std::vector<int>{IDYES, IDNO}));
    ASSERT_TRUE(program.settle());
    EXPECT_EQ(readBytes(other), "no se toca\r\n");
    const FileStamp old = stampOf(other);
    ASSERT_TRUE(startSaving(program, other));
    EXPECT_EQ(program.answer(IDYES).text, L"Fichero Existe ...\r\nSobrescribir ?");
    EXPECT_TRUE(waitForNewFile(other, old) == saved);
}

TEST_F(WorkFiles, AbrirFicheroAndTheCommandLineOpenTheSamePage) {
    const std::wstring path = folder / L"para abrir.ZANOR";
    ASSERT_TRUE(startSaving(program, path));
    waitForNewFile(path);
    const std::string page = exportPage(program, L"original.bmp");
    ASSERT_EQ(page.size(), 8700054u);
    {
        Program other;
        ASSERT_TRUE(startOpening(other, path));
        ASSERT_TRUE(other.settle()) << other.describe();
        // The opened page shows at today's row.
        EXPECT_EQ(differencesFromPage(other.canvas(), BitmapFile(page), homeOffset()), 0);
        EXPECT_TRUE(exportPage(other, L"abierto.bmp") == page);
        EXPECT_TRUE(other.close());
    }
    int run = 0;
    for (const std::wstring& tail : {L"\"" + path + L"\"", path}) {
        SCOPED_TRACE(++run);
        Program started(tail);
        ASSERT_NE(started.window(), nullptr);
        ASSERT_TRUE(started.responsive());
        EXPECT_EQ(started.windows(), std::vector<HWND>{started.window()}) << started.describe();
        EXPECT_TRUE(exportPage(started, L"linea " + std::to_wstring(run) + L".bmp") == page);
        EXPECT_TRUE(started.close());
    }
}

TEST_F(WorkFiles, AMissingFileAndAFileOfTheWrongLengthAreRefusedAndChangeNothing) {
    // A missing file in the folder, quoted, and one past MAX_PATH, unquoted:
    // its path is told whole, never cut.
    std::wstring overlong = L"C:\\";
    while (overlong.size() < 400) overlong += L"carpeta muy larga\\";
    overlong += L"fin.ZANOR";
    const std::wstring missing = folder / L"no existe.ZANOR";
    for (const auto& [path, tail] : {std::pair{missing, L"\"" + missing + L"\""}, std::pair{overlong, overlong}}) {
        Program started(tail);
        const Message message = started.answer(IDOK);
        EXPECT_EQ(message.caption, messageCaption);
        EXPECT_EQ(message.text, L"Fichero de trabajo : \r\n" + path + L"\r\nNo Existe ...");
        ASSERT_NE(started.window(), nullptr);
        EXPECT_TRUE(allWhite(pictureShown(started.canvas(), allWhite))) << "no page";
        EXPECT_TRUE(started.close());
    }
    const std::string before = exportPage(program, L"antes.bmp");
    for (std::size_t length : {std::size_t{445}, std::size_t{447}}) {
        const std::wstring wrong = folder / (L"largo " + std::to_wstring(length) + L".ZANOR");
        writeBytes(wrong, std::string(length, '\x01'));
        ASSERT_TRUE(startOpening(program, wrong));
        const Message message = program.answer(IDOK);
        EXPECT_EQ(message.caption, messageCaption);
        EXPECT_EQ(message.text,
                  L"Formato de fichero erroneo ...\r\n"
                  L"Se puede tratar de un fichero de trabajo de una versi\u00f3n anterior ...");
    }
    DeleteFileW((folder / L"antes.bmp").c_str());
    EXPECT_TRUE(exportPage(program, L"antes.bmp") == before) << "the page is as it was";
}

TEST_F(WorkFiles, AFolderThatCannotBeWrittenGivesAnErrorAndKeepsItsFile) {
    const std::wstring readOnly = environmentValue(L"ZANOR_READONLY_DIR");
    if (readOnly.empty()) GTEST_SKIP() << "ZANOR_READONLY_DIR names no read-only folder (scripts/test mounts one)";
    const std::wstring old = readOnly + L"\\antiguo.ZANOR";
    const std::string oldBytes = readBytes(old);
    ASSERT_FALSE(oldBytes.empty()) << "scripts/test leaves antiguo.ZANOR in the read-only folder";
    const wchar_t denied[] = L"Err:  70 Permission denied";

    ASSERT_TRUE(startSaving(program, readOnly + L"\\nuevo.ZANOR"));
    EXPECT_EQ(program.answer(IDOK).text, denied);
    ASSERT_TRUE(startSaving(program, old));
    EXPECT_EQ(program.answer(IDYES).text, L"Fichero Existe ...\r\nSobrescribir ?");
    EXPECT_EQ(program.answer(IDOK).text, denied);
    ASSERT_TRUE(startExport(program, readOnly + L"\\foto.bmp"));
    EXPECT_EQ(program.answer(IDOK).text, denied);
    ASSERT_TRUE(program.settle()) << program.describe();
    EXPECT_EQ(readBytes(old), oldBytes);
    EXPECT_FALSE(fileExists(readOnly + L"\\nuevo.ZANOR"));
    EXPECT_FALSE(fileExists(readOnly + L"\\foto.bmp"));
}

}  // namespace
}  // namespace e2e
