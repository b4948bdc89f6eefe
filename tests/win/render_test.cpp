// The page as drawn into the page image: boxes, captions, day numbers, the
// selected look, the cell texts and the view at the scroll offset.
#include "support.h"

#include "app/mainwindow.h"
#include "calendar/document.h"
#include "calendar/monthlayout.h"
#include "calendar/render.h"
#include "platform/fonts.h"
#include "platform/surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int32_t green = 0x0000C000;
constexpr int32_t red = 0x000000FF;
constexpr int32_t black = 0;
constexpr int32_t white = 0x00FFFFFF;

class PageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pageBitmap.create(pageWidth, pageHeight));
        resetAllCells();
        lineColour = green;
        weekdayDateColour = black;
        sundayDateColour = red;
    }

    // Every test starts from a program without a page.
    void TearDown() override { restoreSnapshot(DocumentSnapshot{}); }

    void draw(int month, int year) {
        firstMonth = static_cast<int16_t>(month);
        firstYear = static_cast<int16_t>(year);
        clearBitmap(pageBitmap);
        drawPage(pageBitmap, cellGap);
    }

    static int32_t at(int x, int y) { return pageBitmap.pixel(x, y); }

    // Text is drawn with smoothed edges: a pixel of blue ink has the full blue
    // channel and less red than the white around it.
    static bool blueInk(int32_t p) { return ((p >> 16) & 0xFF) == 0xFF && (p & 0xFF) < 0xC0; }
    static int countBlueInk(int left, int top, int right, int bottom) {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) n += blueInk(at(x, y));
        return n;
    }

    // Blue 12-point text in cell (1, 1) of March 2024, in the default face.
    void writeLongText(int alignment) {
        DayCell& cell = cellAt(1, 1);
        assignField(cell.text, "uno dos tres cuatro cinco seis siete ocho nueve diez once doce trece catorce");
        cell.alignment = static_cast<int16_t>(alignment);
        cell.fontColour = 0xFF0000;
        cell.fontSize = 12;
        draw(3, 2024);
    }

    // The rightmost blue ink of each line of cell (1, 1)'s text, the lines
    // found as bands of rows with blue ink.
    static std::vector<int> lineRightEdges() {
        int lastRow = -10;
        int bandRight = -1;
        std::vector<int> rights;
        for (int y = 3 + 26; y < 3 + 90; ++y) {
            int right = -1;
            for (int x = 3; x < 249; ++x)
                if (blueInk(at(x, y))) right = x;
            if (right < 0) continue;
            if (y != lastRow + 1) {
                if (bandRight >= 0) rights.push_back(bandRight);
                bandRight = -1;
            }
            bandRight = std::max(bandRight, right);
            lastRow = y;
        }
        if (bandRight >= 0) rights.push_back(bandRight);
        return rights;
    }

    // How many pixels of the colour lie in the rectangle.
    static int count(int32_t colour, int left, int top, int right, int bottom) {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) n += at(x, y) == colour;
        return n;
    }
};

TEST_F(PageTest, BoxesLieOnTheGridWithTheirBorderAndNotOnePixelBeyond) {
    draw(1, 2024);
    const int columnsX[] = {3, 251, 499, 747};
    const int daysOf[] = {31, 29, 31, 30};
    for (int c = 0; c < 4; ++c) {
        const int x = columnsX[c];
        EXPECT_EQ(cellBox(c + 1, 1).x, x);
        for (int day = 1; day <= daysOf[c]; ++day) {
            const int y = 3 + 92 * (day - 1);
            SCOPED_TRACE("column " + std::to_string(c + 1) + " day " + std::to_string(day));
            // Border on all four edges of the 246 x 90 box.
            EXPECT_EQ(at(x, y + 45), green);
            EXPECT_EQ(at(x + 245, y + 45), green);
            EXPECT_EQ(at(x + 200, y), green);
            EXPECT_EQ(at(x + 200, y + 89), green);
            // White gaps around it.
            EXPECT_EQ(at(x - 1, y + 45), white);
            EXPECT_EQ(at(x + 246, y + 45), white);
            EXPECT_EQ(at(x + 200, y - 1), white);
            EXPECT_EQ(at(x + 200, y + 90), white);
            // The white fill inside.
            EXPECT_EQ(at(x + 200, y + 80), white);
        }
        // Below the last day of the month the page is white.
        const int below = 3 + 92 * daysOf[c];
        EXPECT_EQ(count(green, x, below, x + 246, pageHeight), 0);
        EXPECT_EQ(count(black, x, below, x + 246, pageHeight), 0);
    }
    EXPECT_EQ(count(green, 994, 0, 1000, pageHeight), 0);
}

