// The calendar document: cell table, cell operations and run-time state.
#include "calendar/document.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <string_view>

namespace {

std::string_view fieldText(const char* field, int capacity) {
    const void* end = std::memchr(field, '\0', static_cast<std::size_t>(capacity));
    if (end == nullptr) {
        return std::string_view(field, static_cast<std::size_t>(capacity));  // unterminated: a fault
    }
    return std::string_view(field, static_cast<std::size_t>(static_cast<const char*>(end) - field));
}

std::string_view fontNameOf(const DayCell& cell) {
    return fieldText(cell.fontName, fontNameCapacity);
}

std::string_view textOf(const DayCell& cell) {
    return fieldText(cell.text, cellTextCapacity);
}

void expectDefaultAttributes(const DayCell& cell) {
    EXPECT_EQ(cell.backColour, 0x00FFFFFF);
    EXPECT_EQ(cell.fontColour, 0x00000000);
    EXPECT_EQ(fontNameOf(cell), "Times New Roman");
    EXPECT_EQ(cell.fontSize, 10);
    EXPECT_EQ(cell.bold, 0);
    EXPECT_EQ(cell.italic, 0);
    EXPECT_EQ(cell.underline, 0);
    EXPECT_EQ(cell.strikeout, 0);
    EXPECT_EQ(cell.leading, 0);
    EXPECT_EQ(textOf(cell), "");
    EXPECT_EQ(cell.alignment, alignLeft);
}

// Fills every field of a cell with values that no default has.
void scribble(DayCell& cell, int seed) {
    cell.reserved1 = 1000 + seed;
    cell.reserved2 = 2000 + seed;
    cell.reserved3 = 3000 + seed;
    cell.reserved4 = 4000 + seed;
    cell.column = static_cast<int16_t>(1 + seed % 4);
    cell.day = static_cast<int16_t>(1 + seed % 31);
    cell.backColour = 0x00123456 + seed;
    cell.fontColour = 0x00654321 + seed;
    assignField(cell.fontName, "Arial " + std::to_string(seed));
    cell.fontSize = static_cast<int16_t>(20 + seed);
    cell.bold = 1;
    cell.italic = 1;
    cell.underline = 1;
    cell.strikeout = 1;
    cell.leading = 1;
    assignField(cell.text, "Cumple de Ana " + std::to_string(seed));
    cell.alignment = alignJustified;
    cell.pageLineColour = 0x00010203 + seed;
    cell.selected = 1;
    cell.pageYear = static_cast<int16_t>(1990 + seed);
    cell.pageMonth = static_cast<int16_t>(1 + seed % 12);
    cell.pageWeekdayDateColour = 0x00040506 + seed;
    cell.pageSundayDateColour = 0x00070809 + seed;
}

// Every test starts from a fresh page and leaves the run-time state at its
// start values, so the tests do not depend on their order.
class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetAllCells();
        restoreRunTimeState();
    }
    void TearDown() override { restoreRunTimeState(); }

    static void restoreRunTimeState() {
        selectionCount = 0;
        selectedColumn = 0;
        selectedDay = 0;
        copyColumn = 0;
        copyDay = 0;
        pasteColumn = 0;
        pasteDay = 0;
        leftButtonMode = 1;
        rightButtonMode = 1;
        busy = 0;
    }
};

TEST(DocumentStart, PageFieldsAndRunTimeStateHaveTheirStartValues) {
    EXPECT_EQ(firstMonth, 0);
    EXPECT_EQ(firstYear, 0);
    EXPECT_EQ(lineColour, 0x00000000);
    EXPECT_EQ(weekdayDateColour, 0x00000000);
    EXPECT_EQ(sundayDateColour, 0x000000FF);
    EXPECT_EQ(selectionCount, 0);
    EXPECT_EQ(selectedColumn, 0);
    EXPECT_EQ(selectedDay, 0);
    EXPECT_EQ(copyColumn, 0);
    EXPECT_EQ(copyDay, 0);
    EXPECT_EQ(pasteColumn, 0);
    EXPECT_EQ(pasteDay, 0);
    EXPECT_EQ(leftButtonMode, 1);
    EXPECT_EQ(rightButtonMode, 1);
    EXPECT_EQ(busy, 0);
}

