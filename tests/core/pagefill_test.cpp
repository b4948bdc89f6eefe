// Texts written into the page's days from outside: the one rule that both the
// national holidays and an agenda follow, in a table of cells before and
// after, and an agenda's entries as the texts of a page's days. (The holidays
// of the pages of a century are tests/oracles/check-agenda.py's.)
#include "calendar/pagefill.h"
#include "files/agenda.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

TEST(PageFill, ATextGoesIntoItsDayByOneRule) {
    resetAllCells();
    firstMonth = 12, firstYear = 2027, sundayDateColour = 0x0000FF;
    const std::string full(270, 'x'), almost(269, 'x');
    const struct { std::string before, added; bool holiday; std::string after; bool styled; } rows[] = {
        {"", "A\u00f1o Nuevo", true, "A\xF1o Nuevo", true},  // an empty day: centred, bold, Sunday colour
        {"", "09:30 Dentista", false, "09:30 Dentista", false},
        {"Cena", "Reyes", true, "Cena \xB7 Reyes", false},   // its own attributes kept
        {"Cena \xB7 Reyes", "Reyes", false, "Cena \xB7 Reyes", false},  // held already: not again
        {"", "  \u20ac 5\u00a0\u0101\u221e\U0001F600\xC3(\r\n)  ", false, "\x80 5\xA0???" "?( )", false},
        {almost, "Reyes", false, almost + " \xB7 R", false},  // cut to 273; no room for a character: nothing
        {full, "Reyes", true, full, false}, {"", " ", true, "", false},
    };
    for (const auto& row : rows) {
        DayCell& cell = cellAt(2, 3);
        resetCell(2, 3);
        assignField(cell.text, row.before);
        EXPECT_EQ(addTextToCell(cell, row.added, row.holiday), row.after != row.before) << row.added;
        EXPECT_EQ(cell.text, row.after) << row.added;
        EXPECT_EQ(std::tuple(int{cell.alignment}, cell.bold, cell.fontColour),
                  row.styled ? std::tuple(133, 1, 255) : std::tuple(131, 0, 0)) << row.added;
    }
    // A day that a work file had no record for draws no text: it takes a blank day's look.
    DayCell zero{};
    EXPECT_TRUE(addTextToCell(zero, "Reyes", false) && zero.text == std::string("Reyes") && zero.alignment == 131 &&
                zero.backColour == 0xFFFFFF && zero.fontName == std::string("Times New Roman") && zero.fontSize == 10);
    // Days the page does not show are left alone; a day changed twice counts once.
    EXPECT_EQ(addTextsToPage({{2, 31, "31 de enero"}, {3, 30, "30 de febrero"}, {5, 1, "columna 5"},
                              {4, 31, "31 de marzo"}, {4, 31, "otra vez"}, {0, 1, "columna 0"}}, false), 2);
    EXPECT_EQ(std::string(cellAt(4, 31).text) + "|" + cellAt(3, 30).text, "31 de marzo \xB7 otra vez|");
}

TEST(PageFill, AnAgendasEntriesComeAllDayFirstAsListedThenTimedByTheirStart) {
    // Entries of two days, one off the page, as the reader gives them: in no order.
    const std::vector<AgendaEntry> entries = {
        {{2028, 1, 5}, true, 18 * 60, 0, "Clase"},  {{2028, 1, 5}, false, 0, 3, "Reyes"},
        {{2028, 1, 5}, true, 9 * 60 + 5, 4, "Dentista"}, {{2028, 1, 5}, false, 0, 1, "Cumplea\xC3\xB1os"},
        {{2028, 4, 1}, false, 0, 2, "Fuera"},  {{2027, 12, 31}, true, 23 * 60 + 59, 5, "Uvas"},
        {{2028, 1, 5}, true, 9 * 60 + 5, 2, "Antes"}};
    std::string texts;
    for (const DayText& t : agendaDayTexts(entries, 12, 2027))
        texts += std::to_string(t.column) + "/" + std::to_string(t.day) + " " + t.text + "; ";
    EXPECT_EQ(texts, "1/31 23:59 Uvas; 2/5 Cumplea\xC3\xB1os; 2/5 Reyes; 2/5 09:05 Antes; 2/5 09:05 Dentista; 2/5 18:00 Clase; ");
    CivilDate first{}, last{};
    pageDateRange(11, 2027, first, last);
    EXPECT_TRUE(first == (CivilDate{2027, 11, 1}) && last == (CivilDate{2028, 2, 29}));
}