TEST_F(PageTest, FebruaryEndsAtTwentyEightOrTwentyNineAndStampsOnlyDrawnCells) {
    draw(2, 2023);
    EXPECT_EQ(at(3, 3 + 92 * 27 + 45), green);
    EXPECT_EQ(at(3, 3 + 92 * 28 + 45), white);
    EXPECT_EQ(cellAt(1, 28).day, 28);
    EXPECT_EQ(cellAt(1, 29).day, 0);
    EXPECT_EQ(cellAt(2, 31).day, 31);  // March
    EXPECT_EQ(cellAt(2, 31).pageMonth, 2);
    EXPECT_EQ(cellAt(2, 31).pageYear, 2023);
    EXPECT_EQ(cellAt(2, 31).pageLineColour, green);

    resetAllCells();
    draw(12, 2023);  // December, January, February 2024, March
    EXPECT_EQ(at(499, 3 + 92 * 28 + 45), green);
    EXPECT_EQ(at(499, 3 + 92 * 29 + 45), white);
    EXPECT_EQ(cellAt(3, 29).day, 29);
    EXPECT_EQ(cellAt(3, 30).day, 0);
}

TEST_F(PageTest, SundayNumbersInTheirColourWeekdaysInTheOther) {
    draw(1, 2024);
    // 7 January 2024 is a Sunday, 8 January a Monday. The number sits at the
    // left of the box, clear of the centred caption.
    const int sundayTop = 3 + 92 * 6;
    const int mondayTop = 3 + 92 * 7;
    EXPECT_GT(count(red, 5, sundayTop + 1, 40, sundayTop + 40), 10);
    EXPECT_EQ(count(black, 5, sundayTop + 1, 40, sundayTop + 40), 0);
    EXPECT_GT(count(black, 5, mondayTop + 1, 40, mondayTop + 40), 10);
    EXPECT_EQ(count(red, 5, mondayTop + 1, 40, mondayTop + 40), 0);
}

TEST_F(PageTest, TheCaptionIsTheColumnsMonthYearAndWeekday) {
    draw(1, 2024);
    // Cell (2, 29) is 29 February 2024, a Thursday: draw the same caption on
    // a page of its own and compare the two top bands.
    Image expected;
    ASSERT_TRUE(expected.create(pageWidth, pageHeight));
    expected.fill(white);
    const int x = 251;
    const int y = 3 + 92 * 28;
    const Font captionFont = makeTextFont("Times New Roman", 11, styleBold);
    textBoxWidth = 246;
    drawCellText(expected, "Febrero 2024 Jueves", alignCentre, x, y, captionFont.get(), black);
    int differences = 0;
    int ink = 0;
    for (int py = y + 1; py < y + 22; ++py)
        for (int px = x + 40; px < x + 240; ++px) {
            ink += expected.pixel(px, py) == black;
            differences += expected.pixel(px, py) != at(px, py);
        }
    EXPECT_GT(ink, 50);
    EXPECT_EQ(differences, 0);
}

TEST_F(PageTest, TheSelectedCellIsDarkBlueWithWhiteLettersAndNoText) {
    assignField(cellAt(1, 10).text, "Texto que no se ve");
    cellAt(1, 10).fontColour = 0xFF0000;
    selectCell(1, 10);
    draw(1, 2024);
    const int y = 3 + 92 * 9;
    EXPECT_EQ(at(3, y + 45), green);
    EXPECT_EQ(at(200, y + 80), 0x8B0000);
    EXPECT_GT(count(white, 5, y + 1, 40, y + 40), 10);   // the number
    EXPECT_GT(count(white, 60, y + 1, 240, y + 20), 30);  // the caption
    EXPECT_EQ(count(red, 3, y, 249, y + 90), 0);
    EXPECT_EQ(countBlueInk(3, y, 249, y + 90), 0);
}

