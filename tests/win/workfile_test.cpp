// Work files through the real file system: reading files of any length,
// saving over old files, failures that must not lose the old file, the
// "Grabar" and "Abrir fichero" commands, and the work file named on the
// command line of the real program.
#include "support.h"

#include "app/mainwindow.h"
#include "app/menubar.h"
#include "calendar/document.h"
#include "calendar/monthlayout.h"
#include "calendar/render.h"
#include "files/filedialogs.h"
#include "files/workfile.h"
#include "files/workfilecodec.h"
#include "platform/files.h"
#include "platform/surface.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

const wchar_t wrongFormat[] =
    L"Formato de fichero erroneo ...\r\nSe puede tratar de un fichero de trabajo de una versi\u00f3n anterior ...";

// A folder of its own for each test, with blanks in its name, removed with
// everything in it at the end.




// A page of October 2024 (31, 30, 31 and 31 days) with texts and colours,
// drawn so that its cells are stamped.
void makePage() {
    // Outside the main window the images are made here.
    if (!pageBitmap.exists()) pageBitmap.create(pageWidth, pageHeight);
    if (!viewBitmap.exists()) viewBitmap.create(viewWidth, viewHeight);
    resetAllCells();
    firstMonth = 10;
    firstYear = 2024;
    lineColour = 0x00C000;
    weekdayDateColour = 0x303030;
    sundayDateColour = 0x0000FF;
    assignField(cellAt(1, 5).text, "Cumplea\xF1os de Ana");
    cellAt(1, 5).backColour = 0x00FFFF;
    assignField(cellAt(4, 31).text, "Fin de a\xF1o");
    cellAt(4, 31).bold = 1;
    refreshPage();
    enablePageCommands();
}

// Every byte of the document that a work file keeps or that reading changes.
struct DocumentState {
    PageFields page;
    int16_t selectionCount;
    std::vector<std::string> cells;
    bool operator==(const DocumentState& o) const {
        return std::memcmp(&page, &o.page, sizeof page) == 0 && selectionCount == o.selectionCount && cells == o.cells;
    }
};

DocumentState documentState() {
    DocumentState s{documentPageFields(), selectionCount, {}};
    if (!cellTableExists()) return s;
    for (int day = 1; day <= pageDays; ++day) {
        for (int column = 1; column <= pageColumns; ++column) {
            const DayCell& c = cellAt(column, day);
            WorkFileRecord r;
            encodeWorkRecord(c, PageFields{}, r);
            std::string bytes(reinterpret_cast<const char*>(r.bytes.data()), r.bytes.size());
            bytes += std::to_string(c.selected) + "/" + std::to_string(c.pageMonth);
            s.cells.push_back(bytes);
        }
    }
    return s;
}

