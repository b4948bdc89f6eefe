// The file dialogs as the commands open them: where they start, what they
// propose, what they remember, and that a cancel writes nothing.
#include "support.h"

#include "app/mainwindow.h"
#include "app/menubar.h"
#include "calendar/document.h"
#include "calendar/monthlayout.h"
#include "calendar/render.h"
#include "files/bitmapexport.h"
#include "files/filedialogs.h"
#include "files/workfile.h"

#include <commdlg.h>
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {




// What a file dialog showed when it opened.
struct Seen {
    int dialogs = 0;
    std::wstring caption;
    std::wstring folder;  // the folder it started in
    std::wstring name;    // the proposed file name
};

std::wstring folderShown(HWND dialog) {
    wchar_t folder[MAX_PATH] = {};
    SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder));
    return folder;
}

// Runs a menu command; its file dialog is looked at, then given `choice`
// (a cancel when empty).
Seen runCommand(int command, const std::wstring& choice) {
    Seen seen;
    DialogDriver driver;
    driver.always(isFileDialog, [&](HWND d) {
        ++seen.dialogs;
        seen.caption = windowText(d);
        seen.folder = folderShown(d);
        seen.name = windowText(fileNameField(d));
        if (choice.empty()) {
            PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
        } else {
            SetWindowTextW(fileNameField(d), choice.c_str());
            PostMessageW(d, WM_COMMAND, IDOK, 0);
        }
    });
    SendMessageW(mainWindow, WM_COMMAND, command, 0);
    return seen;
}

std::wstring currentFolder() {
    wchar_t folder[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, folder);
    return folder;
}

std::wstring withoutTrailingSlash(std::wstring folder) {
    if (folder.size() > 3 && folder.back() == L'\\') folder.pop_back();
    return folder;
}

void makePage() {
    resetAllCells();
    firstMonth = 5;
    firstYear = 2024;
    refreshPage();
    enablePageCommands();
}

class FileDialogs : public ::testing::Test {
protected:
    void TearDown() override {
        restoreSnapshot(DocumentSnapshot{});
        workFilePath.clear();
        exportPath.clear();
        lastFolder.clear();
    }
};

TEST(PathParts, FolderAndFileNameSplitAtTheLastBackslashOrColon) {
    EXPECT_EQ(folderPart(L"C:\\datos\\mes.ZANOR"), L"C:\\datos\\");
    EXPECT_EQ(fileNamePart(L"C:\\datos\\mes.ZANOR"), L"mes.ZANOR");
    EXPECT_EQ(folderPart(L"C:mes.ZANOR"), L"C:");
    EXPECT_EQ(fileNamePart(L"C:mes.ZANOR"), L"mes.ZANOR");
    EXPECT_EQ(folderPart(L"mes.ZANOR"), L"");
    EXPECT_EQ(fileNamePart(L"mes.ZANOR"), L"mes.ZANOR");
    EXPECT_EQ(folderPart(L"C:\\datos\\"), L"C:\\datos\\");
    EXPECT_EQ(fileNamePart(L"C:\\datos\\"), L"");
    EXPECT_EQ(folderPart(L""), L"");
    EXPECT_EQ(fileNamePart(L""), L"");
    const std::wstring at260 = L"C:\\" + std::wstring(251, L'a') + L"\\b.bmp";
    ASSERT_EQ(at260.size(), 260u);
    EXPECT_EQ(folderPart(at260), at260.substr(0, 255));
    EXPECT_EQ(fileNamePart(at260), L"b.bmp");
    const std::wstring over = L"C:\\" + std::wstring(252, L'a') + L"\\b.bmp";
    EXPECT_EQ(folderPart(over), L"");
    EXPECT_EQ(fileNamePart(over), L"");
}

