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





uint32_t le32(const std::string& b, std::size_t at) {
    return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

uint16_t le16(const std::string& b, std::size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}

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

TEST_F(Export, TheFileHasItsHeadersAndEveryPixelOfThePageBottomUp) {
    drawJanuaryPage();
    exportPath = folder / L"enero.bmp";
    MessageBoxAnswerer answer(IDOK);
    exportBitmap();
    EXPECT_EQ(answer.count(), 0);
    const std::string bmp = readBytes(exportPath);
    ASSERT_EQ(bmp.size(), 8700054u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(le32(bmp, 2), 8700054u);
    EXPECT_EQ(le16(bmp, 6), 0u);
    EXPECT_EQ(le16(bmp, 8), 0u);
    EXPECT_EQ(le32(bmp, 10), 54u);
    EXPECT_EQ(le32(bmp, 14), 40u);
    EXPECT_EQ(le32(bmp, 18), 1000u);
    EXPECT_EQ(le32(bmp, 22), 2900u);
    EXPECT_EQ(le16(bmp, 26), 1u);
    EXPECT_EQ(le16(bmp, 28), 24u);
    for (std::size_t at : {30u, 34u, 38u, 42u, 46u, 50u}) EXPECT_EQ(le32(bmp, at), 0u) << at;

    // A cell border, a Sunday number, the yellow of the 10th, the margins.
    EXPECT_EQ(filePixel(bmp, 3, 3 + 45), green);
    EXPECT_EQ(filePixel(bmp, 3 + 200, 3 + 9 * rowPitch + 85), 0x00FFFF);
    EXPECT_EQ(filePixel(bmp, 0, 0), white);
    EXPECT_EQ(filePixel(bmp, 999, 1500), white);
    EXPECT_EQ(filePixel(bmp, 500, 2899), white);
    const int sundayTop = 3 + 6 * rowPitch;
    int sundayInk = 0;
    for (int y = sundayTop + 1; y < sundayTop + 40; ++y)
        for (int x = 5; x < 40; ++x) {
            if (filePixel(bmp, x, y) == red) {
                ++sundayInk;
                EXPECT_EQ(pageBitmap.pixel(x, y), red);
            }
        }
    EXPECT_GT(sundayInk, 10);

    // Every pixel as the page image holds it.
    int different = 0;
    for (int y = 0; y < pageHeight; ++y)
        for (int x = 0; x < pageWidth; ++x) different += filePixel(bmp, x, y) != pageBitmap.pixel(x, y);
    EXPECT_EQ(different, 0);

    // A copy for a reader that is not this program (scripts/test asks for it).
    const std::wstring sample = environmentValue(L"ZANOR_EXPORT_SAMPLE");
    if (!sample.empty()) CopyFileW(exportPath.c_str(), sample.c_str(), FALSE);
}

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

TEST_F(Export, ThePageIsWrittenAsLastDrawnWithItsSelection) {
    drawJanuaryPage();
    selectCell(2, 3);
    refreshPage();
    // Changed but not drawn again: the file shows what was drawn.
    cellAt(1, 10).backColour = 0x0000FF;
    exportPath = folder / L"seleccion.bmp";
    exportBitmap();
    const std::string bmp = readBytes(exportPath);
    ASSERT_EQ(bmp.size(), 8700054u);
    const int x = 3 + columnPitch + 200;
    const int y = 3 + 2 * rowPitch + 85;
    EXPECT_EQ(filePixel(bmp, x, y), selectedFill);
    EXPECT_EQ(filePixel(bmp, 3 + 200, 3 + 9 * rowPitch + 85), 0x00FFFF);
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

TEST_F(Export, AReadOnlyImageIsNotOverwritten) {
    drawJanuaryPage();
    exportPath = folder / L"protegida.bmp";
    writeBytes(exportPath, "imagen protegida");
    ASSERT_TRUE(SetFileAttributesW(exportPath.c_str(), FILE_ATTRIBUTE_READONLY));
    MessageBoxAnswerer answer(IDOK);
    exportBitmap();
    EXPECT_EQ(answer.count(), 1);
    EXPECT_EQ(answer.text(), L"Err:  70 Permission denied");
    EXPECT_EQ(readBytes(exportPath), "imagen protegida");
    EXPECT_EQ(folder.names().size(), 1u);
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

TEST_F(Export, FotocopiaWritesTheWholePageToTheChosenFile) {
    runMainWindow([this] {
        drawJanuaryPage();
        enablePageCommands();
        // The canvas shows only a part; the file holds the whole page.
        viewY = -2300;
        refreshPage();
        const std::wstring path = folder / L"fotocopia.bmp";
        DialogDriver driver;
        int dialogs = 0;
        driver.always(
            [](HWND w) { return GetDlgItem(w, 0xFFFF) == nullptr && windowText(w) == L"Navegador de ficheros para bitmap"; },
            [&](HWND d) {
                ++dialogs;
                HWND field = GetDlgItem(d, 0x47C);
                if (!field) field = GetDlgItem(d, 0x480);
                SetWindowTextW(field, path.c_str());
                PostMessageW(d, WM_COMMAND, IDOK, 0);
            });
        SendMessageW(mainWindow, WM_COMMAND, commandExport, 0);
        EXPECT_EQ(dialogs, 1);
        EXPECT_EQ(busy, 0);
        const std::string bmp = readBytes(path);
        ASSERT_EQ(bmp.size(), 8700054u);
        EXPECT_EQ(filePixel(bmp, 3, 48), green);
        EXPECT_EQ(filePixel(bmp, 3, 3 + 30 * rowPitch + 45), green);  // January 31st
    });
}

}  // namespace
