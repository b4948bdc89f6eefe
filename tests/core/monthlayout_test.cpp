// Calendar arithmetic and page geometry.
#include "calendar/monthlayout.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <string>
#include <string_view>
#include <utility>

namespace {

namespace chr = std::chrono;

constexpr std::array<std::string_view, 7> spanishWeekdays = {
    "Domingo", "Lunes", "Martes", "Miercoles", "Jueves", "Viernes", "Sabado",
};

TEST(MonthLayout, MonthNamesInSpanish) {
    constexpr std::array<std::string_view, 12> expected = {
        "Enero", "Febrero", "Marzo",      "Abril",   "Mayo",      "Junio",
        "Julio", "Agosto",  "Septiembre", "Octubre", "Noviembre", "Diciembre",
    };
    for (int month = 1; month <= 12; ++month) {
        EXPECT_EQ(monthName(month), expected[static_cast<std::size_t>(month - 1)]) << "month " << month;
    }
}

TEST(MonthLayout, MonthNameOutsideOneToTwelveIsEmpty) {
    EXPECT_TRUE(monthName(0).empty());
    EXPECT_TRUE(monthName(13).empty());
    EXPECT_TRUE(monthName(-1).empty());
    EXPECT_TRUE(monthName(32767).empty());
}

TEST(MonthLayout, DaysInMonthMatchesChronoFrom1600To2400) {
    for (int year = 1600; year <= 2400; ++year) {
        for (unsigned month = 1; month <= 12; ++month) {
            const chr::year_month_day_last last{chr::year{year} / chr::month{month} / chr::last};
            const int expected = static_cast<int>(static_cast<unsigned>(last.day()));
            ASSERT_EQ(daysInMonth(static_cast<int>(month), year), expected) << month << "/" << year;
        }
        const bool leap = chr::year{year}.is_leap();
        ASSERT_EQ(februaryDays(year), leap ? 29 : 28) << year;
    }
}

TEST(MonthLayout, FebruaryAtCenturyBoundaries) {
    EXPECT_EQ(daysInMonth(2, 1900), 28);
    EXPECT_EQ(daysInMonth(2, 2000), 29);
    EXPECT_EQ(daysInMonth(2, 2024), 29);
    EXPECT_EQ(daysInMonth(2, 2023), 28);
    EXPECT_EQ(daysInMonth(2, 2100), 28);
}

TEST(MonthLayout, DaysInMonthOfAnInvalidMonthIsZero) {
    EXPECT_EQ(daysInMonth(13, 2024), 0);
    EXPECT_EQ(daysInMonth(0, 2024), 0);
    EXPECT_EQ(daysInMonth(-1, 2024), 0);
}

TEST(MonthLayout, WeekdayOfEveryDateFrom1900To2100MatchesChrono) {
    const chr::sys_days first{chr::year{1900} / chr::January / 1};
    const chr::sys_days last{chr::year{2100} / chr::December / 31};
    int checked = 0;
    for (chr::sys_days date = first; date <= last; date += chr::days{1}) {
        const chr::year_month_day ymd{date};
        const int year = static_cast<int>(ymd.year());
        const int month = static_cast<int>(static_cast<unsigned>(ymd.month()));
        const int day = static_cast<int>(static_cast<unsigned>(ymd.day()));
        const int expected = static_cast<int>(chr::weekday{date}.c_encoding()) + 1;  // Sunday = 1
        ASSERT_EQ(weekdayOf(year, month, day), expected) << year << "-" << month << "-" << day;
        ASSERT_EQ(weekdayName(year, month, day), spanishWeekdays[static_cast<std::size_t>(expected - 1)])
            << year << "-" << month << "-" << day;
        ++checked;
    }
    EXPECT_EQ(checked, 73414);
}

TEST(MonthLayout, WorkedWeekdayExamples) {
    EXPECT_EQ(weekdayName(2024, 1, 1), "Lunes");
    EXPECT_EQ(weekdayName(2000, 3, 1), "Miercoles");
    EXPECT_EQ(weekdayName(2024, 12, 1), "Domingo");
    EXPECT_EQ(weekdayName(2025, 1, 1), "Miercoles");
    EXPECT_EQ(weekdayName(2024, 2, 29), "Jueves");
    EXPECT_EQ(weekdayName(1900, 1, 1), "Lunes");
    EXPECT_EQ(weekdayName(2100, 12, 31), "Viernes");
}

TEST(MonthLayout, WeekdayNameLeavesTheCallersValuesAlone) {
    int year = 2024;
    int month = 1;
    int day = 1;
    (void)weekdayName(year, month, day);
    EXPECT_EQ(year, 2024);
    EXPECT_EQ(month, 1);
    EXPECT_EQ(day, 1);
}

struct ColumnWalk {
    int firstMonth;
    int firstYear;
    std::array<MonthYear, 4> columns;
};

class ColumnWalkTest : public ::testing::TestWithParam<ColumnWalk> {};

TEST_P(ColumnWalkTest, FourConsecutiveMonthsAcrossYearEnd) {
    const ColumnWalk& walk = GetParam();
    for (int column = 1; column <= 4; ++column) {
        const MonthYear shown = columnMonth(walk.firstMonth, walk.firstYear, column);
        const MonthYear& expected = walk.columns[static_cast<std::size_t>(column - 1)];
        EXPECT_EQ(shown.month, expected.month) << "column " << column;
        EXPECT_EQ(shown.year, expected.year) << "column " << column;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pages, ColumnWalkTest,
    ::testing::Values(ColumnWalk{9, 2024, {{{9, 2024}, {10, 2024}, {11, 2024}, {12, 2024}}}},
                      ColumnWalk{10, 2024, {{{10, 2024}, {11, 2024}, {12, 2024}, {1, 2025}}}},
                      ColumnWalk{11, 2024, {{{11, 2024}, {12, 2024}, {1, 2025}, {2, 2025}}}},
                      ColumnWalk{12, 2024, {{{12, 2024}, {1, 2025}, {2, 2025}, {3, 2025}}}},
                      ColumnWalk{1, 2025, {{{1, 2025}, {2, 2025}, {3, 2025}, {4, 2025}}}},
                      ColumnWalk{12, 1999, {{{12, 1999}, {1, 2000}, {2, 2000}, {3, 2000}}}}),
    [](const ::testing::TestParamInfo<ColumnWalk>& info) {
        return "From" + std::to_string(info.param.firstMonth) + "_" + std::to_string(info.param.firstYear);
    });

TEST(MonthLayout, PageFromNovemberEndsWithTwentyEightDayFebruary) {
    const MonthYear lastColumn = columnMonth(11, 2024, 4);
    EXPECT_EQ(daysInMonth(lastColumn.month, lastColumn.year), 28);
}

TEST(MonthLayout, PageFromLeapFebruaryHas29Then31Cells) {
    const MonthYear col1 = columnMonth(2, 2024, 1);
    const MonthYear col2 = columnMonth(2, 2024, 2);
    EXPECT_EQ(daysInMonth(col1.month, col1.year), 29);
    EXPECT_EQ(daysInMonth(col2.month, col2.year), 31);
}

TEST(MonthLayout, CellSizeGlobals) {
    EXPECT_EQ(cellWidth, 246);
    EXPECT_EQ(cellHeight, 90);
}

TEST(MonthLayout, ColumnBoxesStartAt3_251_499_747) {
    constexpr std::array<int, 4> lefts = {3, 251, 499, 747};
    for (int column = 1; column <= 4; ++column) {
        for (int day = 1; day <= 31; ++day) {
            const CellBox box = cellBox(column, day);
            EXPECT_EQ(box.x, lefts[static_cast<std::size_t>(column - 1)]) << column << "," << day;
            EXPECT_EQ(box.width, 246);
            EXPECT_EQ(box.height, 90);
        }
    }
    const CellBox lastColumn = cellBox(4, 1);
    EXPECT_EQ(lastColumn.x + lastColumn.width, 993);
    EXPECT_LE(lastColumn.x + lastColumn.width, pageWidth);
}

TEST(MonthLayout, DayRowsHaveA92PixelPitch) {
    EXPECT_EQ(cellBox(1, 1).y, 3);
    EXPECT_EQ(cellBox(1, 2).y, 95);
    const CellBox day31 = cellBox(3, 31);
    EXPECT_EQ(day31.y, 2763);
    EXPECT_EQ(day31.y + day31.height, 2853);
    EXPECT_LE(day31.y + day31.height, pageHeight);
}

TEST(MonthLayout, PointInTheGapBelongsToTheFollowingPitch) {
    const CellPos pos = cellAtPagePoint(250, 95);
    EXPECT_EQ(pos.column, 2);
    EXPECT_EQ(pos.day, 2);
}

TEST(MonthLayout, PitchBoundaries) {
    EXPECT_EQ(cellAtPagePoint(0, 0).column, 1);
    EXPECT_EQ(cellAtPagePoint(0, 0).day, 1);
    EXPECT_EQ(cellAtPagePoint(247, 91).column, 1);
    EXPECT_EQ(cellAtPagePoint(247, 91).day, 1);
    EXPECT_EQ(cellAtPagePoint(248, 92).column, 2);
    EXPECT_EQ(cellAtPagePoint(248, 92).day, 2);
    EXPECT_EQ(cellAtPagePoint(991, 2851).column, 4);
    EXPECT_EQ(cellAtPagePoint(991, 2851).day, 31);
}

TEST(MonthLayout, EveryBoxMapsBackToItsCell) {
    for (int column = 1; column <= 4; ++column) {
        for (int day = 1; day <= 31; ++day) {
            const CellBox box = cellBox(column, day);
            // The box's last pixel column and row already lie in the next
            // pitch, so the far corner checked here is one pixel further in.
            for (const auto& [x, y] : {std::pair{box.x, box.y}, std::pair{box.x + box.width - 2, box.y + box.height - 2},
                                       std::pair{box.x + box.width / 2, box.y + box.height / 2}}) {
                const CellPos pos = cellAtPagePoint(x, y);
                EXPECT_EQ(pos.column, column) << "(" << x << "," << y << ")";
                EXPECT_EQ(pos.day, day) << "(" << x << "," << y << ")";
            }
        }
    }
}

TEST(MonthLayout, LastPixelOfABoxLiesInTheNextPitch) {
    // Column 1's box spans x 3..248 and rows 3..92; the pitch ignores the
    // origin, so its last pixel column and row count as the next cell.
    const CellBox box = cellBox(1, 1);
    const CellPos pos = cellAtPagePoint(box.x + box.width - 1, box.y + box.height - 1);
    EXPECT_EQ(pos.column, 2);
    EXPECT_EQ(pos.day, 2);
}

TEST(MonthLayout, PointsBeyondThePageFallOutsideTheTable) {
    // Right of the fourth column's pitch.
    EXPECT_EQ(cellAtPagePoint(992, 10).column, 5);
    EXPECT_EQ(cellAtPagePoint(999, 10).column, 5);
    // Below the 31st row's pitch.
    EXPECT_EQ(cellAtPagePoint(10, 2852).day, 32);
    EXPECT_EQ(cellAtPagePoint(10, 2899).day, 32);
    // Far down the view image.
    EXPECT_GT(cellAtPagePoint(10, viewHeight - 1).day, 31);
}

}  // namespace
