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
