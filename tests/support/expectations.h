// What the program's pages, bitmap files and work files must hold, worked out
// here from the calendar and the page's published layout, with none of the
// program's own code: weekdays come from a count of days since 1970-01-01,
// month lengths from the distance between two first days.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

constexpr int pageHeight = 2900;

// A column of a page as the day count gives it: its month and year, its
// number of days and the weekday of its first day (0 Sunday .. 6 Saturday).
struct ColumnTruth { int month, year, days, firstWeekday; };
ColumnTruth columnTruth(int firstMonth, int firstYear, int column);

// The page as "Fotocopia" writes it: a 24-bit, bottom-up BMP file of
// 1000 x 2900 pixels, read at its fixed places (its headers are read by
// Python's PIL in scripts/test); problem() tells what is wrong with it, if
// anything.
struct BitmapFile {
    std::string bytes;
    std::string problem() const;
    COLORREF at(int x, int y) const;  // 0x00BBGGRR, y counted from the top
};

// One 446-byte record of a work file: its column and day (bytes 16..19), and
// the bytes of the cell's own attributes (20..425: colours, face, size,
// styles, text at 150, alignment), which the page fields follow.
struct WorkRecord {
    int column = 0, day = 0;
    std::string cell;
    std::string text() const { return cell.substr(130, cell.find('\0', 130) - 130); }
};
// The records of a work file; none when its length is no whole number of
// records.
std::vector<WorkRecord> workRecords(const std::string& bytes);
// The record of a cell; an empty one when the file has none.
WorkRecord cellOf(const std::vector<WorkRecord>& records, int column, int day);

}  // namespace e2e
