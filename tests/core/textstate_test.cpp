// Defaults of the text properties dialog's shared state.
#include "editing/textstate.h"

#include <gtest/gtest.h>

namespace {

void expectDefaults(const TextAttributes& set) {
    EXPECT_EQ(set.backColour, 0x00FFFFFF);
    EXPECT_EQ(set.fontColour, 0x00000000);
    EXPECT_EQ(set.fontName, "Times New Roman");
    EXPECT_EQ(set.pointSize, 10);
    EXPECT_EQ(set.bold, 0);
    EXPECT_EQ(set.italic, 0);
    EXPECT_EQ(set.underline, 0);
    EXPECT_EQ(set.strikeout, 0);
    EXPECT_EQ(set.leading, 0);
}

TEST(TextState, ResetRestoresBothSetsAndLeftAlignment) {
    const TextAttributes edited{0x00102030, 0x00405060, "Arial", 24, 1, 1, 1, 1, 1};
    committedAttributes = edited;
    workingAttributes = TextAttributes{0x00ABCDEF, 0x00FEDCBA, "Courier New", 8, 1, 0, 1, 0, 1};
    alignmentFlags = AlignmentFlags{0, 0, 0, 1};
    resetTextDialogDefaults();
    {
        SCOPED_TRACE("committed");
        expectDefaults(committedAttributes);
    }
    {
        SCOPED_TRACE("working");
        expectDefaults(workingAttributes);
    }
    EXPECT_EQ(alignmentFlags.left, 1);
    EXPECT_EQ(alignmentFlags.right, 0);
    EXPECT_EQ(alignmentFlags.centre, 0);
    EXPECT_EQ(alignmentFlags.justified, 0);
}

TEST(TextState, SetsAreIndependentAfterReset) {
    resetTextDialogDefaults();
    workingAttributes.fontName = "Verdana";
    workingAttributes.pointSize = 12;
    EXPECT_EQ(committedAttributes.fontName, "Times New Roman");
    EXPECT_EQ(committedAttributes.pointSize, 10);
    resetTextDialogDefaults();
}

}  // namespace

namespace {

DayCell editedCell() {
    DayCell cell{};
    cell.column = 3;
    cell.day = 12;
    cell.selected = 1;
    cell.backColour = 0x00112233;
    cell.fontColour = 0x00445566;
    assignField(cell.fontName, "Liberation Serif");
    cell.fontSize = 14;
    cell.bold = 1;
    cell.italic = 0;
    cell.underline = 1;
    cell.strikeout = 0;
    cell.leading = 1;
    assignField(cell.text, "Cumple de Ana");
    cell.alignment = alignCentre;
    return cell;
}

TEST(TextState, ACellLoadsIntoBothSetsAndStoresBackUnchanged) {
    const DayCell cell = editedCell();
    loadTextStateFromCell(cell);
    EXPECT_EQ(committedAttributes.fontName, "Liberation Serif");
    EXPECT_EQ(committedAttributes.pointSize, 14);
    EXPECT_EQ(workingAttributes.backColour, 0x00112233);
    EXPECT_EQ(workingAttributes.leading, 1);
    EXPECT_EQ(alignmentFlags.centre, 1);
    EXPECT_EQ(alignmentFlags.left + alignmentFlags.right + alignmentFlags.justified, 0);
    EXPECT_STREQ(textBuffer, "Cumple de Ana");

    DayCell target{};
    target.column = 1;
    target.day = 2;
    storeTextStateInCell(target);
    EXPECT_EQ(target.backColour, cell.backColour);
    EXPECT_EQ(target.fontColour, cell.fontColour);
    EXPECT_STREQ(target.fontName, cell.fontName);
    EXPECT_EQ(target.fontSize, 14);
    EXPECT_EQ(target.bold, 1);
    EXPECT_EQ(target.underline, 1);
    EXPECT_EQ(target.leading, 1);
    EXPECT_STREQ(target.text, "Cumple de Ana");
    EXPECT_EQ(target.alignment, alignCentre);
    // Position and selection are not the dialog's business.
    EXPECT_EQ(target.column, 1);
    EXPECT_EQ(target.day, 2);
    EXPECT_EQ(target.selected, 0);
}

TEST(TextState, AnUnknownAlignmentKeepsTheFlagsOfTheLastEdit) {
    alignmentFlags = AlignmentFlags{0, 0, 0, 1};
    DayCell foreign = editedCell();
    foreign.alignment = 0;
    loadTextStateFromCell(foreign);
    EXPECT_EQ(alignmentFlags.justified, 1);
    DayCell target{};
    storeTextStateInCell(target);
    EXPECT_EQ(target.alignment, alignJustified);
}

TEST(TextState, LongNamesAndTextsAreCutWhenStored) {
    loadTextStateFromCell(editedCell());
    committedAttributes.fontName = std::string(120, 'f');
    assignField(textBuffer, std::string(400, 't'));
    DayCell target{};
    storeTextStateInCell(target);
    EXPECT_EQ(std::string(target.fontName), std::string(99, 'f'));
    EXPECT_EQ(std::string(target.text), std::string(273, 't'));
}

}  // namespace
