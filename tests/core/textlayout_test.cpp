// Breaking cell text into lines and placing the lines in their box.
#include "calendar/textlayout.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int left = 131;
constexpr int right = 132;
constexpr int centre = 133;
constexpr int justified = 134;

// Every character is 10 pixels wide except 'W' (25), 'i' (5) and '.' (1).
// Counts how often it is asked.
class FakeMeasurer : public TextMeasurer {
public:
    static int charWidth(char c) {
        switch (c) {
        case 'W':
            return 25;
        case 'i':
            return 5;
        case '.':
            return 1;
        default:
            return 10;
        }
    }

    int width(std::string_view text) const override {
        ++widthCalls;
        int sum = 0;
        for (char c : text) {
            sum += charWidth(c);
        }
        return sum;
    }

    int fitCount(std::string_view text, int maxWidth) const override {
        ++fitCalls;
        int sum = 0;
        int count = 0;
        for (char c : text) {
            sum += charWidth(c);
            if (sum > maxWidth) {
                break;
            }
            ++count;
        }
        return count;
    }

    int calls() const { return widthCalls + fitCalls; }

    mutable int widthCalls = 0;
    mutable int fitCalls = 0;
};

int pixels(std::string_view text) {
    int sum = 0;
    for (char c : text) {
        sum += FakeMeasurer::charWidth(c);
    }
    return sum;
}

LineTable tableOf(const std::vector<std::string>& lines) {
    LineTable table;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        table[i] = lines[i];
    }
    return table;
}

// The lines expected at the top of the table; every other line must be empty.
void expectLines(const LineTable& lines, const std::vector<std::string>& expected) {
    for (std::size_t i = 0; i < lineSlots; ++i) {
        const std::string want = i < expected.size() ? expected[i] : std::string();
        EXPECT_EQ(lines[i], want) << "line " << i + 1;
    }
}

std::array<LinePlacement, lineSlots> place(const LineTable& lines, int alignment, int w) {
    const FakeMeasurer measure;
    std::array<LinePlacement, lineSlots> placements{};
    EXPECT_TRUE(placeLines(lines, alignment, w, measure, placements));
    return placements;
}

// ---- word split -----------------------------------------------------------

TEST(WordSplit, TextThatFitsIsKeptWhole) {
    const FakeMeasurer measure;
    const WordSplit split = splitByWords("abc def", 70, measure);
    EXPECT_EQ(split.fits, "abc def");
    EXPECT_EQ(split.rest, "");
}

TEST(WordSplit, BreaksAtTheLastSpaceBeforeTheOverflowAndKeepsItInTheRest) {
    const FakeMeasurer measure;
    const WordSplit split = splitByWords("ab cd efgh", 60, measure);
    EXPECT_EQ(split.fits, "ab cd");
    EXPECT_EQ(split.rest, " efgh");
}

TEST(WordSplit, ASpaceThatIsTheFirstCharacterNotFittingIsTheBreak) {
    const FakeMeasurer measure;
    // Six characters fit; the seventh is the space.
    const WordSplit split = splitByWords("abcdef ghi", 60, measure);
    EXPECT_EQ(split.fits, "abcdef");
    EXPECT_EQ(split.rest, " ghi");
}

TEST(WordSplit, LeadingSpaceAsTheOnlyBreakLeavesNothingOnTheLine) {
    const FakeMeasurer measure;
    const WordSplit split = splitByWords(" abcdefghij", 50, measure);
    EXPECT_EQ(split.fits, "");
    EXPECT_EQ(split.rest, " abcdefghij");
}

TEST(WordSplit, AWordWiderThanTheLineIsCutWhereItStopsFitting) {
    const FakeMeasurer measure;
    const WordSplit split = splitByWords("abcdefghij klm", 45, measure);
    EXPECT_EQ(split.fits, "abcd");
    EXPECT_EQ(split.rest, "efghij klm");
}

