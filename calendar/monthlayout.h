// Calendar arithmetic and the fixed geometry of the page. Portable.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

extern int32_t cellWidth;   // 246
extern int32_t cellHeight;  // 90

constexpr int cellGap = 2;
constexpr int pageOrigin = cellGap + 1;     // x of column 1, y of day 1
constexpr int columnPitch = 246 + cellGap;  // 248
constexpr int rowPitch = 90 + cellGap;      // 92
constexpr int pageWidth = 1000;
constexpr int pageHeight = 2900;
constexpr int viewWidth = 1000;
constexpr int viewHeight = 4577;

// "Enero".."Diciembre" for 1..12, empty otherwise.
std::string_view monthName(int month);
// 1 = Sunday .. 7 = Saturday.
int weekdayOf(int year, int month, int day);
// "Domingo".."Sabado".
std::string_view weekdayName(int year, int month, int day);
int16_t daysInMonth(int month, int year);
int16_t februaryDays(int year);

struct MonthYear {
    int16_t month;
    int16_t year;
};
// The month and year that column 1..4 shows for a page starting at
// (firstMonth, firstYear).
MonthYear columnMonth(int firstMonth, int firstYear, int column);

struct CellBox {
    int x;
    int y;
    int width;
    int height;
};
CellBox cellBox(int column, int day);

struct CellPos {
    int column;  // outside 1..4: no cell there
    int day;     // outside 1..31: no cell there
};
// The cell whose pitch holds the page point (px, py >= 0).
CellPos cellAtPagePoint(int px, int py);

// "Calendario Diciembre 2027 - Marzo 2028": the first and the last month of
// the page that starts at (firstMonth, firstYear).
std::string calendarTitle(int firstMonth, int firstYear);