bool itemEnabled(int id) {
    return !(GetMenuState(GetMenu(mainWindow), static_cast<UINT>(id), MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
}


// Types a name into a file dialog's file-name field and presses OK.
void chooseInFileDialog(HWND dialog, const std::wstring& name) {
    HWND field = fileNameField(dialog);
    ASSERT_NE(field, nullptr);
    SetWindowTextW(field, name.c_str());
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

// Runs a menu command whose file dialog gets `name` (or a cancel when empty).
int runWithFileDialog(int command, const std::wstring& name) {
    DialogDriver driver;
    int dialogs = 0;
    driver.always(isFileDialog, [&](HWND d) {
        ++dialogs;
        if (name.empty()) {
            PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
        } else {
            chooseInFileDialog(d, name);
        }
    });
    SendMessageW(mainWindow, WM_COMMAND, command, 0);
    return dialogs;
}

bool hasTemporaryFiles(const std::wstring& folder) {
    for (const std::wstring& name : ScratchFolder::namesIn(folder))
        if (name.rfind(L"~zanor", 0) == 0) return true;
    return false;
}

class WorkFile : public ::testing::Test {
protected:
    void TearDown() override {
        stopFailingWrites();
        restoreSnapshot(DocumentSnapshot{});
        workFilePath.clear();
        lastFolder.clear();
    }
    ScratchFolder folder;
};

TEST_F(WorkFile, LengthsThatAreNoWholeNumberOfRecordsAreRefusedAndChangeNothing) {
    makePage();
    selectCell(2, 3);
    const DocumentState before = documentState();
    for (std::size_t length : {std::size_t{445}, std::size_t{447}, std::size_t{446 * 3 + 1}}) {
        SCOPED_TRACE(length);
        workFilePath = folder / L"corto.ZANOR";
        writeBytes(workFilePath, std::string(length, '\x01'));
        MessageBoxAnswerer answer(IDOK);
        EXPECT_FALSE(loadWorkFile());
        EXPECT_EQ(answer.count(), 1);
        EXPECT_EQ(answer.caption(), L"Programador");
        EXPECT_EQ(answer.text(), wrongFormat);
        EXPECT_TRUE(documentState() == before);
        EXPECT_EQ(cellAt(2, 3).selected, 1);
    }
}

TEST_F(WorkFile, OneRecordOf446BytesAndAnEmptyFileAreRead) {
    DayCell cell{};
    cell.column = 2;
    cell.day = 14;
    cell.backColour = 0x00ABCDEF;
    assignField(cell.fontName, "Liberation Sans");
    cell.fontSize = 12;
    assignField(cell.text, "San Valent\xEDn");
    cell.alignment = alignCentre;
    WorkFileRecord record;
    encodeWorkRecord(cell, PageFields{1, 2025, 0x0000AA, 0x00BB00, 0x00CC00}, record);
    workFilePath = folder / L"uno.ZANOR";
    writeBytes(workFilePath, std::string(reinterpret_cast<const char*>(record.bytes.data()), 446));

    MessageBoxAnswerer answer(IDOK);
    ASSERT_TRUE(loadWorkFile());
    EXPECT_EQ(answer.count(), 0);
    EXPECT_EQ(firstMonth, 1);
    EXPECT_EQ(firstYear, 2025);
    EXPECT_EQ(lineColour, 0x0000AA);
    EXPECT_EQ(weekdayDateColour, 0x00BB00);
    EXPECT_EQ(sundayDateColour, 0x00CC00);
    EXPECT_EQ(std::string(cellAt(2, 14).text), "San Valent\xEDn");
    EXPECT_EQ(cellAt(2, 14).backColour, 0x00ABCDEF);
    EXPECT_EQ(cellAt(2, 14).alignment, alignCentre);
    EXPECT_EQ(cellAt(1, 1).day, 0);

    // An empty file: no cells, the page fields stay.
    selectCell(2, 14);
    workFilePath = folder / L"vacio.ZANOR";
    writeBytes(workFilePath, "");
    ASSERT_TRUE(loadWorkFile());
    EXPECT_EQ(answer.count(), 0);
    EXPECT_EQ(firstMonth, 1);
    EXPECT_EQ(firstYear, 2025);
    EXPECT_EQ(lineColour, 0x0000AA);
    EXPECT_EQ(cellAt(2, 14).day, 0);
    EXPECT_EQ(std::string(cellAt(2, 14).text), "");
    EXPECT_EQ(cellAt(2, 14).selected, 0);
    EXPECT_EQ(selectionCount, 0);
}

TEST_F(WorkFile, AFirstRecordWithoutAMonthOrYearIsRefusedAsAWrongFormat) {
    makePage();
    const DocumentState before = documentState();
    for (auto [month, year] : {std::pair{0, 2024}, {13, 2024}, {6, 0}, {6, -5}}) {
        DayCell cell{};
        cell.column = 1;
        cell.day = 1;
        WorkFileRecord record;
        encodeWorkRecord(cell, PageFields{static_cast<int16_t>(month), static_cast<int16_t>(year), 0, 0, 0}, record);
        workFilePath = folder / L"raro.ZANOR";
        writeBytes(workFilePath, std::string(reinterpret_cast<const char*>(record.bytes.data()), 446));
        MessageBoxAnswerer answer(IDOK);
        EXPECT_FALSE(loadWorkFile());
        EXPECT_EQ(answer.count(), 1);
        EXPECT_EQ(answer.text(), wrongFormat);
        EXPECT_TRUE(documentState() == before);
    }
}

TEST_F(WorkFile, AFileThatCannotBeReadIsToldAndChangesNothing) {
    makePage();
    const DocumentState before = documentState();
    {
        // A folder exists but is no file.
        workFilePath = folder.path();
        ASSERT_TRUE(fileExists(workFilePath));
        MessageBoxAnswerer answer(IDOK);
        EXPECT_FALSE(loadWorkFile());
        EXPECT_EQ(answer.count(), 1);
        EXPECT_EQ(answer.caption(), L"Programador");
        EXPECT_EQ(answer.text(), L"Err:  75 Path/file access error");
    }
    {
        // Another program holds the file without sharing.
        workFilePath = folder / L"ocupado.ZANOR";
        writeBytes(workFilePath, std::string(446 * 2, '\0'));
        HANDLE held = CreateFileW(workFilePath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        MessageBoxAnswerer answer(IDOK);
        EXPECT_FALSE(loadWorkFile());
        CloseHandle(held);
        EXPECT_EQ(answer.count(), 1);
        EXPECT_EQ(answer.text(), L"Err:  55 File is open");
    }
    EXPECT_TRUE(documentState() == before);
}

TEST_F(WorkFile, APageWithoutCellsSavesAnEmptyFileThatOpensAsAnEmptyPage) {
    resetAllCells();  // never drawn: no cell has a day
    firstMonth = 4;
    firstYear = 2024;
    workFilePath = folder / L"vacia.ZANOR";
    writeBytes(workFilePath, "contenido anterior");
    MessageBoxAnswerer answer(IDOK);
    saveWorkFile();
    EXPECT_EQ(answer.count(), 0);
    ASSERT_TRUE(fileExists(workFilePath));
    EXPECT_EQ(readBytes(workFilePath), "");
    EXPECT_TRUE(loadWorkFile());
    EXPECT_EQ(firstMonth, 4);
}

TEST_F(WorkFile, ASaveInterruptedHalfwayLeavesTheOldFileByteForByte) {
    makePage();
    workFilePath = folder / L"anterior.ZANOR";
    const std::string old = std::string(446 * 5, '\x5A');
    writeBytes(workFilePath, old);
    for (std::uint64_t after : {std::uint64_t{0}, std::uint64_t{61 * 446 + 100}, std::uint64_t{123 * 446 - 1}}) {
        SCOPED_TRACE(after);
        failWritesAfter(after, ERROR_WRITE_FAULT);
        MessageBoxAnswerer answer(IDOK);
        saveWorkFile();
        stopFailingWrites();
        EXPECT_EQ(answer.count(), 1) << "one message for the whole save";
        EXPECT_EQ(answer.caption(), L"Programador");
        EXPECT_EQ(answer.text(), L"Err:  57 Device I/O error");
        EXPECT_EQ(readBytes(workFilePath), old);
        EXPECT_FALSE(hasTemporaryFiles(folder.path()));
        EXPECT_EQ(folder.names().size(), 1u);
    }
    // The same save without the fault replaces it.
    saveWorkFile();
    EXPECT_EQ(readBytes(workFilePath), encodeWorkFile());
}

TEST_F(WorkFile, AnInterruptedSaveToANewNameLeavesNoFile) {
    makePage();
    workFilePath = folder / L"nuevo.ZANOR";
    failWritesAfter(1000, ERROR_DISK_FULL);
    MessageBoxAnswerer answer(IDOK);
    saveWorkFile();
    stopFailingWrites();
    EXPECT_EQ(answer.count(), 1);
    EXPECT_EQ(answer.text(), L"Err:  61 Disk full");
    EXPECT_TRUE(folder.names().empty());
}

TEST_F(WorkFile, SavingOnAFullDiskGivesOneMessageAndKeepsTheOldFile) {
    const std::wstring full = environmentValue(L"ZANOR_FULL_DIR");
    if (full.empty()) GTEST_SKIP() << "ZANOR_FULL_DIR names no small disk (scripts/test mounts one)";
    makePage();
    workFilePath = full + L"\\lleno.ZANOR";
    const std::string old(446, '\x33');
    writeBytes(workFilePath, old);
    ASSERT_EQ(readBytes(workFilePath), old);
    MessageBoxAnswerer answer(IDOK);
    saveWorkFile();
    EXPECT_EQ(answer.count(), 1);
    EXPECT_EQ(answer.text(), L"Err:  61 Disk full");
    EXPECT_EQ(readBytes(workFilePath), old);
    EXPECT_FALSE(hasTemporaryFiles(full));
    DeleteFileW(workFilePath.c_str());
}

TEST_F(WorkFile, GrabarOverAReadOnlyFileAnsweredYesReplacesIt) {
    runMainWindow([this] {
        makePage();
        const std::wstring path = folder / L"solo lectura.ZANOR";
        writeBytes(path, std::string(446, '\x11'));
        ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
        MessageBoxAnswerer answer(IDYES);
        runWithFileDialog(commandSave, path);
        EXPECT_EQ(answer.count(), 1) << "the question and no error";
        EXPECT_EQ(answer.text(), L"Fichero Existe ...\r\nSobrescribir ?");
        EXPECT_EQ(readBytes(path), encodeWorkFile());
        EXPECT_FALSE(hasTemporaryFiles(folder.path()));
    });
}

TEST_F(WorkFile, GrabarCancelledWritesNothing) {
    runMainWindow([this] {
        makePage();
        MessageBoxAnswerer answer(IDYES);
        EXPECT_EQ(runWithFileDialog(commandSave, L""), 1);
        EXPECT_EQ(answer.count(), 0);
        EXPECT_TRUE(workFilePath.empty());
        EXPECT_TRUE(folder.names().empty());
        EXPECT_EQ(busy, 0);
    });
}

TEST_F(WorkFile, AbrirFicheroPutsTheViewHomeRedrawsAndEnablesTheItems) {
    runMainWindow([this] {
        makePage();
        const std::wstring path = folder / L"para abrir.ZANOR";
        workFilePath = path;
        saveWorkFile();
        restoreSnapshot(DocumentSnapshot{});
        for (int id : {commandExport, commandSave, commandCopy, commandDelete}) enableMenuCommand(id, false);
        clearBitmap(pageBitmap);
        // The user had scrolled and selected.
        viewY = homeScrollY - 5 * rowPitch;
        selectionCount = 2;

        MessageBoxAnswerer answer(IDOK);
        EXPECT_EQ(runWithFileDialog(commandOpen, path), 1);
        EXPECT_EQ(answer.count(), 0);
        EXPECT_EQ(firstMonth, 10);
        EXPECT_EQ(firstYear, 2024);
        EXPECT_EQ(std::string(cellAt(1, 5).text), "Cumplea\xF1os de Ana");
        EXPECT_EQ(selectionCount, 0);
        EXPECT_EQ(viewY, homeScrollY);
        EXPECT_EQ(viewRecs[1].viewX, 0);
        EXPECT_EQ(viewRecs[1].width, 1000);
        EXPECT_EQ(viewRecs[1].height, 4577);
        for (int id : {commandExport, commandSave, commandCopy, commandDelete}) EXPECT_TRUE(itemEnabled(id)) << id;
        EXPECT_FALSE(itemEnabled(commandPaste));
        // Drawn: the border of the first cell, the yellow of the 5th of October.
        completePage();
        EXPECT_EQ(pageBitmap.pixel(3, 3 + 45), 0x00C000);
        EXPECT_EQ(pageBitmap.pixel(3 + 200, 3 + 4 * rowPitch + 85), 0x00FFFF);
        // The canvas shows the row of the home day at its top.
        const int homeRow = 3 + 45 - homeScrollY;
        EXPECT_EQ(pageBitmap.pixel(3, homeRow), 0x00C000);
        EXPECT_EQ(viewBitmap.pixel(3, 48), 0x00C000);
        EXPECT_EQ(surfacePixel(canvasWindow(), 3, 48), 0x00C000);
        EXPECT_EQ(busy, 0);
    });
}

TEST_F(WorkFile, AbrirFicheroCancelledChangesNothing) {
    runMainWindow([] {
        makePage();
        const DocumentState before = documentState();
        MessageBoxAnswerer answer(IDOK);
        EXPECT_EQ(runWithFileDialog(commandOpen, L""), 1);
        EXPECT_EQ(answer.count(), 0);
        EXPECT_TRUE(documentState() == before);
        EXPECT_TRUE(workFilePath.empty());
    });
}

}  // namespace