TEST(WordSplit, AWordCutTakesAtLeastOneCharacter) {
    const FakeMeasurer measure;
    const WordSplit split = splitByWords("Wabc", 20, measure);
    EXPECT_EQ(split.fits, "W");
    EXPECT_EQ(split.rest, "abc");
}

// ---- line breaking --------------------------------------------------------

TEST(BreakLines, EmptyTextGivesOneHundredEmptyLines) {
    const FakeMeasurer measure;
    const LineTable lines = breakLines("", 244, measure);
    expectLines(lines, {});
}

TEST(BreakLines, ShortTextIsOneLine) {
    const FakeMeasurer measure;
    expectLines(breakLines("Cumple de Ana", 244, measure), {"Cumple de Ana"});
}

TEST(BreakLines, FirstLineMayFillTheWidthLessFive) {
    const FakeMeasurer measure;
    // 95 pixels: exactly w - 5.
    expectLines(breakLines("abcd efghi", 100, measure), {"abcd efghi"});
}

TEST(BreakLines, FirstLineIsBrokenFiveInsideTheWidth) {
    const FakeMeasurer measure;
    // 100 pixels would fit in w but not in w - 5. The rest is shorter than the
    // first line, so it stays as it is, leading space and all.
    expectLines(breakLines("abcdef ghj", 100, measure), {"abcdef", " ghj"});
}

TEST(BreakLines, RestAsLongAsTheLineBeforeKeepsItsLeadingSpace) {
    const FakeMeasurer measure;
    expectLines(breakLines("abcde fghj", 100, measure), {"abcde", " fghj"});
}

TEST(BreakLines, LaterLinesBreakAtTheFullWidthAndLoseLeadingSpaces) {
    const FakeMeasurer measure;
    const LineTable lines = breakLines("abc defghijkl mnopqrstuv wx", 100, measure);
    expectLines(lines, {"abc", "defghijkl", "mnopqrstuv", "wx"});
    EXPECT_EQ(pixels(lines[2]), 100);  // a later line may use all of w
}

TEST(BreakLines, ShortRestWiderThanTheLineIsSplitAgain) {
    const FakeMeasurer measure;
    // " WW WW" has fewer characters than "abcdefgh" but is 120 pixels wide.
    expectLines(breakLines("abcdefgh WW WW", 100, measure), {"abcdefgh", "WW", "WW"});
}

TEST(BreakLines, ShortRestExactlyAsWideAsTheLineStays) {
    const FakeMeasurer measure;
    // " WWWai" is 100 pixels: not wider than w.
    expectLines(breakLines("abcdefgh WWWai", 100, measure), {"abcdefgh", " WWWai"});
}

TEST(BreakLines, OverlongWordIsCutIntoLinesThatFit) {
    const FakeMeasurer measure;
    const std::string word(40, 'x');
    const LineTable lines = breakLines(word, 100, measure);

    std::string joined;
    std::size_t used = 0;
    for (std::size_t i = 0; i < lineSlots; ++i) {
        EXPECT_LE(lines[i].size(), 10u) << "line " << i + 1;
        EXPECT_LE(pixels(lines[i]), i == 0 ? 95 : 100) << "line " << i + 1;
        if (!lines[i].empty()) {
            EXPECT_EQ(used, i) << "gap before line " << i + 1;
            used = i + 1;
        }
        joined += lines[i];
    }
    EXPECT_EQ(joined, word);
    EXPECT_EQ(used, 5u);
    EXPECT_TRUE(lines[lineSlots - 1].empty());
}

TEST(BreakLines, OverlongWordAfterALeadingSpaceStillMovesOn) {
    const FakeMeasurer measure;
    const std::string text = " " + std::string(30, 'x');
    const LineTable lines = breakLines(text, 100, measure);
    const std::string ten(10, 'x');
    expectLines(lines, {"", "", ten, ten, ten});
}

TEST(BreakLines, OverlongWordAfterOtherWordsIsCutOnTheLinesBelow) {
    const FakeMeasurer measure;
    const std::string word(25, 'x');
    const LineTable lines = breakLines("ab " + word + " cd", 100, measure);
    const std::string ten(10, 'x');
    // The rest " xxx..." has only its leading space to break at, so line 2
    // stays empty and the word starts on line 3.
    expectLines(lines, {"ab", "", ten, ten, "xxxxx cd"});
}

