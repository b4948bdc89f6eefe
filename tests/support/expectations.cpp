#include "expectations.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace e2e {

namespace {

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
long daysSinceEpoch(long year, int month, int day) {
    year -= month <= 2;
    const long era = (year >= 0 ? year : year - 399) / 400, yearOfEra = year - era * 400;
    const long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    return era * 146097 + yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear - 719468;
}

std::uint32_t le(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

// Whether a pixel in the rectangle is near `colour`: what smoothed text
// leaves of its colour.
bool anyNear(const BitmapFile& page, int left, int top, int right, int bottom, COLORREF colour) {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const COLORREF p = page.at(x, y);
            if (std::abs(GetRValue(p) - GetRValue(colour)) <= 48 && std::abs(GetGValue(p) - GetGValue(colour)) <= 48 &&
                std::abs(GetBValue(p) - GetBValue(colour)) <= 48)
                return true;
        }
    return false;
}

// The page: 1000 x 2900 pixels; each day's box is 246 x 90 pixels with a
// one-pixel border, boxes 2 pixels apart, the first at (3, 3).
constexpr int pageWidth = 1000, boxWidth = 246, boxHeight = 90;
struct Box { int x, y; };
Box cellBox(int column, int day) { return {3 + 248 * (column - 1), 3 + 92 * (day - 1)}; }

}  // namespace

ColumnTruth columnTruth(int firstMonth, int firstYear, int column) {
    const int months = firstMonth - 1 + column - 1, month = months % 12 + 1, year = firstYear + months / 12;
    const long first = daysSinceEpoch(year, month, 1);
    const long next = daysSinceEpoch(year + month / 12, month % 12 + 1, 1);
    return {month, year, static_cast<int>(next - first), static_cast<int>((first % 7 + 11) % 7)};  // 1970-01-01 was a Thursday
}

std::string BitmapFile::problem() const {
    if (bytes.size() != 54 + 3000u * pageHeight || bytes.compare(0, 2, "BM") != 0) return "not a whole page";
    return le(bytes, 18, 4) == pageWidth && le(bytes, 22, 4) == pageHeight && le(bytes, 28, 2) == 24 ? "" : "not a page";
}

COLORREF BitmapFile::at(int x, int y) const {
    const std::uint32_t bgr = le(bytes, 54 + static_cast<std::size_t>(pageHeight - 1 - y) * 3000 + 3 * x, 3);
    return RGB(bgr >> 16 & 0xFF, bgr >> 8 & 0xFF, bgr & 0xFF);
}

std::vector<std::string> pageProblems(const BitmapFile& page, int firstMonth, int firstYear, const PageColours& look) {
    std::vector<std::string> problems;
    auto expect = [&](bool good, const char* what, int column, int day, int x, int y) {
        char text[160];
        std::snprintf(text, sizeof text, "cell (%d, %d): %s at (%d, %d), colour %06lX", column, day, what, x, y,
                      page.at(x, y));
        if (!good) problems.push_back(text);
    };
    for (int column = 1; column <= 4; ++column) {
        const ColumnTruth truth = columnTruth(firstMonth, firstYear, column);
        const int days = truth.days;
        for (int day = 1; day <= days; ++day) {
            const bool sunday = (truth.firstWeekday + day - 1) % 7 == 0;
            const int l = cellBox(column, day).x, t = cellBox(column, day).y, r = l + boxWidth - 1, b = t + boxHeight - 1;
            for (auto [x, y] : {std::pair{l, t}, {l + 123, t}, {r, t + 45}, {l, b}, {r, b}})
                expect(page.at(x, y) == look.line, "border", column, day, x, y);
            for (auto [x, y] : {std::pair{l + 5, t + 86}, {l + 123, t + 86}, {r - 5, t + 20}})
                expect(page.at(x, y) == white, "fill", column, day, x, y);
            // The number at the top left, in its colour and not in the other.
            expect(anyNear(page, l + 2, t + 1, l + 22, t + 29, sunday ? look.sunday : look.weekday), "no number", column,
                   day, l + 2, t + 1);
            expect(!anyNear(page, l + 2, t + 1, l + 22, t + 29, sunday ? look.weekday : look.sunday), "wrong number",
                   column, day, l + 2, t + 1);
        }
        // Nothing below the month's last day, nor right of the last column.
        const Box below = cellBox(column, days + 1);
        for (int y = below.y; y < pageHeight; y += 7)
            for (int x : {below.x, below.x + 123, 994, 999}) expect(page.at(x, y) == white, "not white", column, 0, x, y);
    }
    return problems;
}

int differencesFromPage(HWND canvas, const BitmapFile& page, int offset) {
    int differences = -1;
    pictureShown(canvas, [&](const Picture& shown) {
        differences = 0;
        for (int y = 0, row = offset; y < shown.height; ++y, ++row)
            for (int x = 0; x < shown.width; ++x)
                differences += shown.at(x, y) != (row >= 0 && row < pageHeight ? page.at(x, row) : white);
        return differences == 0;
    });
    return differences;
}

std::vector<WorkRecord> workRecords(const std::string& bytes) {
    std::vector<WorkRecord> records;
    for (std::size_t at = 0; bytes.size() % workRecordSize == 0 && at < bytes.size(); at += workRecordSize)
        records.push_back({static_cast<std::int16_t>(le(bytes, at + 16, 2)),
                           static_cast<std::int16_t>(le(bytes, at + 18, 2)), bytes.substr(at + 20, 406)});
    return records;
}

WorkRecord cellOf(const std::vector<WorkRecord>& records, int column, int day) {
    const auto found = std::ranges::find_if(records, [&](const WorkRecord& r) { return r.column == column && r.day == day; });
    return found == records.end() ? WorkRecord{} : *found;
}

}  // namespace e2e
