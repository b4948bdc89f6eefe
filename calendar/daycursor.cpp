#include "calendar/daycursor.h"

#include "calendar/document.h"
#include "calendar/monthlayout.h"
#include "calendar/pagefill.h"

#include <algorithm>

namespace {

int columnDays(int firstMonth, int firstYear, int column) {
    const MonthYear shown = columnMonth(firstMonth, firstYear, column);
    return daysInMonth(shown.month, shown.year);
}

}  // namespace

int pageDayCount(int firstMonth, int firstYear) {
    int days = 0;
    for (int column = 1; column <= pageColumns; ++column) days += columnDays(firstMonth, firstYear, column);
    return days;
}

DayPos pageDayAt(int firstMonth, int firstYear, int index) {
    for (int column = 1; column <= pageColumns && index > 0; ++column) {
        const int days = columnDays(firstMonth, firstYear, column);
        if (index <= days) return {column, index};
        index -= days;
    }
    return {0, 0};
}

int pageDayIndex(int firstMonth, int firstYear, DayPos at) {
    if (at.column < 1 || at.column > pageColumns || at.day < 1 || at.day > columnDays(firstMonth, firstYear, at.column))
        return 0;
    int index = at.day;
    for (int column = 1; column < at.column; ++column) index += columnDays(firstMonth, firstYear, column);
    return index;
}

DayPos startingDay(int firstMonth, int firstYear, int todayYear, int todayMonth, int todayDay) {
    const int column = pageColumnOf(firstMonth, firstYear, todayMonth, todayYear);
    return column ? DayPos{column, todayDay} : DayPos{1, 1};
}

DayPos keptOnPage(DayPos at, int firstMonth, int firstYear) {
    const int column = std::clamp(at.column, 1, int{pageColumns});
    return {column, std::clamp(at.day, 1, columnDays(firstMonth, firstYear, column))};
}

DayPos stepDay(DayPos at, int step, int firstMonth, int firstYear) {
    const int index = pageDayIndex(firstMonth, firstYear, at) + step;
    return index < 1 || index > pageDayCount(firstMonth, firstYear) ? at : pageDayAt(firstMonth, firstYear, index);
}

DayPos sideDay(DayPos at, int step, int firstMonth, int firstYear) {
    const int column = at.column + step;
    if (column < 1 || column > pageColumns) return at;
    return {column, std::min(at.day, columnDays(firstMonth, firstYear, column))};
}

int32_t offsetShowing(int day, int32_t viewY, int rows) {
    // What the scroll keys reach: Up from a wheel step below the top gives
    // +77, Down from just above -2288.5 gives -2380.
    constexpr int32_t highest = 77, lowest = -2380;
    const CellBox box = cellBox(1, day);
    int32_t y = viewY;
    if (box.y + box.height + y > rows) y = rows - box.y - box.height;
    if (box.y + y < 0) y = -box.y;
    return std::clamp(y, lowest, highest);
}