TEST(DocumentStart, AlignmentCodes) {
    EXPECT_EQ(alignLeft, 131);
    EXPECT_EQ(alignRight, 132);
    EXPECT_EQ(alignCentre, 133);
    EXPECT_EQ(alignJustified, 134);
}

TEST_F(DocumentTest, TableRecordsAreStoredColumnFastest) {
    ASSERT_TRUE(cellTableExists());
    const DayCell* first = &cellAt(1, 1);
    for (int day = 1; day <= 31; ++day) {
        for (int column = 1; column <= 4; ++column) {
            EXPECT_EQ(&cellAt(column, day) - first, (day - 1) * 4 + (column - 1)) << column << "," << day;
        }
    }
}

TEST_F(DocumentTest, CellsAreIndependent) {
    cellAt(2, 1).fontSize = 33;
    EXPECT_EQ(cellAt(1, 2).fontSize, 10);
    EXPECT_EQ(cellAt(1, 1).fontSize, 10);
    EXPECT_EQ(cellAt(2, 1).fontSize, 33);
}

TEST_F(DocumentTest, CreateCellTableZeroesEverything) {
    for (int i = 0; i < 124; ++i) {
        scribble(cellAt(1 + i % 4, 1 + i / 4), i);
    }
    createCellTable();
    ASSERT_TRUE(cellTableExists());
    DayCell zero;
    std::memset(static_cast<void*>(&zero), 0, sizeof zero);
    for (int column = 1; column <= 4; ++column) {
        for (int day = 1; day <= 31; ++day) {
            EXPECT_EQ(std::memcmp(&cellAt(column, day), &zero, sizeof zero), 0) << column << "," << day;
        }
    }
}

TEST_F(DocumentTest, ResetAllCellsGivesDefaultsAndDayZeroEverywhere) {
    for (int i = 0; i < 124; ++i) {
        scribble(cellAt(1 + i % 4, 1 + i / 4), i);
    }
    resetAllCells();
    for (int column = 1; column <= 4; ++column) {
        for (int day = 1; day <= 31; ++day) {
            SCOPED_TRACE(testing::Message() << "cell " << column << "," << day);
            const DayCell& cell = cellAt(column, day);
            expectDefaultAttributes(cell);
            EXPECT_EQ(cell.day, 0);
            EXPECT_EQ(cell.column, 0);
            EXPECT_EQ(cell.selected, 0);
            EXPECT_EQ(cell.reserved1, 0);
            EXPECT_EQ(cell.reserved2, 0);
            EXPECT_EQ(cell.reserved3, 0);
            EXPECT_EQ(cell.reserved4, 0);
            EXPECT_EQ(cell.pageLineColour, 0);
            EXPECT_EQ(cell.pageYear, 0);
            EXPECT_EQ(cell.pageMonth, 0);
            EXPECT_EQ(cell.pageWeekdayDateColour, 0);
            EXPECT_EQ(cell.pageSundayDateColour, 0);
        }
    }
}

TEST_F(DocumentTest, ResetCellRestoresTheElevenAttributesOnly) {
    scribble(cellAt(3, 12), 7);
    scribble(cellAt(4, 12), 8);
    resetCell(3, 12);
    const DayCell& cell = cellAt(3, 12);
    expectDefaultAttributes(cell);
    EXPECT_EQ(cell.reserved1, 1007);
    EXPECT_EQ(cell.reserved2, 2007);
    EXPECT_EQ(cell.reserved3, 3007);
    EXPECT_EQ(cell.reserved4, 4007);
    EXPECT_EQ(cell.column, 4);
    EXPECT_EQ(cell.day, 8);
    EXPECT_EQ(cell.selected, 1);  // the caller clears the selection
    EXPECT_EQ(cell.pageLineColour, 0x00010203 + 7);
    EXPECT_EQ(cell.pageYear, 1997);
    EXPECT_EQ(cell.pageMonth, 8);
    EXPECT_EQ(cell.pageWeekdayDateColour, 0x00040506 + 7);
    EXPECT_EQ(cell.pageSundayDateColour, 0x00070809 + 7);
    // The neighbour is untouched.
    EXPECT_EQ(cellAt(4, 12).fontSize, 28);
    EXPECT_EQ(textOf(cellAt(4, 12)), "Cumple de Ana 8");
}

