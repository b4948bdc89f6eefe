// Breaking a cell's text into lines and placing each line in its box. Portable:
// text is measured through a TextMeasurer, which the renderer backs with the
// platform's font metrics and the tests with a fake.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    // The width of the whole text in pixels.
    virtual int width(std::string_view text) const = 0;
    // How many leading characters of the text fit within maxWidth pixels.
    virtual int fitCount(std::string_view text, int maxWidth) const = 0;
};

constexpr int lineSlots = 100;
using LineTable = std::array<std::string, lineSlots>;

struct WordSplit {
    std::string fits;
    std::string rest;
};

// Splits the text at the last space before the first character that does not
// fit in `width`; the rest begins with that space. A text with no such space
// is cut after the last character that fits (at least one character).
WordSplit splitByWords(std::string_view text, int width, const TextMeasurer& measure);

// The 100 lines of a text drawn in a box whose line width is w: the first
// break at w - 5 keeps its spaces; a later line is split again at w, losing
// the leading spaces of both parts, when it has more characters than the line
// before it or is wider than w.
LineTable breakLines(std::string_view text, int w, const TextMeasurer& measure);

// Where one line starts and how much it is stretched.
struct LinePlacement {
    int x;            // offset from the box's left edge
    int extra;        // pixels to spread over the spaces (justified lines)
    int spaces;       // number of spaces in the line
    bool justified;   // the line is stretched by `extra` over its spaces
};

// The placement of every line for one of the four alignments (131..134);
// false for any other alignment, which draws nothing.
bool placeLines(const LineTable& lines, int alignment, int w, const TextMeasurer& measure,
                std::array<LinePlacement, lineSlots>& placements);
