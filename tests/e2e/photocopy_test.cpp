// "Fotocopia" of pages that nobody drew by hand: every month of 2024 and 2025
// as the first month, each exported image checked cell by cell against the
// calendar and the page's layout (borders in the line colour, white fills,
// day numbers in the weekday or the Sunday colour, white where no cell is),
// and against the canvas on the screen. One of them is left for a reader of
// bitmap files that is not ours (scripts/test reads it with Python's PIL).
#include "driver.h"
#include "expectations.h"

#include "app/menubar.h"

#include <gtest/gtest.h>

namespace e2e {
namespace {

constexpr PageColours look{RGB(0, 128, 0), RGB(0, 0, 255), RGB(255, 0, 0)};
// The last page, December 2025 to March 2026, goes to the file that
// scripts/test reads again (ZANOR_E2E_EXPORT_SAMPLE), when it names one.
constexpr int lastYear = 2025;

TEST(Photocopy, EveryFirstMonthOf2024And2025ExportsThePageOfItsCalendar) {
    Program program;
    ScratchFolder folder(L"fotocopia");
    const std::wstring path = folder / L"pagina.bmp";
    std::string previous;
    for (int year = 2024; year <= lastYear; ++year)
        for (int month = 1; month <= 12; ++month) {
            SCOPED_TRACE(std::to_string(month) + "/" + std::to_string(year));
            ASSERT_TRUE(makeNewPage(program, month, year, previous.empty() ? &look : nullptr)) << program.describe();
            const FileStamp before = stampOf(path);
            program.command(commandExport);
            HWND dialog = program.waitFor(exportCaption);
            ASSERT_NE(dialog, nullptr) << program.describe();
            // From the second export on, the dialog proposes the first's name.
            if (!previous.empty()) {
                EXPECT_EQ(fieldText(fileNameField(dialog)), L"pagina.bmp");
            }
            chooseFile(dialog, path);
            ASSERT_TRUE(program.waitUntilGone(dialog));
            previous = waitForNewFile(path, before);
            ASSERT_EQ(previous.size(), 8700054u);
            const BitmapFile page(previous);
            ASSERT_EQ(page.problem(), "");
            ASSERT_EQ(page.width(), pageWidth);
            ASSERT_EQ(page.height(), pageHeight);
            const std::vector<std::string> problems = pageProblems(page, month, year, look);
            EXPECT_TRUE(problems.empty()) << problems.size() << " problems, the first: " << problems.front();
            if (month == 1 && year == 2024) {
                // The canvas shows the top of the same page.
                ASSERT_TRUE(scrollToTop(program));
                EXPECT_EQ(differencesFromPage(program.canvas(), page), 0);
            }
        }
    const std::wstring sample = environmentValue(L"ZANOR_E2E_EXPORT_SAMPLE");
    if (!sample.empty()) {
        DeleteFileW(sample.c_str());
        ASSERT_TRUE(startExport(program, sample));
        EXPECT_TRUE(waitForNewFile(sample) == previous);
    }
    EXPECT_TRUE(program.close());
}

}  // namespace
}  // namespace e2e