TEST_F(DocumentTest, ResetCellOfTheSelectedCellKeepsTheSelection) {
    selectCell(2, 5);
    resetCell(2, 5);
    EXPECT_EQ(cellAt(2, 5).selected, 1);
    EXPECT_EQ(selectionCount, 1);
}

TEST_F(DocumentTest, AssignFieldCutsAFaceNameOf120CharactersTo99) {
    std::string longName;
    for (int i = 0; i < 120; ++i) {
        longName.push_back(static_cast<char>('A' + i % 26));
    }
    DayCell& cell = cellAt(1, 1);
    assignField(cell.fontName, longName);
    EXPECT_EQ(fontNameOf(cell), std::string_view(longName).substr(0, 99));
    EXPECT_EQ(cell.fontName[99], '\0');
}

TEST_F(DocumentTest, AssignFieldKeepsATextThatFits) {
    DayCell& cell = cellAt(1, 1);
    const std::string exactly99(99, 'x');
    assignField(cell.fontName, exactly99);
    EXPECT_EQ(fontNameOf(cell), exactly99);
    const std::string exactly100(100, 'y');
    assignField(cell.fontName, exactly100);
    EXPECT_EQ(fontNameOf(cell), std::string(99, 'y'));
}

TEST_F(DocumentTest, AssignFieldCutsCellTextTo273) {
    DayCell& cell = cellAt(4, 31);
    const std::string longText(300, 'z');
    assignField(cell.text, longText);
    EXPECT_EQ(textOf(cell).size(), 273u);
    EXPECT_EQ(cell.text[273], '\0');
    // The fields after the text are not overwritten.
    EXPECT_EQ(cell.alignment, alignLeft);
}

TEST_F(DocumentTest, AssignFieldShorterTextLeavesNothingOfTheOldOne) {
    DayCell& cell = cellAt(1, 1);
    assignField(cell.text, "Una nota bastante larga");
    assignField(cell.text, "Hola");
    EXPECT_EQ(textOf(cell), "Hola");
    assignField(cell.text, "");
    EXPECT_EQ(textOf(cell), "");
}

TEST_F(DocumentTest, AssignFieldWithExplicitCapacity) {
    char field[8];
    std::memset(field, '#', sizeof field);
    assignField(field, 5, "abcdefgh");
    EXPECT_EQ(std::string_view(field), "abcd");
    EXPECT_EQ(field[5], '#');  // beyond the capacity nothing is touched
}

TEST_F(DocumentTest, CopyCellAttributesCopiesTheElevenAttributes) {
    scribble(cellAt(3, 12), 5);
    assignField(cellAt(3, 12).text, "Viaje a Lugo");
    cellAt(3, 12).italic = 2;
    copyCellAttributes(3, 12, 1, 1);
    const DayCell& from = cellAt(3, 12);
    const DayCell& to = cellAt(1, 1);
    EXPECT_EQ(to.backColour, from.backColour);
    EXPECT_EQ(to.fontColour, from.fontColour);
    EXPECT_EQ(fontNameOf(to), "Arial 5");
    EXPECT_EQ(to.fontSize, 25);
    EXPECT_EQ(to.bold, 1);
    EXPECT_EQ(to.italic, 2);
    EXPECT_EQ(to.underline, 1);
    EXPECT_EQ(to.strikeout, 1);
    EXPECT_EQ(to.leading, 1);
    EXPECT_EQ(textOf(to), "Viaje a Lugo");
    EXPECT_EQ(to.alignment, alignJustified);
    // The source is unchanged.
    EXPECT_EQ(textOf(from), "Viaje a Lugo");
    EXPECT_EQ(from.fontSize, 25);
}

