// Writes that fail part way, whatever byte they stop at: a work file saved, a
// page exported and the favourite colours archived. The old file stays byte
// for byte (or, without one, no file appears), no temporary file is left
// beside it, and the user is told once.
#include "support.h"

#include "editing/colourdialogs.h"
#include "platform/files.h"

static void archiveFavourites() {
    DialogDriver driver;
    driver.on(captioned(L"Tus Colores Favoritos Cargalos y Guardalos"), [](HWND dialog) {
        pressButton(dialog, favouritesArchiveId);
        pressButton(dialog, favouritesExitId);
    });
    showFavouriteColoursDialog();
}

TEST(FailedWrites, KeepTheOldFileLeaveNoTemporaryFileAndGiveOneMessage) {
    const ScratchFolder folder(L"escrituras");
    const std::wstring favourites = favouritesFilePath();
    const std::string keptFavourites = readBytes(favourites);
    workFilePath = folder / L"obra.ZANOR";
    exportPath = folder / L"foto.bmp";
    const std::pair<std::wstring, void (*)()> writers[] = {
        {workFilePath, saveWorkFile}, {exportPath, exportBitmap}, {favourites, archiveFavourites}};
    runMainWindow([&] {
        buildSamplePage();
        refreshPage();
        for (const auto& [path, write] : writers) {
            SCOPED_TRACE(std::string(path.begin(), path.end()));
            DeleteFileW(path.c_str());
            MessageBoxAnswerer boxes(IDOK);
            write();
            const std::string whole = readBytes(path);
            ASSERT_GT(whole.size(), 54u);
            // Another file that reads as well: the same records in another order.
            const std::string old = whole.substr(whole.size() / 2) + whole.substr(0, whole.size() / 2);
            for (uint64_t at : {uint64_t{0}, uint64_t{1}, uint64_t{54}, whole.size() / 2, whole.size() - 1}) {
                for (bool hadFile : {true, false}) {
                    SCOPED_TRACE(testing::Message() << "failing at byte " << at << (hadFile ? " over" : " without")
                                                    << " an old file");
                    if (hadFile) writeBytes(path, old);
                    else DeleteFileW(path.c_str());
                    boxes.texts.clear();
                    failWritesAfter(at, ERROR_DISK_FULL);
                    write();
                    stopFailingWrites();
                    EXPECT_EQ(boxes.texts, std::vector<std::wstring>{L"Err:  61 Disk full"});
                    EXPECT_EQ(pathExists(path), hadFile);
                    EXPECT_TRUE(!hadFile || readBytes(path) == old);
                    for (const std::wstring& name : ScratchFolder::namesIn(path.substr(0, path.rfind(L'\\'))))
                        EXPECT_NE(name.rfind(L"~zanor", 0), 0u) << "a temporary file is left";
                }
            }
            // An old file marked read-only is replaced all the same; a picture is not.
            writeBytes(path, old);
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
            write();
            EXPECT_EQ(readBytes(path) == whole, path != exportPath);
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        }
    });
    DeleteFileW(favourites.c_str());
    if (!keptFavourites.empty()) writeBytes(favourites, keptFavourites);
}
