// Texts that come to the page from outside it, the national holidays and the
// events of an agenda, written into its days by one rule. Portable.
#pragma once

#include "calendar/document.h"

#include <string>
#include <string_view>
#include <vector>

// One text for one day of the page.
struct DayText {
    int column;        // 1..4
    int day;           // 1..31
    std::string text;  // UTF-8
};

// The character of a Windows-1252 byte (U+FFFD for the five it has none for).
char32_t fromWindows1252(unsigned char byte);
// The length of the UTF-8 sequence at text[at] and its character in `c`; 0
// for a broken sequence (an overlong form, a surrogate, beyond U+10FFFF, a
// missing continuation byte).
int decodeUtf8(std::string_view text, std::size_t at, char32_t& c);

// UTF-8 as 8-bit cell text (Windows-1252): what that cannot hold, and every
// broken sequence, becomes one "?", and a line break (CR LF, CR or LF) one
// blank.
std::string cellTextOfUtf8(std::string_view utf8);

// Adds a text (UTF-8) to a day cell. A cell without text takes it with its
// own attributes, and a holiday is then also centred, bold and in the page's
// Sunday colour; a cell with text keeps its attributes and gets " · " and the
// text after its own. A text that the cell's text already holds is not added
// again, and the whole is cut to the cell's 273 characters (nothing is added
// to a cell without room for " · " and a character). A cell that draws no
// text (a day a work file had no record for) first gets a blank day's look.
// True when the cell's text changed.
bool addTextToCell(DayCell& cell, std::string_view text, bool holiday);

// Adds the texts to the document's cells in their order, each only where its
// day is on the page (the four months at their real lengths). The number of
// days whose text changed.
int addTextsToPage(const std::vector<DayText>& texts, bool holidays);

// The column (1..4) that shows a month of a year on the page starting at
// (firstMonth, firstYear), or 0 when the page does not show it.
int pageColumnOf(int firstMonth, int firstYear, int month, int year);

struct MonthDay {
    int month;
    int day;
};
// Western Easter Sunday of a year by the Gregorian computus.
MonthDay easterSunday(int year);
// The holidays that the state fixes for the whole of Spain on the page's
// days, for each column's own year, column by column and day by day.
std::vector<DayText> nationalHolidays(int firstMonth, int firstYear);
