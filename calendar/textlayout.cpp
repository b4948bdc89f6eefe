// Breaking a cell's text into lines and placing each line in its box.
#include "calendar/textlayout.h"

#include "calendar/document.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace {

// The first line is broken a little inside the box; the later ones use the
// full line width.
constexpr int firstLineMargin = 5;

// Right-aligned lines end this far inside the line width.
constexpr int rightMargin = 3;

// A line is stretched to the widest line only when it is at least this wide a
// share of it. The factor is the single-precision 0.8, so a line of exactly
// four fifths of the widest stays as it is.
constexpr double justifyShare = static_cast<double>(0.8f);

// Splits `text` given that its first `fit` characters fit in the width.
WordSplit splitAtFit(std::string_view text, std::size_t fit) {
    if (fit >= text.size()) {
        return {std::string(text), {}};
    }
    // The nearest space at or before the first character that does not fit.
    const std::size_t space = text.rfind(' ', fit);
    if (space != std::string_view::npos) {
        return {std::string(text.substr(0, space)), std::string(text.substr(space))};
    }
    // One word wider than the line: cut it where it stops fitting, keeping at
    // least one character so that every split moves on.
    const std::size_t cut = std::max<std::size_t>(fit, 1);
    return {std::string(text.substr(0, cut)), std::string(text.substr(cut))};
}

void removeLeadingSpaces(std::string& line) {
    const std::size_t start = line.find_first_not_of(' ');
    line.erase(0, start == std::string::npos ? line.size() : start);
}

int countSpaces(const std::string& line) {
    return static_cast<int>(std::count(line.begin(), line.end(), ' '));
}

// Rounds d / 2 to the nearest integer, halves to the even neighbour.
int halfRoundedToEven(int d) {
    int q = d / 2;
    if (d % 2 == 0) {
        return q;
    }
    if (d < 0) {
        --q;  // q is now d / 2 rounded down; the candidates are q and q + 1
    }
    return q % 2 == 0 ? q : q + 1;
}

}  // namespace

WordSplit splitByWords(std::string_view text, int width, const TextMeasurer& measure) {
    if (text.empty()) {
        return {};
    }
    const int fit = measure.fitCount(text, width);
    return splitAtFit(text, fit < 0 ? 0 : static_cast<std::size_t>(fit));
}

LineTable breakLines(std::string_view text, int w, const TextMeasurer& measure) {
    LineTable lines;
    if (text.empty()) {
        return lines;
    }

    WordSplit first = splitByWords(text, w - firstLineMargin, measure);
    lines[0] = std::move(first.fits);
    lines[1] = std::move(first.rest);

    // Only splitting a line fills the one below it, so the first line that is
    // left as it is (or is empty) has nothing but empty lines after it.
    for (std::size_t k = 1; k + 1 < lineSlots; ++k) {
        std::string& line = lines[k];
        if (line.empty()) {
            break;
        }
        const bool longer = line.size() > lines[k - 1].size();
        if (!longer && measure.width(line) <= w) {
            break;
        }
        WordSplit split = splitByWords(line, w, measure);
        line = std::move(split.fits);
        lines[k + 1] = std::move(split.rest);
        removeLeadingSpaces(line);
        removeLeadingSpaces(lines[k + 1]);
    }
    return lines;
}

bool placeLines(const LineTable& lines, int alignment, int w, const TextMeasurer& measure,
                std::array<LinePlacement, lineSlots>& placements) {
    if (alignment < alignLeft || alignment > alignJustified) {
        return false;
    }

    // Each line is measured once; left-aligned text needs no widths at all.
    std::array<int, lineSlots> widths{};
    if (alignment != alignLeft) {
        for (std::size_t i = 0; i < lineSlots; ++i) {
            widths[i] = lines[i].empty() ? 0 : measure.width(lines[i]);
        }
    }
    const int widest = *std::max_element(widths.begin(), widths.end());

    for (std::size_t i = 0; i < lineSlots; ++i) {
        LinePlacement& place = placements[i];
        const int width = widths[i];
        place = {0, 0, countSpaces(lines[i]), false};
        switch (alignment) {
        case alignRight:
            place.x = w - rightMargin - width;
            break;
        case alignCentre:
            place.x = halfRoundedToEven(w - width);
            break;
        case alignJustified:
            if (widest > width && width >= justifyShare * widest) {
                place.justified = true;
                place.extra = widest - width;
            }
            break;
        default:  // left
            break;
        }
    }
    return true;
}