TEST_F(FileDialogs, OpeningAWorkFileFromAFolderMakesTheExportStartThere) {
    ScratchFolder a(L"carpeta A");
    ScratchFolder b(L"carpeta B");
    runMainWindow([&] {
        makePage();
        const std::wstring work = a / L"trabajo.ZANOR";
        workFilePath = work;
        saveWorkFile();
        lastFolder.clear();

        const Seen open = runCommand(commandOpen, work);
        EXPECT_EQ(open.dialogs, 1);
        EXPECT_EQ(open.folder, withoutTrailingSlash(currentFolder())) << "work-file dialogs start in the current folder";
        EXPECT_EQ(open.name, L"");
        EXPECT_EQ(workFilePath, work);
        EXPECT_EQ(lastFolder, a.path() + L"\\");

        const std::wstring picture = b / L"p\xE1gina.bmp";
        const Seen first = runCommand(commandExport, picture);
        EXPECT_EQ(first.dialogs, 1);
        EXPECT_EQ(first.caption, L"Navegador de ficheros para bitmap");
        EXPECT_EQ(first.folder, a.path());
        EXPECT_EQ(first.name, L"");
        EXPECT_EQ(exportPath, picture);
        EXPECT_EQ(lastFolder, b.path() + L"\\");
        EXPECT_EQ(b.names(), std::vector<std::wstring>{L"p\xE1gina.bmp"});

        // The second export proposes the first one's name, in its folder.
        const Seen second = runCommand(commandExport, L"");
        EXPECT_EQ(second.folder, b.path());
        EXPECT_EQ(second.name, L"p\xE1gina.bmp");
        EXPECT_EQ(busy, 0);
    });
}

TEST_F(FileDialogs, AfterAnExportGrabarStartsInTheCurrentFolder) {
    ScratchFolder b(L"carpeta B");
    runMainWindow([&] {
        makePage();
        runCommand(commandExport, b / L"foto.bmp");
        ASSERT_EQ(lastFolder, b.path() + L"\\");
        const Seen save = runCommand(commandSave, L"");
        EXPECT_EQ(save.dialogs, 1);
        EXPECT_EQ(save.folder, withoutTrailingSlash(currentFolder()));
        EXPECT_EQ(save.name, L"");
        EXPECT_EQ(lastFolder, L"") << "a cancel forgets the folder";
        EXPECT_EQ(b.names(), std::vector<std::wstring>{L"foto.bmp"});
    });
}

TEST_F(FileDialogs, ACancelledExportWritesNothingAndTheNextOneProposesNothing) {
    ScratchFolder b(L"carpeta B");
    runMainWindow([&] {
        makePage();
        runCommand(commandExport, b / L"primera.bmp");
        ASSERT_EQ(b.names().size(), 1u);
        DeleteFileW((b / L"primera.bmp").c_str());

        const Seen cancelled = runCommand(commandExport, L"");
        EXPECT_EQ(cancelled.name, L"primera.bmp");
        EXPECT_TRUE(exportPath.empty());
        EXPECT_TRUE(lastFolder.empty());
        EXPECT_TRUE(b.names().empty()) << "a cancel writes nothing";

        const Seen next = runCommand(commandExport, L"");
        EXPECT_EQ(next.name, L"");
        EXPECT_EQ(next.folder, withoutTrailingSlash(currentFolder()));
        EXPECT_TRUE(b.names().empty());
        EXPECT_EQ(busy, 0);
    });
}

TEST_F(FileDialogs, TheWorkFileDialogsOfferTheirFilter) {
    runMainWindow([] {
        makePage();
        for (int command : {commandOpen, commandSave}) {
            DialogDriver driver;
            std::wstring filter;
            driver.always(isFileDialog, [&](HWND d) {
                // The file-type list (cmb1) shows the one filter.
                HWND types = GetDlgItem(d, 0x470);
                if (types) filter = windowText(types);
                PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
            });
            SendMessageW(mainWindow, WM_COMMAND, command, 0);
            EXPECT_EQ(filter, L"Tervalonde") << command;
        }
    });
}

}  // namespace
