// "Fotocopia" of pages that nobody drew by hand, chosen for the calendar's
// hard cases (leap Februaries of 2000 and 2024, a plain one, a page across a
// new year, the last year offered): each exported image is checked cell by
// cell against an independent day count and the page's layout (borders in
// the line colour, white fills, day numbers in the weekday or the Sunday
// colour, white where no cell is). The first is the page that the canvas
// must show as the keys and the wheel scroll it to its limits. The last is
// left for a reader of bitmap files that is not ours (scripts/test reads it
// with Python's PIL).
#include "driver.h"
#include "expectations.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

// A step: its keys (virtual keys; 1 and -1 are a wheel notch away from and
// toward the user), and the page row that the canvas then shows at its top.
struct Step { const char* what; std::vector<int> keys; int offset; };

constexpr PageColours look{RGB(0, 128, 0), RGB(0, 0, 255), RGB(255, 0, 0)};

TEST(Photocopy, ExportedPagesShowTheirCalendarCellByCellAndTheCanvasScrollsOverThem) {
    // The program takes today's row when it starts: a run across midnight
    // keeps it.
    SYSTEMTIME today;
    GetLocalTime(&today);
    Program program;
    ScratchFolder folder(L"fotocopia");
    const MonthOfYear firsts[] = {{1, 2000}, {11, 2023}, {2, 2025}, {12, 2087}};
    for (const MonthOfYear& first : firsts) {
        SCOPED_TRACE(std::to_string(first.month) + "/" + std::to_string(first.year));
        ASSERT_TRUE(makeNewPage(program, first.month, first.year, first.year == 2000 ? &look : nullptr))
            << program.describe();
        const std::wstring sample = environmentValue(L"ZANOR_E2E_EXPORT_SAMPLE");
        const std::wstring path = first.year == 2087 && !sample.empty() ? sample : folder / L"pagina.bmp";
        const FileStamp before = stampOf(path);
        ASSERT_TRUE(startExport(program, path));
        const BitmapFile page(waitForNewFile(path, before));
        ASSERT_EQ(page.problem(), "");
        const std::vector<std::string> problems = pageProblems(page, first.month, first.year, look);
        EXPECT_TRUE(problems.empty()) << problems.size() << " problems, the first: " << problems.front();
        if (first.year != 2000) continue;
        // The keypad's star scrolls to today's row, or to the 26th's from the
        // 27th on.
        const Step steps[] = {
            {"Home", {VK_HOME}, 0},
            {"three rows down", {VK_DOWN, VK_DOWN, VK_DOWN}, 276},
            {"a page down", {VK_NEXT}, 376},
            {"the wheel toward the user", {-1}, 391},
            {"the wheel away, twice", {1, 1}, 361},
            {"a page up", {VK_PRIOR}, 261},
            {"End, then Down once more and no further", {VK_END, VK_DOWN, VK_DOWN}, 2380},
            {"the wheel no further than the bottom", {-1, -1}, 2380},
            {"Up at the top does nothing", {VK_HOME, VK_UP}, 0},
            {"the wheel no further than the top", {1}, 0},
            {"Up from a wheel step down goes past the top", {-1, VK_UP}, -77},
            {"and no further", {VK_UP}, -77},
            {"the keypad's star: today's row", {VK_MULTIPLY}, 92 * (today.wDay > 26 ? 25 : today.wDay - 1)},
        };
        for (const Step& step : steps) {
            SCOPED_TRACE(step.what);
            for (int key : step.keys) key == 1 || key == -1 ? program.wheel(key) : program.key(key);
            ASSERT_TRUE(program.settle()) << program.describe();
            EXPECT_EQ(differencesFromPage(program.canvas(), page, step.offset), 0);
        }
    }
    EXPECT_TRUE(program.close());
}

}  // namespace
