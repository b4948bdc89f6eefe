// Writes that fail part way, whatever byte they stop at, and exports whose
// compression finds no memory: a work file saved, a page exported the three
// ways and the favourite colours archived. The old file stays byte for byte
// (or, without one, no file appears), no temporary file is left beside it,
// and the user is told once.
#include "support.h"

#include "editing/colourdialogs.h"
#include "files/imageexport.h"
#include "files/pngwriter.h"

static void archiveFavourites() {
    DialogDriver driver;
    driver.on(captioned(L"Tus Colores Favoritos Cargalos y Guardalos"),
              [](HWND dialog) { pressButton(dialog, favouritesArchiveId), pressButton(dialog, favouritesExitId); });
    showFavouriteColoursDialog();
}

TEST(FailedWrites, KeepTheOldFileLeaveNoTemporaryFileAndGiveOneMessage) {
    const ScratchFolder folder(L"escrituras");
    const std::wstring favourites = favouritesFilePath();
    const KeptFile keptFavourites(favourites);
    // What a run that crashed may have left beside the favourites is no
    // temporary file of this one.
    const std::wstring programFolder = favourites.substr(0, favourites.rfind(L'\\'));
    for (const std::wstring& name : ScratchFolder::namesIn(programFolder))
        if (name.rfind(L"~zanor", 0) == 0) DeleteFileW((programFolder + L"\\" + name).c_str());
    workFilePath = folder / L"obra.ZANOR", exportPath = folder / L"foto.bmp";
    pngExportPath = folder / L"foto.png", pdfExportPath = folder / L"foto.pdf";
    // Pictures made by zlib fail when it does too: without memory (-1 below)
    // and when it reports a failure later (-2).
    const struct { std::wstring path; void (*write)(); bool picture, zlib = false; } writers[] = {
        {workFilePath, saveWorkFile, false}, {exportPath, exportBitmap, true}, {favourites, archiveFavourites, false},
        {pngExportPath, exportPng, true, true}, {pdfExportPath, exportPdf, true, true}};
    runMainWindow([&] {
        buildSamplePage(), refreshPage();
        for (const auto& [path, write, picture, zlib] : writers) {
            SCOPED_TRACE(std::string(path.begin(), path.end()));
            MessageBoxAnswerer boxes(IDOK);
            DeleteFileW(path.c_str()), write();
            const std::string whole = readBytes(path);
            ASSERT_GT(whole.size(), 54u);
            // Another file that reads as well: the same records in another order.
            const std::string old = whole.substr(whole.size() / 2) + whole.substr(0, whole.size() / 2);
            for (int64_t at : {-2LL, -1LL, 0LL, 1LL, 54LL, int64_t(whole.size() / 2), int64_t(whole.size()) - 1}) {
                if (at < 0 && !zlib) continue;
                for (bool hadFile : {true, false}) {
                    SCOPED_TRACE(testing::Message() << "failing at byte " << at << (hadFile ? " over an old file" : ""));
                    hadFile ? writeBytes(path, old) : void(DeleteFileW(path.c_str()));
                    boxes.texts.clear();
                    at < 0 ? failCompressionAt(int(-1 - at)) : failWritesAfter(uint64_t(at), ERROR_DISK_FULL);
                    write(), stopFailingWrites(), failCompressionAt(-1);
                    EXPECT_EQ(boxes.texts, std::vector<std::wstring>{at < 0 ? L"Err:  7 Out of memory" : L"Err:  61 Disk full"});
                    EXPECT_TRUE(pathExists(path) == hadFile && (!hadFile || readBytes(path) == old)) << "the old file lost";
                    for (const std::wstring& name : ScratchFolder::namesIn(path.substr(0, path.rfind(L'\\'))))
                        EXPECT_NE(name.rfind(L"~zanor", 0), 0u) << "a temporary file is left";
                }
            }
            // An old file marked read-only is replaced all the same; a picture is not.
            writeBytes(path, old), SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY), write();
            EXPECT_EQ(readBytes(path) == whole, !picture);
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        }
    });
}

// The same commands as a user gives them, through their file dialogs, onto a
// real read-only disk and a real full one (scripts/test mounts both).
TEST(FailedWrites, OnARealReadOnlyOrFullDiskEachSaveAndExportIsToldAndChangesNothing) {
    const std::wstring readOnly = environmentValue(L"ZANOR_READONLY_DIR"), full = environmentValue(L"ZANOR_FULL_DIR");
    ASSERT_FALSE(readOnly.empty() || full.empty()) << "no test disks: scripts/test mounts them, as root";
    runMainWindow([&] {
        buildSamplePage(), refreshPage(), enablePageCommands();
        for (const auto& [folder, told] : {std::pair{readOnly, L"Err:  70 Permission denied"}, {full, L"Err:  61 Disk full"}}) {
            // "Grabar" over the old work file (answered Yes), the exports to new files.
            for (const auto& [id, name] : {std::pair{commandSave, L"antiguo.ZANOR"}, {commandExport, L"nuevo.bmp"},
                                           {commandExportPng, L"nuevo.png"}, {commandExportPdf, L"nuevo.pdf"}}) {
                SCOPED_TRACE(std::wstring(folder + L"\\" + name).c_str());
                const std::vector<std::wstring> before = ScratchFolder::namesIn(folder);
                const std::string old = readBytes(folder + L"\\antiguo.ZANOR");
                DialogDriver driver;
                driver.on(isFileDialog, [&](HWND dialog) { e2e::chooseFile(dialog, folder + L"\\" + name); });
                MessageBoxAnswerer boxes(IDYES);
                menuCommand(id);
                const std::vector<std::wstring> overwrite{L"Fichero Existe ...\r\nSobrescribir ?", told};
                EXPECT_EQ(boxes.texts, id == commandSave && folder == readOnly ? overwrite : std::vector<std::wstring>{told});
                EXPECT_EQ(ScratchFolder::namesIn(folder), before);
                EXPECT_TRUE(readBytes(folder + L"\\antiguo.ZANOR") == old);
            }
        }
    });
}