TEST(BreakLines, TextNeedingMoreThanOneHundredLinesEndsInTheLastLine) {
    const FakeMeasurer measure;
    std::string text;
    for (int i = 0; i < 200; ++i) {
        text += (i == 0 ? "" : " ");
        text += "abcdefghi";
    }
    const LineTable lines = breakLines(text, 100, measure);
    for (std::size_t i = 0; i + 1 < lineSlots; ++i) {
        EXPECT_EQ(lines[i], "abcdefghi") << "line " << i + 1;
    }
    std::string remainder;
    for (int i = 0; i < 101; ++i) {
        remainder += (i == 0 ? "" : " ");
        remainder += "abcdefghi";
    }
    EXPECT_EQ(lines[lineSlots - 1], remainder);
}

TEST(BreakLines, ShortTextNeedsNoMeasuringOfTheEmptySlots) {
    const FakeMeasurer measure;
    breakLines("abc def", 244, measure);
    EXPECT_LE(measure.calls(), 2);

    const FakeMeasurer empty;
    breakLines("", 244, empty);
    EXPECT_EQ(empty.calls(), 0);
}

// ---- placement ------------------------------------------------------------

TEST(PlaceLines, LeftLinesStartAtTheBoxEdge) {
    const auto placements = place(tableOf({"abc", "WW WW", ""}), left, 244);
    for (std::size_t i = 0; i < lineSlots; ++i) {
        EXPECT_EQ(placements[i].x, 0) << "line " << i + 1;
        EXPECT_FALSE(placements[i].justified) << "line " << i + 1;
        EXPECT_EQ(placements[i].extra, 0) << "line " << i + 1;
    }
}

TEST(PlaceLines, RightLinesAllEndThreeInsideTheWidth) {
    const LineTable lines = tableOf({"abc", "WW WW", "i", ""});
    const auto placements = place(lines, right, 244);
    EXPECT_EQ(placements[0].x, 211);
    EXPECT_EQ(placements[1].x, 131);
    for (std::size_t i = 0; i < lineSlots; ++i) {
        EXPECT_EQ(placements[i].x + pixels(lines[i]), 241) << "line " << i + 1;
        EXPECT_FALSE(placements[i].justified) << "line " << i + 1;
    }
}

TEST(PlaceLines, CentreRoundsHalvesToEven) {
    // Widths 30, 5, 15, 25, 125, 135 and 0 in a line of 100.
    const auto placements = place(tableOf({"abc", "i", "ai", "ai.", "WWWWW", "WWWWWa", ""}), centre, 100);
    EXPECT_EQ(placements[0].x, 35);   // 70 / 2
    EXPECT_EQ(placements[1].x, 48);   // 47.5
    EXPECT_EQ(placements[2].x, 42);   // 42.5
    EXPECT_EQ(placements[3].x, 42);   // 42 (84 / 2 after the 1-pixel '.')
    EXPECT_EQ(placements[4].x, -12);  // -12.5
    EXPECT_EQ(placements[5].x, -18);  // -17.5
    EXPECT_EQ(placements[6].x, 50);
    EXPECT_EQ(placements[99].x, 50);
}

TEST(PlaceLines, JustifiesOnlyLinesCloseToTheWidest) {
    // 200, 180 and 90 pixels.
    const LineTable lines = tableOf({"abcd efgh ijkl mnopq", "abcd efgh ijkl mnp", "abc defgh"});
    const auto placements = place(lines, justified, 244);

    EXPECT_FALSE(placements[0].justified);
    EXPECT_EQ(placements[0].extra, 0);

    EXPECT_TRUE(placements[1].justified);
    EXPECT_EQ(placements[1].extra, 20);
    EXPECT_EQ(placements[1].spaces, 3);

    EXPECT_FALSE(placements[2].justified);
    EXPECT_EQ(placements[2].extra, 0);

    for (std::size_t i = 0; i < lineSlots; ++i) {
        EXPECT_EQ(placements[i].x, 0) << "line " << i + 1;
        if (i >= 3) {
            EXPECT_FALSE(placements[i].justified) << "line " << i + 1;
        }
    }
}