TEST_F(DocumentTest, CopyCellAttributesLeavesTheTargetsOtherFieldsAlone) {
    scribble(cellAt(3, 12), 5);
    DayCell& to = cellAt(1, 1);
    to.reserved1 = 11;
    to.reserved2 = 22;
    to.reserved3 = 33;
    to.reserved4 = 44;
    to.column = 1;
    to.day = 1;
    to.selected = 0;
    to.pageLineColour = 0x00AABBCC;
    to.pageYear = 2025;
    to.pageMonth = 3;
    to.pageWeekdayDateColour = 0x00112233;
    to.pageSundayDateColour = 0x000000FF;
    copyCellAttributes(3, 12, 1, 1);
    EXPECT_EQ(to.reserved1, 11);
    EXPECT_EQ(to.reserved2, 22);
    EXPECT_EQ(to.reserved3, 33);
    EXPECT_EQ(to.reserved4, 44);
    EXPECT_EQ(to.column, 1);
    EXPECT_EQ(to.day, 1);
    EXPECT_EQ(to.selected, 0);
    EXPECT_EQ(to.pageLineColour, 0x00AABBCC);
    EXPECT_EQ(to.pageYear, 2025);
    EXPECT_EQ(to.pageMonth, 3);
    EXPECT_EQ(to.pageWeekdayDateColour, 0x00112233);
    EXPECT_EQ(to.pageSundayDateColour, 0x000000FF);
}

TEST_F(DocumentTest, CopyOntoItselfChangesNothing) {
    scribble(cellAt(2, 2), 3);
    copyCellAttributes(2, 2, 2, 2);
    EXPECT_EQ(textOf(cellAt(2, 2)), "Cumple de Ana 3");
    EXPECT_EQ(fontNameOf(cellAt(2, 2)), "Arial 3");
}

TEST_F(DocumentTest, PasteTakesTheSourceAsItIsWhenPasting) {
    // "Copiar" remembers a position, not the cell's contents.
    copyColumn = 3;
    copyDay = 12;
    assignField(cellAt(3, 12).text, "antes");
    // The source is edited after the copy.
    assignField(cellAt(3, 12).text, "despues");
    assignField(cellAt(3, 12).fontName, "Courier New");
    cellAt(3, 12).alignment = alignCentre;
    copyCellAttributes(copyColumn, copyDay, 1, 1);
    EXPECT_EQ(textOf(cellAt(1, 1)), "despues");
    EXPECT_EQ(fontNameOf(cellAt(1, 1)), "Courier New");
    EXPECT_EQ(cellAt(1, 1).alignment, alignCentre);
}

TEST_F(DocumentTest, PasteAfterANewPageGivesTheNewPagesDefaults) {
    copyColumn = 3;
    copyDay = 12;
    scribble(cellAt(3, 12), 9);
    resetAllCells();  // "Nuevo"
    scribble(cellAt(1, 1), 4);
    copyCellAttributes(copyColumn, copyDay, 1, 1);
    expectDefaultAttributes(cellAt(1, 1));
}

TEST_F(DocumentTest, FontStyleAddsEachFlagThatIsExactlyOne) {
    DayCell& cell = cellAt(2, 7);
    EXPECT_EQ(cellFontStyle(2, 7), 0);
    cell.bold = 1;
    EXPECT_EQ(cellFontStyle(2, 7), 1);
    cell.bold = 0;
    cell.italic = 1;
    EXPECT_EQ(cellFontStyle(2, 7), 2);
    cell.italic = 0;
    cell.underline = 1;
    EXPECT_EQ(cellFontStyle(2, 7), 4);
    cell.underline = 0;
    cell.strikeout = 1;
    EXPECT_EQ(cellFontStyle(2, 7), 8);
    cell.strikeout = 0;
    cell.leading = 1;
    EXPECT_EQ(cellFontStyle(2, 7), 16);
    cell.bold = 1;
    cell.italic = 1;
    cell.underline = 1;
    cell.strikeout = 1;
    EXPECT_EQ(cellFontStyle(2, 7), 31);
    cell.italic = 0;
    cell.strikeout = 0;
    EXPECT_EQ(cellFontStyle(2, 7), 1 + 4 + 16);
}

