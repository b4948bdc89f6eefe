// The page as the program refreshes it (the rows shown at once, the rest
// while idle, a scroll only moving what is drawn) against the plain refresh
// that draws everything every time: on the canvas at every scroll position,
// once the idle drawing is done, in the bitmap exported from a page that was
// not drawn yet, and in the work file that each of them leaves.
#include "support.h"

#include "bench/straightpage.h"

// Pictures as 0x00RRGGBB words, row by row from the top.
using Pixels = std::vector<uint32_t>;
static Pixels canvasPixels() {
    Image copy;
    copy.create(canvasWidth, canvasHeight);
    BitBlt(copy.dc(), 0, 0, canvasWidth, canvasHeight, surfaceDC(canvasWindow()), 0, 0, SRCCOPY);
    return GdiFlush(), Pixels(copy.pixels(), copy.pixels() + canvasWidth * canvasHeight);
}
static Pixels pagePixels() { return GdiFlush(), Pixels(pageBitmap.pixels(), pageBitmap.pixels() + pageWidth * pageHeight); }

// "x,y" of the first pixel where two pictures of the given width differ;
// empty when they are the same.
static std::string firstDifference(const Pixels& a, const Pixels& b, int width) {
    if (a.size() != b.size()) return "sizes differ";
    const auto at = std::mismatch(a.begin(), a.end(), b.begin()).first - a.begin();
    return at == std::ssize(a) ? "" : std::to_string(at % width) + "," + std::to_string(at / width);
}

// Texts that do all that text can: run on below their cells, past the last
// day of a column and off the bottom of the page, stick out of their cells
// sideways, in every alignment and style, around a selected cell.
static void buildOverflowingPage() {
    buildWorstCasePage();
    const std::string words = "Mucho texto que no cabe en la caja y sigue por debajo de ella ";
    for (const auto& [column, day, text, face, size, alignment] :
         {std::tuple{1, 3, words + words + words, "Sans", 26, alignLeft}, {2, 29, words + words, "Serif", 40, alignCentre},
          {3, 31, words + words + words + words, "Mono", 30, alignRight},
          {4, 30, std::string(200, 'W'), "Sans", 72, alignJustified}, {4, 10, std::string("W"), "Serif", 200, alignRight}}) {
        DayCell& cell = cellAt(column, day);
        assignField(cell.text, text), assignField(cell.fontName, "Liberation " + std::string(face));
        cell.fontSize = static_cast<int16_t>(size), cell.alignment = static_cast<int16_t>(alignment);
    }
    cellAt(3, 20).italic = cellAt(3, 20).underline = 1;
    cellAt(4, 20).bold = cellAt(4, 20).strikeout = cellAt(4, 20).leading = 1;
    cellAt(2, 5).backColour = 0x0000C0FF, cellAt(3, 7).selected = 1;
    lineColour = 0x00008000, weekdayDateColour = 0x00404040;
}

// What the canvas shows of a page at a scroll offset: the page moved down by
// y, white where it does not reach.
static Pixels shownAt(const Pixels& page, int y) {
    Pixels shown(size_t{canvasWidth} * canvasHeight, 0xFFFFFF);
    for (int row = std::max(0, y); row < std::min(canvasHeight, y + pageHeight); ++row)
        std::copy_n(&page[size_t(row - y) * pageWidth], canvasWidth, &shown[size_t(row) * canvasWidth]);
    return shown;
}

// A page image that holds nothing the refresh may keep: what it does not
// draw shows. Then the page refreshed at a scroll offset.
static void spoilAndRefresh(void (*refresh)(), int y) {
    clearBitmap(pageBitmap), pageBitmap.fill(0x00FF00FF);
    viewY = y, refresh();
}

// The bitmap file that "Fotocopia" must write of a page: the headers as the
// format gives them, then the rows bottom first, blue, green, red.
static std::string bitmapOf(const Pixels& page) {
    const auto le = [](uint32_t v, int bytes) { std::string s; for (int i = 0; i < bytes; ++i) s += char(v >> 8 * i); return s; };
    std::string file = "BM" + le(8700054, 4) + le(0, 4) + le(54, 4) + le(40, 4) + le(1000, 4) + le(2900, 4) + le(1, 2) +
                       le(24, 2) + std::string(24, '\0');
    for (int row = pageHeight - 1; row >= 0; --row)
        for (int x = 0; x < pageWidth; ++x) file += le(page[size_t(row) * pageWidth + x], 3);
    return file;
}

TEST(Refresh, ShowsAndWritesWhatThePlainRefreshDoes) {
    // From above the top of the page (an Up step from -15 leaves it 77 pixels
    // down the canvas) to below the last Down step: wheel steps down a stretch
    // of the page, then larger jumps both ways.
    std::vector<int> offsets{77, 42, 13};
    for (int y = 0; y >= -300; y -= 15) offsets.push_back(y);
    for (int y = -361; y > -2388; y -= 89) offsets.push_back(y);
    offsets.insert(offsets.end(), {-2288, -2300, -2388, -1, -1200});
    runMainWindow([&] {
        const ScratchFolder folder(L"refresco");
        MessageBoxAnswerer boxes(IDOK);
        exportPath = folder / L"pagina.bmp", workFilePath = folder / L"pagina.ZANOR";
        for (void (*build)() : {buildWorstCasePage, buildSamplePage, buildOverflowingPage}) {
            build(), straightRefreshPage();
            const Pixels straight = pagePixels();
            spoilAndRefresh(refreshPage, 0);
            for (int y : offsets) {
                viewY = y, refreshPage();
                EXPECT_EQ(firstDifference(canvasPixels(), shownAt(straight, y), canvasWidth), "") << "viewY " << y;
            }
            spoilAndRefresh(refreshPage, 0);
            // Lets the program run until its queue stays quiet: the idle drawing is done.
            for (int quiet = 0, turns = 0; quiet < 3 && turns < 1000; ++turns) {
                quiet = MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT) == WAIT_TIMEOUT ? quiet + 1 : 0;
                for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&message);
            }
            EXPECT_FALSE(completePage()) << "rows were left to draw";
            EXPECT_EQ(firstDifference(pagePixels(), straight, pageWidth), "");
            spoilAndRefresh(refreshPage, -500), exportBitmap();
            EXPECT_TRUE(readBytes(exportPath) == bitmapOf(straight)) << "the export is not the plain page";
            // The work file written after a refresh of a page not drawn yet
            // (the refresh stamps the cells it draws), and after the plain one.
            std::string saved[2];
            for (int i = 0; i < 2; ++i)
                spoilAndRefresh(i ? straightRefreshPage : refreshPage, -500), saveWorkFile(), saved[i] = readBytes(workFilePath);
            EXPECT_TRUE(saved[0].size() > 446u * 120 && saved[0] == saved[1]);
        }
        EXPECT_TRUE(boxes.texts.empty());
    });
}
