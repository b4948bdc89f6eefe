// Calendar arithmetic and the fixed geometry of the page.
#include "calendar/monthlayout.h"

#include <array>
#include <string>

int32_t cellWidth = 246;
int32_t cellHeight = 90;

namespace {

constexpr std::array<std::string_view, 12> monthNames = {
    "Enero", "Febrero", "Marzo",      "Abril",   "Mayo",      "Junio",
    "Julio", "Agosto",  "Septiembre", "Octubre", "Noviembre", "Diciembre",
};

constexpr std::array<std::string_view, 7> weekdayNames = {
    "Domingo", "Lunes", "Martes", "Miercoles", "Jueves", "Viernes", "Sabado",
};

constexpr int boxWidth = columnPitch - cellGap;  // 246
constexpr int boxHeight = rowPitch - cellGap;    // 90

}  // namespace

std::string_view monthName(int month) {
    if (month < 1 || month > 12) {
        return {};
    }
    return monthNames[static_cast<std::size_t>(month - 1)];
}

int weekdayOf(int year, int month, int day) {
    // Zeller's congruence with March as month 1; January and February count
    // as months 11 and 12 of the year before. Integer division truncates.
    int m = month - 2;
    int y = year;
    if (m <= 0) {
        m += 12;
        y -= 1;
    }
    const int k = y % 100;
    const int j = y / 100;
    int w = (26 * m - 2) / 10 + day + k + k / 4 + j / 4 - 2 * j;
    while (w < 0) {
        w += 7;
    }
    return 1 + w % 7;
}

std::string_view weekdayName(int year, int month, int day) {
    const int weekday = weekdayOf(year, month, day);
    if (weekday < 1 || weekday > 7) {
        return {};
    }
    return weekdayNames[static_cast<std::size_t>(weekday - 1)];
}

int16_t februaryDays(int year) {
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return leap ? 29 : 28;
}

int16_t daysInMonth(int month, int year) {
    switch (month) {
    case 1:
    case 3:
    case 5:
    case 7:
    case 8:
    case 10:
    case 12:
        return 31;
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    case 2:
        return februaryDays(year);
    default:
        return 0;
    }
}

MonthYear columnMonth(int firstMonth, int firstYear, int column) {
    int month = firstMonth;
    int year = firstYear;
    for (int c = 1; c < column; ++c) {
        ++month;
        if (month > 12) {
            month = 1;
            ++year;
        }
    }
    return MonthYear{static_cast<int16_t>(month), static_cast<int16_t>(year)};
}

CellBox cellBox(int column, int day) {
    return CellBox{pageOrigin + columnPitch * (column - 1), pageOrigin + rowPitch * (day - 1), boxWidth,
                   boxHeight};
}

CellPos cellAtPagePoint(int px, int py) {
    // The origin and the gaps are deliberately ignored: a point belongs to
    // the cell whose pitch it lies in.
    return CellPos{px / columnPitch + 1, py / rowPitch + 1};
}

std::string calendarTitle(int firstMonth, int firstYear) {
    const MonthYear last = columnMonth(firstMonth, firstYear, 4);
    std::string title = "Calendario ";
    title += monthName(firstMonth);
    title += " " + std::to_string(firstYear) + " - ";
    title += monthName(last.month);
    title += " " + std::to_string(last.year);
    return title;
}