TEST_F(DocumentTest, FontStyleIgnoresFlagsOtherThanOne) {
    DayCell& cell = cellAt(4, 30);
    for (const int32_t value : {2, -1, 3, 255, 0x10001}) {
        cell.bold = value;
        cell.italic = value;
        cell.underline = value;
        cell.strikeout = value;
        cell.leading = value;
        EXPECT_EQ(cellFontStyle(4, 30), 0) << "flag value " << value;
    }
    cell.underline = 1;
    EXPECT_EQ(cellFontStyle(4, 30), 4);
}

TEST_F(DocumentTest, SelectCellMarksOneCell) {
    selectCell(3, 17);
    EXPECT_EQ(selectionCount, 1);
    EXPECT_EQ(selectedColumn, 3);
    EXPECT_EQ(selectedDay, 17);
    int marked = 0;
    for (int column = 1; column <= 4; ++column) {
        for (int day = 1; day <= 31; ++day) {
            marked += cellAt(column, day).selected;
        }
    }
    EXPECT_EQ(marked, 1);
    EXPECT_EQ(cellAt(3, 17).selected, 1);
}

TEST_F(DocumentTest, ClearSelectionUnmarksAllCells) {
    for (int column = 1; column <= 4; ++column) {
        for (int day = 1; day <= 31; ++day) {
            cellAt(column, day).selected = 1;
        }
    }
    cellAt(4, 31).fontSize = 44;
    clearSelection();
    for (int column = 1; column <= 4; ++column) {
        for (int day = 1; day <= 31; ++day) {
            EXPECT_EQ(cellAt(column, day).selected, 0) << column << "," << day;
        }
    }
    EXPECT_EQ(cellAt(4, 31).fontSize, 44);
}

TEST_F(DocumentTest, SelectionCycle) {
    selectCell(1, 31);
    EXPECT_EQ(cellAt(1, 31).selected, 1);
    clearSelection();
    selectionCount = 0;
    selectCell(4, 1);
    EXPECT_EQ(cellAt(1, 31).selected, 0);
    EXPECT_EQ(cellAt(4, 1).selected, 1);
    EXPECT_EQ(selectionCount, 1);
    EXPECT_EQ(selectedColumn, 4);
    EXPECT_EQ(selectedDay, 1);
}

TEST(View, ResetViewClearsAllElementsAndSetsElementOne) {
    for (ViewRec& rec : viewRecs) {
        rec = ViewRec{7, 8, 9, 10};
    }
    resetView(-460);
    for (std::size_t i = 0; i < viewRecs.size(); ++i) {
        if (i == 1) {
            continue;
        }
        EXPECT_EQ(viewRecs[i].viewX, 0) << i;
        EXPECT_EQ(viewRecs[i].viewY, 0) << i;
        EXPECT_EQ(viewRecs[i].width, 0) << i;
        EXPECT_EQ(viewRecs[i].height, 0) << i;
    }
    EXPECT_EQ(viewRecs[1].viewX, 0);
    EXPECT_EQ(viewRecs[1].viewY, -460);
    EXPECT_EQ(viewRecs[1].width, 1000);
    EXPECT_EQ(viewRecs[1].height, 4577);
    EXPECT_EQ(viewY, -460);
    viewY = -92;
    EXPECT_EQ(viewRecs[1].viewY, -92);
    resetView(0);
}

TEST(View, HomeScrollPutsTodaysRowAtTheTop) {
    EXPECT_EQ(homeScrollYFor(1), 0);
    EXPECT_EQ(homeScrollYFor(2), -92);
    EXPECT_EQ(homeScrollYFor(15), -92 * 14);
    EXPECT_EQ(homeScrollYFor(26), -2300);
    EXPECT_EQ(homeScrollYFor(27), -2300);
    EXPECT_EQ(homeScrollYFor(31), -2300);
    for (int day = 1; day <= 31; ++day) {
        const int32_t y = homeScrollYFor(day);
        EXPECT_LE(y, 0);
        EXPECT_GE(y, -2300);
        EXPECT_EQ(y % 92, 0);
    }
}

}  // namespace
