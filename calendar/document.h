// The calendar document: the page fields, the table of day cells and the
// run-time state that lives beside them (selection, copy source, mouse modes,
// the busy guard and the view offset). Portable: no platform headers.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

// A 24-bit colour 0x00BBGGRR in a 32-bit integer; negative means "no colour".
using Colour = int32_t;

enum : int16_t {
    alignLeft = 131,
    alignRight = 132,
    alignCentre = 133,
    alignJustified = 134,
};

constexpr int pageColumns = 4;
constexpr int pageDays = 31;
constexpr int fontNameCapacity = 100;  // bytes, zero included
constexpr int cellTextCapacity = 274;  // bytes, zero included

// One day cell. The fields are in the order and of the widths of one record of
// the work file.
struct DayCell {
    int32_t reserved1;
    int32_t reserved2;
    int32_t reserved3;
    int32_t reserved4;
    int16_t column;  // 1..4, stamped by the renderer
    int16_t day;     // 1..31, stamped by the renderer; 0 = not part of the page
    Colour backColour;
    Colour fontColour;
    char fontName[fontNameCapacity];
    int16_t fontSize;
    int32_t bold;
    int32_t italic;
    int32_t underline;
    int32_t strikeout;
    int32_t leading;
    char text[cellTextCapacity];
    int16_t alignment;
    Colour pageLineColour;
    int32_t selected;  // never saved
    int16_t pageYear;
    int16_t pageMonth;
    Colour pageWeekdayDateColour;
    Colour pageSundayDateColour;
};

// Font style word bits.
enum : int32_t {
    styleBold = 1,
    styleItalic = 2,
    styleUnderline = 4,
    styleStrikeout = 8,
    styleLeading = 16,
};

// Page fields.
extern int16_t firstMonth;  // 0 = no page yet
extern int16_t firstYear;
extern Colour lineColour;
extern Colour weekdayDateColour;
extern Colour sundayDateColour;

// The cell table, indexed (column 1..4, day 1..31), column fastest in storage.
// It does not exist until the first new page or the first loaded work file.
bool cellTableExists();
DayCell& cellAt(int column, int day);
// Creates the table anew with every byte zero (the loader fills it itself).
void createCellTable();
// How many times the table has been created anew: a new page, a work file.
unsigned cellTableSerial();

// The whole document as it stands, to be put back later: the page fields and a
// copy of the cell table (empty when there is none).
struct DocumentSnapshot {
    int16_t firstMonth;
    int16_t firstYear;
    Colour lineColour;
    Colour weekdayDateColour;
    Colour sundayDateColour;
    int16_t selectionCount;
    std::vector<DayCell> cells;
};
DocumentSnapshot takeSnapshot();
void restoreSnapshot(const DocumentSnapshot& snapshot);
// Puts the snapshot's document in place and leaves the one it replaces in the
// snapshot; nothing is copied.
void exchangeSnapshot(DocumentSnapshot& snapshot);
// True while the document is as the snapshot holds it, its cell table byte for
// byte.
bool documentMatches(const DocumentSnapshot& snapshot);
// True when there is a page to draw: a cell table and a valid month and year.
bool pageExists();

// Copies text into a fixed zero-terminated field, cut to capacity - 1 bytes.
void assignField(char* field, int capacity, std::string_view text);
template <int N>
void assignField(char (&field)[N], std::string_view text) {
    assignField(field, N, text);
}

void resetAllCells();
void resetCell(int column, int day);
// The eleven attributes of a blank day: white, black "Times New Roman" 10, no
// styles, no text, left.
void setCellDefaults(DayCell& cell);
void copyCellAttributes(int fromColumn, int fromDay, int toColumn, int toDay);
// The font style word of five flags; a flag counts only when it is exactly 1.
int32_t fontStyleWord(int32_t bold, int32_t italic, int32_t underline, int32_t strikeout, int32_t leading);
int32_t cellFontStyle(int column, int day);
// Marks a cell as drawn on the page at (column, day) and copies the page
// fields into it, as every drawing of the page does.
void stampCell(DayCell& cell, int column, int day);
void clearSelection();
void selectCell(int column, int day);

// Run-time state beside the document.
extern int16_t selectionCount;
extern int16_t selectedColumn;
extern int16_t selectedDay;
extern int16_t copyColumn;
extern int16_t copyDay;
extern int16_t pasteColumn;
extern int16_t pasteDay;
extern int32_t leftButtonMode;   // 1 "Selector", 2 "Editar Texto y Colores"
extern int32_t rightButtonMode;  // 1 "Captar Color", 2 "Colores Favoritos"
extern int32_t busy;             // 1 while a modal interaction is running

struct ViewRec {
    int32_t viewX;
    int32_t viewY;
    int32_t width;
    int32_t height;
};
// Only element 1 is used.
extern std::array<ViewRec, 5> viewRecs;
inline int32_t& viewY = viewRecs[1].viewY;
// Clears elements 0..4, then sets element 1 to (0, y, 1000, 4577).
void resetView(int32_t y);

extern int32_t homeScrollY;
// The offset that puts row `dayOfMonth` (1..31) at the top of the canvas; from
// the 27th on the view stays at the row of the 26th.
int32_t homeScrollYFor(int dayOfMonth);
