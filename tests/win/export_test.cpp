// "Fotocopia": the bitmap file, its headers and pixels against the page image
// as last drawn, and failures that must not leave a broken image behind.
#include "support.h"

#include "app/mainwindow.h"
#include "app/menubar.h"
#include "calendar/document.h"
#include "calendar/monthlayout.h"
#include "calendar/render.h"
#include "files/bitmapexport.h"
#include "files/filedialogs.h"
#include "platform/files.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int32_t green = 0x0000C000;
constexpr int32_t red = 0x000000FF;
constexpr int32_t white = 0x00FFFFFF;
constexpr int32_t selectedFill = 0x008B0000;

// The colour (0x00BBGGRR) of pixel (x, y) of a 1000 x 2900 bottom-up 24-bit
// file.
int32_t filePixel(const std::string& bmp, int x, int y) {
    const std::size_t at = 54 + static_cast<std::size_t>(2899 - y) * 3000 + static_cast<std::size_t>(x) * 3;
    const auto b = static_cast<unsigned char>(bmp[at]);
    const auto g = static_cast<unsigned char>(bmp[at + 1]);
    const auto r = static_cast<unsigned char>(bmp[at + 2]);
    return static_cast<int32_t>(b << 16 | g << 8 | r);
}

// January 2024 with a yellow 10th and a text: the 7th is a Sunday.
void drawJanuaryPage() {
    if (!pageBitmap.exists()) pageBitmap.create(pageWidth, pageHeight);
    if (!viewBitmap.exists()) viewBitmap.create(viewWidth, viewHeight);
    resetAllCells();
    firstMonth = 1;
    firstYear = 2024;
    lineColour = green;
    weekdayDateColour = 0;
    sundayDateColour = red;
    cellAt(1, 10).backColour = 0x00FFFF;
    assignField(cellAt(2, 3).text, "Texto de prueba");
    refreshPage();
}

class Export : public ::testing::Test {
protected:
    void TearDown() override {
        stopFailingWrites();
        restoreSnapshot(DocumentSnapshot{});
        exportPath.clear();
        lastFolder.clear();
    }
    ScratchFolder folder;
};

TEST_F(Export, ALongerOldFileIsReplacedByExactlyTheImage) {
    drawJanuaryPage();
    exportPath = folder / L"larga.bmp";
    writeBytes(exportPath, std::string(9000000, '\x7E'));
    exportBitmap();
    const std::string bmp = readBytes(exportPath);
    ASSERT_EQ(bmp.size(), 8700054u);
    EXPECT_EQ(filePixel(bmp, 3, 48), green);
    EXPECT_EQ(folder.names().size(), 1u);
}

TEST_F(Export, ThePageIsWrittenAsTheDocumentIsWithItsSelection) {
    drawJanuaryPage();
    selectCell(2, 3);
    refreshPage();
    // Changed but not drawn again: the file shows the document as it is.
    cellAt(1, 10).backColour = 0x0000FF;
    exportPath = folder / L"seleccion.bmp";
    exportBitmap();
    const std::string bmp = readBytes(exportPath);
    ASSERT_EQ(bmp.size(), 8700054u);
    const int x = 3 + columnPitch + 200;
    const int y = 3 + 2 * rowPitch + 85;
    EXPECT_EQ(filePixel(bmp, x, y), selectedFill);
    EXPECT_EQ(filePixel(bmp, 3 + 200, 3 + 9 * rowPitch + 85), 0x0000FF);
}

TEST_F(Export, AFailedWriteIsToldAndLeavesTheOldImage) {
    drawJanuaryPage();
    exportPath = folder / L"anterior.bmp";
    const std::string old(5000, '\x42');
    writeBytes(exportPath, old);
    failWritesAfter(4000000, ERROR_WRITE_FAULT);
    MessageBoxAnswerer answer(IDOK);
    exportBitmap();
    stopFailingWrites();
    EXPECT_EQ(answer.count(), 1);
    EXPECT_EQ(answer.caption(), L"Programador");
    EXPECT_EQ(answer.text(), L"Err:  57 Device I/O error");
    EXPECT_EQ(readBytes(exportPath), old);
    EXPECT_EQ(folder.names(), std::vector<std::wstring>{L"anterior.bmp"});
}

TEST_F(Export, AFullDiskIsToldAndLeavesNothingBehind) {
    const std::wstring full = environmentValue(L"ZANOR_FULL_DIR");
    if (full.empty()) GTEST_SKIP() << "ZANOR_FULL_DIR names no small disk (scripts/test mounts one)";
    drawJanuaryPage();
    exportPath = full + L"\\grande.bmp";
    MessageBoxAnswerer answer(IDOK);
    exportBitmap();
    EXPECT_EQ(answer.count(), 1);
    EXPECT_EQ(answer.text(), L"Err:  61 Disk full");
    EXPECT_TRUE(ScratchFolder::namesIn(full).empty());
}

}  // namespace