TEST_F(PageTest, CellTextIsDrawnInItsColourAndRightAlignedLinesEndTogether) {
    writeLongText(alignRight);
    const std::vector<int> rights = lineRightEdges();
    ASSERT_GE(rights.size(), 2u);
    // Every line's advance ends at x + 2 + 241 (column 246, exclusive). The ink
    // of the last letter stops a little before that: under Wine, extents of
    // the Liberation faces run up to ~6 pixels past the ink of a long line.
    for (int right : rights) {
        EXPECT_LE(right, 245);
        EXPECT_GE(right, 245 - 8);
    }
}

TEST_F(PageTest, JustifiedLinesAreStretchedToTheWidestInTheDefaultFace) {
    writeLongText(alignLeft);
    const std::vector<int> left = lineRightEdges();
    writeLongText(alignJustified);
    const std::vector<int> justified = lineRightEdges();
    ASSERT_GE(justified.size(), 3u);
    ASSERT_EQ(justified.size(), left.size());
    const int widest = *std::max_element(left.begin(), left.end());
    // The last line is short and stays as it is; the others end with the
    // widest (by their advances: the ink of a line's last letter may stop a
    // few pixels short of it), which is at least one of them stretched.
    EXPECT_EQ(justified.back(), left.back());
    bool stretched = false;
    for (size_t i = 0; i + 1 < justified.size(); ++i) {
        EXPECT_LE(justified[i], widest + 8) << "line " << i + 1;
        EXPECT_GE(justified[i], widest - 8) << "line " << i + 1;
        stretched = stretched || justified[i] > left[i] + 2;
    }
    EXPECT_TRUE(stretched);
}

TEST_F(PageTest, AWordWiderThanTheBoxStaysInItsCell) {
    DayCell& cell = cellAt(1, 31);  // below it the page is white
    assignField(cell.text, std::string(40, 'W'));
    cell.fontColour = 0xFF0000;
    cell.fontSize = 20;
    draw(1, 2024);
    const int x = 3;
    const int y = 3 + 92 * 30;
    EXPECT_GT(countBlueInk(x, y + 26, x + 246, y + 90), 100);
    EXPECT_EQ(countBlueInk(x + 246, y, 1000, pageHeight), 0);
    // Three lines of 20-point capitals reach below the box's 62 text rows,
    // but not a hundred lines down.
    EXPECT_EQ(countBlueInk(0, y + 300, 1000, pageHeight), 0);
}

TEST_F(PageTest, NothingIsDrawnWithoutAValidMonthAndYear) {
    draw(0, 2024);
    EXPECT_EQ(count(green, 0, 0, 1000, 300), 0);
    draw(13, 2024);
    EXPECT_EQ(count(green, 0, 0, 1000, 300), 0);
    draw(5, 0);
    EXPECT_EQ(count(green, 0, 0, 1000, 300), 0);
}

TEST_F(PageTest, CellsFromAFileWithOddValuesDrawWithoutHarm) {
    DayCell& cell = cellAt(1, 1);
    assignField(cell.text, "texto");
    cell.fontSize = 0;
    assignField(cell.fontName, std::string(99, 'x'));
    cellAt(1, 2) = cell;
    cellAt(1, 2).fontSize = -32000;
    cellAt(1, 3) = cell;
    cellAt(1, 3).fontSize = 32000;
    cellAt(1, 4) = cell;
    cellAt(1, 4).alignment = 7;
    cellAt(1, 5) = DayCell{};  // all zero: black fill, no text
    draw(1, 2024);
    EXPECT_EQ(at(100, 3 + 92 * 4 + 80), black);
}

TEST(View, TheCanvasShowsThePageAtTheScrollOffset) {
    runMainWindow([] {
        resetAllCells();
        firstMonth = 1;
        firstYear = 2024;
        lineColour = green;
        viewY = -184;
        refreshPage();
        for (int y : {0, 3, 100, 575}) {
            for (int x : {3, 100, 250, 251, 990}) {
                EXPECT_EQ(viewBitmap.pixel(x, y), pageBitmap.pixel(x, y + 184)) << x << "," << y;
                EXPECT_EQ(surfacePixel(canvasWindow(), x, y), viewBitmap.pixel(x, y)) << x << "," << y;
            }
        }
        restoreSnapshot(DocumentSnapshot{});
    });
}

}  // namespace
