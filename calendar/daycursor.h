// The day cursor: the day of the page that the keyboard acts on, how the keys
// move it, and how little the page scrolls to show it. Portable.
#pragma once

#include <cstdint>

struct DayPos {
    int column;  // 1..4
    int day;     // 1..31
    bool operator==(const DayPos&) const = default;
};

// The days of the page that starts at (firstMonth, firstYear), in calendar
// order: column by column, each from its first day to its last. Day number
// `index` (from 1) and the index of a day; 0 for a day the page lacks.
int pageDayCount(int firstMonth, int firstYear);
DayPos pageDayAt(int firstMonth, int firstYear, int index);
int pageDayIndex(int firstMonth, int firstYear, DayPos at);

// Where a new page puts the cursor: on today's day when the page shows it,
// otherwise on the first day of column 1.
DayPos startingDay(int firstMonth, int firstYear, int todayYear, int todayMonth, int todayDay);
// The cursor kept on a page that came in place of another: its day cut to
// its column's last.
DayPos keptOnPage(DayPos at, int firstMonth, int firstYear);
// The next (+1) or the previous (-1) day in calendar order; the cursor stays
// on the page's last and first day.
DayPos stepDay(DayPos at, int step, int firstMonth, int firstYear);
// The same day number in the column to the left (-1) or to the right (+1),
// or that month's last day when it is shorter; at the first and the last
// column the cursor stays.
DayPos sideDay(DayPos at, int step, int firstMonth, int firstYear);

// The scroll offset (viewY) nearest to `viewY` at which the whole box of a
// day shows on a canvas `rows` high: the page moves no more than needed, and
// never beyond the offsets the scroll keys reach.
int32_t offsetShowing(int day, int32_t viewY, int rows);
