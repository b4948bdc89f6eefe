// The calendar document and the run-time state beside it.
#include "calendar/document.h"

#include "calendar/monthlayout.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <utility>
#include <vector>

// Page fields.
int16_t firstMonth = 0;
int16_t firstYear = 0;
Colour lineColour = 0x00000000;
Colour weekdayDateColour = 0x00000000;
Colour sundayDateColour = 0x000000FF;

// Run-time state.
int16_t selectionCount = 0;
int16_t selectedColumn = 0;
int16_t selectedDay = 0;
int16_t copyColumn = 0;
int16_t copyDay = 0;
int16_t pasteColumn = 0;
int16_t pasteDay = 0;
int32_t leftButtonMode = 1;
int32_t rightButtonMode = 1;
int32_t busy = 0;

std::array<ViewRec, 5> viewRecs = {{
    {0, 0, 0, 0},
    {0, 0, viewWidth, viewHeight},
    {0, 0, 0, 0},
    {0, 0, 0, 0},
    {0, 0, 0, 0},
}};

int32_t homeScrollY = 0;

namespace {

constexpr std::size_t cellCount = std::size_t{pageColumns} * pageDays;

// Empty until the first new page or loaded work file. Record order is
// (1,1), (2,1), (3,1), (4,1), (1,2), ... (4,31): the column varies fastest.
std::vector<DayCell> cells;

constexpr char defaultFontName[] = "Times New Roman";

}  // namespace

bool cellTableExists() {
    return !cells.empty();
}

DayCell& cellAt(int column, int day) {
    return cells[static_cast<std::size_t>(day - 1) * pageColumns + static_cast<std::size_t>(column - 1)];
}

namespace {

unsigned tableSerial = 0;

}  // namespace

unsigned cellTableSerial() { return tableSerial; }

void createCellTable() {
    ++tableSerial;
    cells.assign(cellCount, DayCell{});
    // Padding included: the table starts with every byte zero.
    std::memset(static_cast<void*>(cells.data()), 0, cells.size() * sizeof(DayCell));
}

void assignField(char* field, int capacity, std::string_view text) {
    if (capacity <= 0) {
        return;
    }
    const std::size_t room = static_cast<std::size_t>(capacity) - 1;
    const std::size_t length = std::min(text.size(), room);
    std::memcpy(field, text.data(), length);
    std::memset(field + length, 0, static_cast<std::size_t>(capacity) - length);
}

void resetAllCells() {
    createCellTable();
    for (int column = 1; column <= pageColumns; ++column) {
        for (int day = 1; day <= pageDays; ++day) {
            resetCell(column, day);
        }
    }
}

void resetCell(int column, int day) {
    setCellDefaults(cellAt(column, day));
}

void setCellDefaults(DayCell& cell) {
    cell.backColour = 0x00FFFFFF;
    cell.fontColour = 0x00000000;
    assignField(cell.fontName, defaultFontName);
    cell.fontSize = 10;
    cell.bold = 0;
    cell.italic = 0;
    cell.underline = 0;
    cell.strikeout = 0;
    cell.leading = 0;
    assignField(cell.text, "");
    cell.alignment = alignLeft;
}

void copyCellAttributes(int fromColumn, int fromDay, int toColumn, int toDay) {
    const DayCell& from = cellAt(fromColumn, fromDay);
    DayCell& to = cellAt(toColumn, toDay);
    if (&from == &to) {
        return;
    }
    to.backColour = from.backColour;
    to.fontColour = from.fontColour;
    std::memcpy(to.fontName, from.fontName, sizeof to.fontName);
    to.fontSize = from.fontSize;
    to.bold = from.bold;
    to.italic = from.italic;
    to.underline = from.underline;
    to.strikeout = from.strikeout;
    to.leading = from.leading;
    std::memcpy(to.text, from.text, sizeof to.text);
    to.alignment = from.alignment;
}

int32_t fontStyleWord(int32_t bold, int32_t italic, int32_t underline, int32_t strikeout, int32_t leading) {
    int32_t style = 0;
    if (bold == 1) style += styleBold;
    if (italic == 1) style += styleItalic;
    if (underline == 1) style += styleUnderline;
    if (strikeout == 1) style += styleStrikeout;
    if (leading == 1) style += styleLeading;
    return style;
}

int32_t cellFontStyle(int column, int day) {
    const DayCell& cell = cellAt(column, day);
    return fontStyleWord(cell.bold, cell.italic, cell.underline, cell.strikeout, cell.leading);
}

void clearSelection() {
    for (DayCell& cell : cells) {
        cell.selected = 0;
    }
}

void selectCell(int column, int day) {
    cellAt(column, day).selected = 1;
    selectionCount = static_cast<int16_t>(selectionCount + 1);
    selectedColumn = static_cast<int16_t>(column);
    selectedDay = static_cast<int16_t>(day);
}

void resetView(int32_t y) {
    for (ViewRec& rec : viewRecs) {
        rec = ViewRec{0, 0, 0, 0};
    }
    viewRecs[1] = ViewRec{0, y, viewWidth, viewHeight};
}

int32_t homeScrollYFor(int dayOfMonth) {
    // From the 27th on, the last rows still fill the canvas from the 26th.
    constexpr int lastHomeDay = 26;
    const int day = dayOfMonth > lastHomeDay ? lastHomeDay : dayOfMonth;
    return -rowPitch * (day - 1);
}

DocumentSnapshot takeSnapshot() {
    return {firstMonth, firstYear, lineColour, weekdayDateColour, sundayDateColour, selectionCount, cells};
}

void restoreSnapshot(const DocumentSnapshot& snapshot) {
    firstMonth = snapshot.firstMonth;
    firstYear = snapshot.firstYear;
    lineColour = snapshot.lineColour;
    weekdayDateColour = snapshot.weekdayDateColour;
    sundayDateColour = snapshot.sundayDateColour;
    selectionCount = snapshot.selectionCount;
    cells = snapshot.cells;
}

void exchangeSnapshot(DocumentSnapshot& snapshot) {
    std::swap(firstMonth, snapshot.firstMonth);
    std::swap(firstYear, snapshot.firstYear);
    std::swap(lineColour, snapshot.lineColour);
    std::swap(weekdayDateColour, snapshot.weekdayDateColour);
    std::swap(sundayDateColour, snapshot.sundayDateColour);
    std::swap(selectionCount, snapshot.selectionCount);
    cells.swap(snapshot.cells);
}

bool documentMatches(const DocumentSnapshot& snapshot) {
    return firstMonth == snapshot.firstMonth && firstYear == snapshot.firstYear && lineColour == snapshot.lineColour &&
           weekdayDateColour == snapshot.weekdayDateColour && sundayDateColour == snapshot.sundayDateColour &&
           selectionCount == snapshot.selectionCount && cells.size() == snapshot.cells.size() &&
           (cells.empty() || std::memcmp(cells.data(), snapshot.cells.data(), cells.size() * sizeof(DayCell)) == 0);
}

void stampCell(DayCell& cell, int column, int day) {
    cell.pageMonth = firstMonth;
    cell.pageYear = firstYear;
    cell.column = static_cast<int16_t>(column);
    cell.day = static_cast<int16_t>(day);
    cell.pageLineColour = lineColour;
    cell.pageWeekdayDateColour = weekdayDateColour;
    cell.pageSundayDateColour = sundayDateColour;
}

bool pageExists() {
    return cellTableExists() && firstMonth >= 1 && firstMonth <= 12 && firstYear >= 1;
}
