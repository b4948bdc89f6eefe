// The page refreshed as the program does it, compared pixel for pixel with
// the plain refresh that draws everything every time: on the canvas at every
// scroll position, and in the files written from the page.
#include "support.h"

#include "app/mainwindow.h"
#include "bench/straightpage.h"
#include "calendar/document.h"
#include "calendar/monthlayout.h"
#include "calendar/render.h"
#include "examples/samplepage.h"
#include "files/bitmapexport.h"
#include "files/workfile.h"
#include "platform/surface.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Pixels = std::vector<uint32_t>;

Pixels pixelsOf(HDC source, int width, int height) {
    Image copy;
    copy.create(width, height);
    BitBlt(copy.dc(), 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();
    return Pixels(copy.pixels(), copy.pixels() + static_cast<size_t>(width) * height);
}

Pixels canvasPixels() { return pixelsOf(surfaceDC(canvasWindow()), canvasWidth, canvasHeight); }

// "x,y" of the first pixel where two pictures of the given width differ, or
// an empty text when they are the same.
std::string firstDifference(const Pixels& a, const Pixels& b, int width) {
    if (a.size() != b.size()) return "sizes differ";
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i]) return std::to_string(i % width) + "," + std::to_string(i / width);
    return {};
}

void setText(int column, int day, const std::string& text, const char* face, int size, int alignment) {
    DayCell& cell = cellAt(column, day);
    assignField(cell.text, text);
    assignField(cell.fontName, face);
    cell.fontSize = static_cast<int16_t>(size);
    cell.alignment = static_cast<int16_t>(alignment);
}

// A page whose texts do all that text can: run on below their cells, past the
// last day of a column and off the bottom of the page, stick out of their
// cells sideways, in every alignment and style, around a selected cell.
void buildDemandingPage() {
    buildWorstCasePage();
    const std::string many(200, 'W');
    const std::string words = "Mucho texto que no cabe en la caja y sigue por debajo de ella ";
    setText(1, 3, words + words + words, "Liberation Sans", 26, alignLeft);
    setText(2, 29, words + words, "Liberation Serif", 40, alignCentre);
    setText(3, 31, words + words + words + words, "Liberation Mono", 30, alignRight);
    setText(4, 30, many, "Liberation Sans", 72, alignJustified);
    setText(4, 10, "W", "Liberation Serif", 200, alignRight);
    setText(1, 20, "Izquierda", "Liberation Sans", 12, alignLeft);
    setText(2, 20, "Derecha", "Liberation Sans", 12, alignRight);
    cellAt(3, 20).italic = 1;
    cellAt(3, 20).underline = 1;
    cellAt(4, 20).bold = 1;
    cellAt(4, 20).strikeout = 1;
    cellAt(4, 20).leading = 1;
    cellAt(2, 5).backColour = 0x0000C0FF;
    cellAt(2, 5).fontColour = 0x00800000;
    cellAt(3, 7).selected = 1;
    lineColour = 0x00008000;
    weekdayDateColour = 0x00404040;
    sundayDateColour = 0x000000FF;
}

// Scroll offsets from above the top of the page (an Up step from -15 leaves it
// 77 pixels down the canvas) to below the last Down step (-2388): wheel steps
// down a stretch of the page, then larger jumps both ways.
std::vector<int> scrollOffsets() {
    std::vector<int> offsets{77, 42, 13};
    for (int y = 0; y >= -300; y -= 15) offsets.push_back(y);
    for (int y = -361; y > -2388; y -= 89) offsets.push_back(y);
    for (int y : {-2288, -2300, -2388, -1, -1200}) offsets.push_back(y);
    return offsets;
}

// Canvas pictures after scrolling to each offset in turn with refreshPage,
// and with the plain refresh.
std::vector<Pixels> scrolledPictures(void (*refresh)()) {
    std::vector<Pixels> pictures;
    for (int y : scrollOffsets()) {
        viewY = y;
        refresh();
        pictures.push_back(canvasPixels());
    }
    return pictures;
}

