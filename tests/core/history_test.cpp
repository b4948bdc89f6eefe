// "Deshacer" and "Rehacer" over the document: what undoing and redoing put
// back, how many steps are kept and what they cost.
#include "calendar/history.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

TEST(History, UndoAndRedoWalkTheLastHundredOf150StepsByteForByteWithinEightMegabytes) {
    History history;
    resetAllCells();
    firstMonth = 1, firstYear = 2027, selectionCount = 0;
    EXPECT_FALSE(recordStep(history, DocumentSnapshot{})) << "a change from no page is the floor";
    std::vector<DocumentSnapshot> states{takeSnapshot()};
    for (int i = 1; i <= 150; ++i) {
        DocumentSnapshot before = takeSnapshot();
        assignField(cellAt(i % 4 + 1, i % 31 + 1).text, std::to_string(i));
        lineColour = i;
        ASSERT_TRUE(recordStep(history, std::move(before))) << i;
        states.push_back(takeSnapshot());
    }
    selectCell(1, 1);
    EXPECT_FALSE(recordStep(history, states.back())) << "a selection is no step";

    std::size_t step = 150;
    while (undoStep(history)) EXPECT_TRUE(documentMatches(states[--step])) << step;
    EXPECT_EQ(step, 50u);
    EXPECT_LT(historyBytes(history), std::size_t{8} << 20);
    while (redoStep(history)) EXPECT_TRUE(documentMatches(states[++step])) << step;
    EXPECT_EQ(step, 150u);
}
