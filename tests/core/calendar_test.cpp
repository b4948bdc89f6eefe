// The calendar against an independent day count, and a cell's text broken
// into lines and placed in its box.
#include "calendar/document.h"
#include "calendar/monthlayout.h"
#include "calendar/textlayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

namespace {

namespace chr = std::chrono;

TEST(Calendar, WeekdaysMonthLengthsAndColumnsAgreeWithAnIndependentDayCount) {
    const chr::sys_days last{chr::year{2400} / 12 / 31};
    for (chr::sys_days date{chr::year{1600} / 1 / 1}; date <= last; date += chr::days{1}) {
        const chr::year_month_day ymd{date};
        const int y = int{ymd.year()}, m = int(unsigned{ymd.month()}), d = int(unsigned{ymd.day()});
        // 1 is Sunday, the day drawn in the Sunday colour.
        ASSERT_EQ(weekdayOf(y, m, d), int(chr::weekday{date}.c_encoding()) + 1) << y << "-" << m << "-" << d;
        if (d > 1) continue;
        ASSERT_EQ(daysInMonth(m, y), int(unsigned{(ymd.year() / ymd.month() / chr::last).day()})) << y << "-" << m;
        for (int column = 1; column <= 4; ++column) {
            const MonthYear shown = columnMonth(m, y, column);
            const chr::year_month wanted = ymd.year() / ymd.month() + chr::months{column - 1};
            ASSERT_EQ(shown.year * 100 + shown.month, int{wanted.year()} * 100 + int(unsigned{wanted.month()}));
        }
    }
}

// Every character is 10 pixels wide but 'W' (25), 'i' (5) and '.' (1).
struct FakeMeasurer : TextMeasurer {
    int width(std::string_view text) const override {
        int sum = 0;
        for (char c : text) sum += c == 'W' ? 25 : c == 'i' ? 5 : c == '.' ? 1 : 10;
        return sum;
    }
    int fitCount(std::string_view text, int maxWidth) const override {
        int count = 0;
        while (count < static_cast<int>(text.size()) && width(text.substr(0, count + 1)) <= maxWidth) ++count;
        return count;
    }
};

// `times` words apart by `between`.
std::string repeat(const std::string& word, int times, const char* between) {
    std::string out = word;
    while (--times > 0) out += between + word;
    return out;
}

const std::string a20(20, 'a'), b15 = " " + std::string(15, 'b'), x10(10, 'x'), x25(25, 'x'), x30(30, 'x');

// A text in a box of line width w, and its lines joined by '|', each with
// "@x" where it does not start at the box's left edge and "+n" where it is
// stretched by n pixels. The lines after the last are empty and placed as such.
const struct { std::string text; int w, alignment; std::string lines; } layouts[] = {
    {"", 244, alignLeft, ""}, {"Cumple de Ana", 244, alignLeft, "Cumple de Ana"},
    // The first line may fill w - 5; the rest keeps its leading blank unless it is longer than the line above.
    {"abcd efghi", 100, alignRight, "abcd efghi@2"}, {"abcd efghi.", 100, alignLeft, "abcd|efghi."},
    {"abcdef ghj", 100, alignCentre, "abcdef@20| ghj@30"}, {"abcde fghj", 100, alignLeft, "abcde| fghj"},
    // Later lines use the whole of w; a rest no longer but wider than w is split again.
    {"abc defghijkl mnopqrstuv wx", 100, alignRight, "abc@67|defghijkl@12|mnopqrstuv@-3|wx@77"},
    {"abc defghijkl mnopqrstuv wx", 100, alignJustified, "abc|defghijkl+15|mnopqrstuv|wx"},
    {"abcdefgh WW WW", 100, alignLeft, "abcdefgh|WW|WW"}, {"abcdefgh WWWai", 100, alignRight, "abcdefgh@17| WWWai@-3"},
    // Words longer than a line are cut where they stop fitting.
    {x30 + x10, 100, alignLeft, "xxxxxxxxx|" + x10 + "|" + x10 + "|" + x10 + "|x"},
    {" " + x30, 100, alignLeft, "||" + x10 + "|" + x10 + "|" + x10},
    {"ab " + x25 + " cd", 100, alignLeft, "ab||" + x10 + "|" + x10 + "|xxxxx cd"},
    // Centred halves round to even, also for lines wider than the box.
    {"i", 100, alignCentre, "i@48"}, {"ai", 100, alignCentre, "ai@42"}, {"W", 20, alignCentre, "W@-2"},
    {"W", 10, alignCentre, "W@-8"}, {"W", 10, alignRight, "W@-18"},
    // Justified: only lines wider than four fifths (in single precision) of the widest.
    {a20 + b15, 210, alignJustified, a20 + "|" + b15}, {a20 + b15 + ".", 210, alignJustified, a20 + "|" + b15 + ".+39"},
    // The hundredth line takes whatever is left.
    {repeat("abcdefghi", 200, " "), 100, alignLeft, repeat("abcdefghi", 99, "|") + "|" + repeat("abcdefghi", 101, " ")},
};

TEST(LineLayout, TextsAreBrokenAndPlacedInEveryAlignment) {
    std::array<LinePlacement, lineSlots> placements{};
    const FakeMeasurer measure;
    for (const auto& [text, w, alignment, expected] : layouts) {
        SCOPED_TRACE("\"" + text.substr(0, 40) + "\" in " + std::to_string(w) + ", " + std::to_string(alignment));
        const LineTable lines = breakLines(text, w, measure);
        ASSERT_TRUE(placeLines(lines, alignment, w, measure, placements));
        const int emptyX = alignment == alignRight ? w - 3 : alignment == alignCentre ? w / 2 : 0;
        std::size_t end = lineSlots;
        while (end > 0 && lines[end - 1].empty()) --end;
        std::string got;
        for (std::size_t i = 0; i < lineSlots; ++i) {
            const LinePlacement& p = placements[i];
            EXPECT_EQ(p.justified, p.extra > 0) << "line " << i + 1;
            EXPECT_EQ(p.spaces, std::count(lines[i].begin(), lines[i].end(), ' ')) << "line " << i + 1;
            if (i < end)
                got += (i ? "|" : "") + lines[i] + (p.x ? "@" + std::to_string(p.x) : "") +
                       (p.extra ? "+" + std::to_string(p.extra) : "");
            else
                EXPECT_TRUE(p.x == emptyX && p.extra == 0) << "line " << i + 1;
        }
        EXPECT_EQ(got, expected);
    }
    for (const int alignment : {0, 130, 135}) EXPECT_FALSE(placeLines({}, alignment, 244, measure, placements));
}

}  // namespace