void expectSameScrolling(void (*build)()) {
    runMainWindow([build] {
        build();
        viewY = 0;
        refreshPage();
        const std::vector<Pixels> fast = scrolledPictures(refreshPage);
        const std::vector<Pixels> straight = scrolledPictures(straightRefreshPage);
        const std::vector<int> offsets = scrollOffsets();
        for (size_t i = 0; i < offsets.size(); ++i)
            EXPECT_EQ(firstDifference(fast[i], straight[i], canvasWidth), "") << "viewY " << offsets[i];
        restoreSnapshot(DocumentSnapshot{});
    });
}

TEST(Refresh, ScrollingTheWorstCasePageShowsWhatThePlainRefreshShows) { expectSameScrolling(buildWorstCasePage); }

TEST(Refresh, ScrollingTheSamplePageShowsWhatThePlainRefreshShows) { expectSameScrolling(buildSamplePage); }

TEST(Refresh, ScrollingAPageWithTextRunningOutOfItsCellsShowsWhatThePlainRefreshShows) {
    expectSameScrolling(buildDemandingPage);
}

TEST(Refresh, AScrollMovesThePictureWithoutDrawingThePageAgain) {
    runMainWindow([] {
        buildWorstCasePage();
        viewY = 0;
        refreshPage();
        completePage();
        constexpr COLORREF mark = RGB(255, 0, 255);
        SetPixelV(pageBitmap.dc(), 500, 300, mark);
        viewY = -15;
        refreshPage();
        EXPECT_EQ(surfacePixel(canvasWindow(), 500, 285), static_cast<int32_t>(mark));
        // A change to what is drawn draws the page again.
        selectCell(1, 1);
        refreshPage();
        EXPECT_NE(surfacePixel(canvasWindow(), 500, 285), static_cast<int32_t>(mark));
        restoreSnapshot(DocumentSnapshot{});
    });
}

TEST(Refresh, ThePageIsCompletedWhileTheProgramIsIdle) {
    runMainWindow([] {
        buildDemandingPage();
        viewY = 0;
        refreshPage();
        // The idle drawing runs on a timer: the queue stays quiet once it ends.
        MSG message;
        for (int quiet = 0, turns = 0; quiet < 3 && turns < 1000; ++turns) {
            if (MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT) == WAIT_TIMEOUT) ++quiet;
            else quiet = 0;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        }
        EXPECT_FALSE(completePage()) << "rows were left to draw";
        const Pixels idle = pixelsOf(pageBitmap.dc(), pageWidth, pageHeight);
        straightRefreshPage();
        EXPECT_EQ(firstDifference(idle, pixelsOf(pageBitmap.dc(), pageWidth, pageHeight), pageWidth), "");
        restoreSnapshot(DocumentSnapshot{});
    });
}

// The export and the work file written after refreshPage, and after the plain
// refresh.
struct Files {
    std::string bitmap;
    std::string work;
};

Files filesAfter(void (*refresh)(), const ScratchFolder& folder, const std::wstring& name) {
    viewY = -500;
    refresh();
    exportPath = folder / (name + L".bmp");
    exportBitmap();
    workFilePath = folder / (name + L".ZANOR");
    saveWorkFile();
    return {readBytes(exportPath), readBytes(workFilePath)};
}

void expectSameFiles(void (*build)()) {
    runMainWindow([build] {
        const ScratchFolder folder(L"refresco");
        build();
        const Files fast = filesAfter(refreshPage, folder, L"rapido");
        const Files straight = filesAfter(straightRefreshPage, folder, L"llano");
        EXPECT_EQ(fast.bitmap.size(), 8700054u);
        EXPECT_TRUE(fast.bitmap == straight.bitmap);
        EXPECT_FALSE(fast.work.empty());
        EXPECT_TRUE(fast.work == straight.work);
        restoreSnapshot(DocumentSnapshot{});
    });
}

TEST(Refresh, TheWorstCasePageExportsAndSavesAsThePlainRefreshDoes) { expectSameFiles(buildWorstCasePage); }

TEST(Refresh, ADemandingPageExportsAndSavesAsThePlainRefreshDoes) { expectSameFiles(buildDemandingPage); }

TEST(Refresh, TheSamplePageExportsAndSavesAsThePlainRefreshDoes) { expectSameFiles(buildSamplePage); }

}  // namespace
