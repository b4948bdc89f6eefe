// "Fotocopia" of pages that nobody drew by hand, chosen for the calendar's
// hard cases (leap Februaries of 2000 and 2024, a plain one, a page across a
// new year, the last year offered): each exported image is checked cell by
// cell against an independent day count and the page's layout (borders in
// the line colour, white fills, day numbers in the weekday or the Sunday
// colour, white where no cell is), and the first against the canvas on the
// screen. The last is left for a reader of bitmap files that is not ours
// (scripts/test reads it with Python's PIL).
#include "driver.h"
#include "expectations.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

constexpr PageColours look{RGB(0, 128, 0), RGB(0, 0, 255), RGB(255, 0, 0)};

TEST(Photocopy, ExportedPagesShowTheirCalendarCellByCell) {
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
        ASSERT_TRUE(page.width() == pageWidth && page.height() == pageHeight);
        const std::vector<std::string> problems = pageProblems(page, first.month, first.year, look);
        EXPECT_TRUE(problems.empty()) << problems.size() << " problems, the first: " << problems.front();
        if (first.year == 2000) {
            program.key(VK_HOME);
            ASSERT_TRUE(program.settle());
            EXPECT_EQ(differencesFromPage(program.canvas(), page), 0) << "the canvas shows the same page";
        }
    }
    EXPECT_TRUE(program.close());
}

}  // namespace
}  // namespace e2e