TEST(PlaceLines, ExactlyFourFifthsOfTheWidestStaysUnjustified) {
    const LineTable lines = tableOf({std::string(20, 'a'), std::string(16, 'a'), std::string(16, 'a') + "."});
    const auto placements = place(lines, justified, 244);
    EXPECT_FALSE(placements[1].justified);  // 160 of 200
    EXPECT_EQ(placements[1].extra, 0);
    EXPECT_TRUE(placements[2].justified);   // 161 of 200
    EXPECT_EQ(placements[2].extra, 39);
}

TEST(PlaceLines, LineWithoutSpacesIsStillJustified) {
    const LineTable lines = tableOf({"abcdefghijklmnopqrst", "abcdefghijklmnopqr"});
    const auto placements = place(lines, justified, 244);
    EXPECT_TRUE(placements[1].justified);
    EXPECT_EQ(placements[1].spaces, 0);
    EXPECT_EQ(placements[1].extra, 20);
    EXPECT_FALSE(placements[0].justified);
}

TEST(PlaceLines, EqualWidestLinesAreNotJustified) {
    const LineTable lines = tableOf({"abc defghi", "abcdefgh i", "abc"});
    const auto placements = place(lines, justified, 244);
    EXPECT_FALSE(placements[0].justified);
    EXPECT_FALSE(placements[1].justified);
    EXPECT_FALSE(placements[2].justified);
}

TEST(PlaceLines, AllEmptyLinesAreNotJustified) {
    const auto placements = place(LineTable{}, justified, 244);
    for (std::size_t i = 0; i < lineSlots; ++i) {
        EXPECT_FALSE(placements[i].justified) << "line " << i + 1;
        EXPECT_EQ(placements[i].x, 0) << "line " << i + 1;
    }
}

TEST(PlaceLines, UnknownAlignmentPlacesNothing) {
    const LineTable lines = tableOf({"abc def"});
    for (int alignment : {0, 1, 130, 135, -131}) {
        const FakeMeasurer measure;
        std::array<LinePlacement, lineSlots> placements{};
        EXPECT_FALSE(placeLines(lines, alignment, 244, measure, placements)) << alignment;
    }
}

TEST(PlaceLines, EachLineIsMeasuredAtMostOnce) {
    const LineTable lines = tableOf({"abcd efgh ijkl mnopq", "abcd efgh ijkl mnp", "abc defgh", "x"});
    for (int alignment : {left, right, centre, justified}) {
        const FakeMeasurer measure;
        std::array<LinePlacement, lineSlots> placements{};
        ASSERT_TRUE(placeLines(lines, alignment, 244, measure, placements));
        EXPECT_LE(measure.calls(), 4) << alignment;
    }
}

// ---- together -------------------------------------------------------------

TEST(TextLayout, RightAlignedWrappedTextEndsAtOneEdge) {
    const FakeMeasurer measure;
    const LineTable lines = breakLines("uno dos tres cuatro cinco seis siete ocho", 100, measure);
    std::array<LinePlacement, lineSlots> placements{};
    ASSERT_TRUE(placeLines(lines, right, 100, measure, placements));
    std::string joined;
    for (std::size_t i = 0; i < lineSlots; ++i) {
        EXPECT_EQ(placements[i].x + pixels(lines[i]), 97) << "line " << i + 1;
        EXPECT_LE(pixels(lines[i]), 100) << "line " << i + 1;
        if (!lines[i].empty()) {
            joined += (joined.empty() ? "" : " ") + std::string(lines[i]);
        }
    }
    EXPECT_EQ(joined, "uno dos tres cuatro cinco seis siete ocho");
}

}  // namespace
