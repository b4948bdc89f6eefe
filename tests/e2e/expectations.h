// What the program's pages, bitmap files and work files must hold, worked out
// here from the calendar and the page's published layout, with none of the
// program's own code: weekdays come from a count of days since 1970-01-01,
// month lengths from the distance between two first days.
#pragma once

#include "driver.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

int daysInMonth(int year, int month);
bool isSunday(int year, int month, int day);

struct MonthOfYear {
    int month;
    int year;
};
// The month that page column 1..4 shows for a page starting at (month, year).
MonthOfYear columnMonth(int firstMonth, int firstYear, int column);

// The page: 1000 x 2900 pixels; each day's box is 246 x 90 pixels with a
// one-pixel border, boxes 2 pixels apart, the first at (3, 3).
constexpr int pageWidth = 1000;
constexpr int pageHeight = 2900;
constexpr int boxWidth = 246;
constexpr int boxHeight = 90;
struct Box {
    int left;
    int top;
};
Box cellBox(int column, int day);

// The colours of a selected cell: a dark blue box, white number and caption.
constexpr COLORREF selectedFill = RGB(0, 0, 139);
constexpr COLORREF white = RGB(255, 255, 255);

// A 1000 x 2900, 24-bit, bottom-up BMP file, read through its own headers.
class BitmapFile {
public:
    // Reads the file; problem() tells what is wrong with it, if anything.
    explicit BitmapFile(const std::string& bytes);
    const std::string& problem() const { return problem_; }
    int width() const { return width_; }
    int height() const { return height_; }
    COLORREF at(int x, int y) const;  // 0x00BBGGRR, y counted from the top

private:
    std::string bytes_;
    std::string problem_;
    int width_ = 0;
    int height_ = 0;
    bool bottomUp_ = true;
    std::size_t offset_ = 0;
    std::size_t rowBytes_ = 0;
};

// What one day cell must show: its border, its fill away from its texts, its
// number, its caption, and the number colour that it must not show.
struct CellLook {
    COLORREF border;
    COLORREF fill;
    COLORREF number;
    COLORREF caption;
    COLORREF otherNumber;
};
CellLook unselectedLook(const PageColours& page, bool sunday, COLORREF fill = white);
CellLook selectedLook(const PageColours& page, bool sunday);
// Every way in which the picture of a cell differs from `look` (empty: none).
std::vector<std::string> cellProblems(const BitmapFile& page, int column, int day, const CellLook& look);
// Every cell of a page as a new page shows it (unedited, unselected), and
// the pixels where no cell lies (margins, below short months), which are
// white.
std::vector<std::string> pageProblems(const BitmapFile& page, int firstMonth, int firstYear, const PageColours& look);

// How many pixels of the canvas differ from the page shown `offset` pixels
// scrolled (the canvas's row y shows the page's row y + offset, white where
// the page is not), once they come to agree or the wait is over.
int differencesFromPage(HWND canvas, const BitmapFile& page, int offset = 0);
// How far the page is scrolled after a work file has been opened: to
// today's row, or to the 26th's from the 27th on.
int homeOffset();

// The ink of a cell's free text: the pixels in its text area that are near
// `ink` (what smoothing leaves of the text colour), as a bounding box in page
// pixels; right < left when there is none.
struct InkBox {
    int left;
    int top;
    int right;
    int bottom;
    bool empty() const { return right < left; }
};
InkBox textInk(const BitmapFile& page, int column, int day, COLORREF ink);
// The same within the rows top..bottom of the page only.
InkBox inkBetween(const BitmapFile& page, int column, int day, COLORREF ink, int top, int bottom);

// One 446-byte record of a work file, read through its published layout.
struct WorkRecord {
    int column;
    int day;
    COLORREF back;
    COLORREF ink;
    std::string face;
    int size;
    int bold, italic, underline, strikeout, leading;
    std::string text;
    int alignment;
    COLORREF pageLine;
    int pageYear;
    int pageMonth;
    COLORREF pageWeekday;
    COLORREF pageSunday;
    // The record's cell attributes, the page fields left out.
    bool sameCell(const WorkRecord& other) const;
};
constexpr std::size_t workRecordSize = 446;
// The records of a work file; empty when its length is no whole number of
// records.
std::vector<WorkRecord> workRecords(const std::string& bytes);
// The record of a cell; one of column 0 when the file has none.
WorkRecord cellOf(const std::vector<WorkRecord>& records, int column, int day);
// A cell as "Borrar" or a new page leaves it.
bool isDefaultCell(const WorkRecord& record);

}  // namespace e2e
