// Writes that fail part way, whatever byte they stop at: a work file saved, a
// page exported and the favourite colours archived. The old file stays byte
// for byte (or, without one, no file appears), no temporary file is left
// beside it, and the user is told once.
#include "support.h"

#include "app/mainwindow.h"
#include "calendar/document.h"
#include "calendar/render.h"
#include "editing/colourdialogs.h"
#include "editing/favourites.h"
#include "examples/samplepage.h"
#include "files/bitmapexport.h"
#include "files/workfile.h"
#include "platform/files.h"

#include <gtest/gtest.h>

namespace {

void archiveFavourites() {
    DialogDriver driver;
    driver.on(captioned(L"Tus Colores Favoritos Cargalos y Guardalos"), [](HWND dialog) {
        pressButton(dialog, favouritesArchiveId);
        pressButton(dialog, favouritesExitId);
    });
    showFavouriteColoursDialog();
}

bool temporaryFileIn(const std::wstring& folder) {
    for (const std::wstring& name : ScratchFolder::namesIn(folder))
        if (name.rfind(L"~zanor", 0) == 0) return true;
    return false;
}

TEST(FailedWrites, KeepTheOldFileLeaveNoTemporaryFileAndGiveOneMessage) {
    const ScratchFolder folder(L"escrituras");
    const std::wstring favourites = favouritesFilePath();
    const std::string keptFavourites = readBytes(favourites);
    const struct {
        std::wstring path;
        void (*write)();
    } writers[] = {
        {folder / L"obra.ZANOR", [] { saveWorkFile(); }},
        {folder / L"foto.bmp", [] { exportBitmap(); }},
        {favourites, archiveFavourites},
    };
    workFilePath = writers[0].path;
    exportPath = writers[1].path;
    runMainWindow([&] {
        buildSamplePage();
        refreshPage();
        for (const auto& writer : writers) {
            SCOPED_TRACE(std::string(writer.path.begin(), writer.path.end()));
            const std::wstring where = writer.path.substr(0, writer.path.rfind(L'\\'));
            DeleteFileW(writer.path.c_str());
            std::string whole;
            {
                MessageBoxAnswerer boxes(IDOK);
                writer.write();
                whole = readBytes(writer.path);
                ASSERT_GT(whole.size(), 54u);
            }
            // Another file that reads as well: the same records in another order.
            const std::string old = whole.substr(whole.size() / 2) + whole.substr(0, whole.size() / 2);
            for (uint64_t at : {uint64_t{0}, uint64_t{1}, uint64_t{54}, whole.size() / 2, whole.size() - 1}) {
                for (bool hadFile : {true, false}) {
                    SCOPED_TRACE(testing::Message() << "failing at byte " << at << (hadFile ? " over" : " without")
                                                    << " an old file");
                    if (hadFile) writeBytes(writer.path, old);
                    else DeleteFileW(writer.path.c_str());
                    MessageBoxAnswerer boxes(IDOK);
                    failWritesAfter(at, ERROR_DISK_FULL);
                    writer.write();
                    stopFailingWrites();
                    EXPECT_EQ(boxes.texts, std::vector<std::wstring>{L"Err:  61 Disk full"});
                    EXPECT_EQ(pathExists(writer.path), hadFile);
                    EXPECT_TRUE(!hadFile || readBytes(writer.path) == old);
                    EXPECT_FALSE(temporaryFileIn(where));
                }
            }
        }
        restoreSnapshot(DocumentSnapshot{});
    });
    DeleteFileW(favourites.c_str());
    if (!keptFavourites.empty()) writeBytes(favourites, keptFavourites);
    workFilePath.clear();
    exportPath.clear();
}

}  // namespace
