#include "expectations.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace e2e {

namespace {

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
long daysSinceEpoch(long year, int month, int day) {
    year -= month <= 2;
    const long era = (year >= 0 ? year : year - 399) / 400;
    const long yearOfEra = year - era * 400;
    const long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

std::uint32_t le(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

int le16(const std::string& bytes, std::size_t at) { return static_cast<std::int16_t>(le(bytes, at, 2)); }
COLORREF colourAt(const std::string& bytes, std::size_t at) { return le(bytes, at, 4); }
int le32(const std::string& bytes, std::size_t at) { return static_cast<std::int32_t>(le(bytes, at, 4)); }

std::string field(const std::string& bytes, std::size_t at, std::size_t capacity) {
    const std::string raw = bytes.substr(at, capacity);
    return raw.substr(0, raw.find('\0'));
}

// Similar: what smoothed text leaves of a colour, at most this far in each part.
bool similar(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

constexpr int textTolerance = 48;

std::string where(int column, int day, const char* what, int x, int y, COLORREF found) {
    char text[160];
    std::snprintf(text, sizeof text, "cell (%d, %d): %s at (%d, %d), colour %06lX", column, day, what, x, y,
                  static_cast<unsigned long>(found));
    return text;
}

// Whether a pixel near `colour` lies in the rectangle, and whether one near
// `other` does.
bool anyNear(const BitmapFile& page, int left, int top, int right, int bottom, COLORREF colour) {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (similar(page.at(x, y), colour, textTolerance)) return true;
    return false;
}

std::vector<std::string> marginProblems(const BitmapFile& page, int firstMonth, int firstYear) {
    std::vector<std::string> problems;
    auto expectWhite = [&](int x, int y, int column, const char* what) {
        if (page.at(x, y) != white) problems.push_back(where(column, 0, what, x, y, page.at(x, y)));
    };
    for (int y = 0; y < pageHeight; y += 29) {
        for (int x : {0, 2, 994, 999}) expectWhite(x, y, 0, "page margin");
        for (int column = 1; column < 4; ++column) {
            const int gap = cellBox(column, 1).left + boxWidth;
            expectWhite(gap, y, column, "gap between columns");
            expectWhite(gap + 1, y, column, "gap between columns");
        }
    }
    for (int column = 1; column <= 4; ++column) {
        const MonthOfYear shown = columnMonth(firstMonth, firstYear, column);
        const int days = daysInMonth(shown.year, shown.month);
        const Box below = cellBox(column, days + 1);
        for (int day = 1; day <= days; ++day)
            for (int x : {5, 123, 240})
                expectWhite(cellBox(column, day).left + x, cellBox(column, day).top + 90, column, "gap between days");
        for (int y = below.top; y < pageHeight; y += 13)
            for (int x : {0, 123, 245}) expectWhite(below.left + x, y, column, "below the month");
        for (int x = 0; x < boxWidth; x += 7) expectWhite(below.left + x, pageHeight - 1, column, "page bottom");
    }
    for (int x = 0; x < pageWidth; x += 11) expectWhite(x, 0, 0, "page top");
    return problems;
}

}  // namespace

int daysInMonth(int year, int month) {
    const int nextMonth = month == 12 ? 1 : month + 1;
    const int nextYear = month == 12 ? year + 1 : year;
    return static_cast<int>(daysSinceEpoch(nextYear, nextMonth, 1) - daysSinceEpoch(year, month, 1));
}

bool isSunday(int year, int month, int day) {
    // 1970-01-01 was a Thursday.
    return ((daysSinceEpoch(year, month, day) % 7) + 7 + 4) % 7 == 0;
}

MonthOfYear columnMonth(int firstMonth, int firstYear, int column) {
    const int months = firstMonth - 1 + column - 1;
    return {months % 12 + 1, firstYear + months / 12};
}

Box cellBox(int column, int day) { return {3 + 248 * (column - 1), 3 + 92 * (day - 1)}; }

BitmapFile::BitmapFile(const std::string& bytes) : bytes_(bytes) {
    if (bytes_.size() < 54 || bytes_.compare(0, 2, "BM") != 0) {
        problem_ = "no BMP headers";
        return;
    }
    const int height = le32(bytes_, 22);
    width_ = le32(bytes_, 18);
    height_ = std::abs(height);
    bottomUp_ = height > 0;
    offset_ = le(bytes_, 10, 4);
    rowBytes_ = (static_cast<std::size_t>(width_) * 3 + 3) / 4 * 4;
    if (le(bytes_, 28, 2) != 24 || le(bytes_, 30, 4) != 0)
        problem_ = "not 24-bit uncompressed";
    else if (le(bytes_, 2, 4) != bytes_.size())
        problem_ = "bfSize is not the file's size";
    else if (offset_ + rowBytes_ * static_cast<std::size_t>(height_) > bytes_.size())
        problem_ = "pixels missing";
}

COLORREF BitmapFile::at(int x, int y) const {
    const std::size_t row = static_cast<std::size_t>(bottomUp_ ? height_ - 1 - y : y);
    const std::size_t at = offset_ + row * rowBytes_ + static_cast<std::size_t>(x) * 3;
    return RGB(static_cast<unsigned char>(bytes_[at + 2]), static_cast<unsigned char>(bytes_[at + 1]),
               static_cast<unsigned char>(bytes_[at]));
}

CellLook unselectedLook(const PageColours& page, bool sunday, COLORREF fill) {
    return {page.line, fill, sunday ? page.sunday : page.weekday, page.weekday, sunday ? page.weekday : page.sunday};
}

CellLook selectedLook(const PageColours& page, bool sunday) {
    return {page.line, selectedFill, white, white, sunday ? page.sunday : page.weekday};
}

std::vector<std::string> cellProblems(const BitmapFile& page, int column, int day, const CellLook& look) {
    std::vector<std::string> problems;
    const Box box = cellBox(column, day);
    const int right = box.left + boxWidth - 1;
    const int bottom = box.top + boxHeight - 1;
    auto expect = [&](int x, int y, COLORREF colour, const char* what) {
        if (page.at(x, y) != colour) problems.push_back(where(column, day, what, x, y, page.at(x, y)));
    };
    for (int x : {box.left, box.left + 61, box.left + 123, box.left + 184, right}) {
        expect(x, box.top, look.border, "top border");
        expect(x, bottom, look.border, "bottom border");
    }
    for (int y : {box.top, box.top + 30, box.top + 45, box.top + 60, bottom}) {
        expect(box.left, y, look.border, "left border");
        expect(right, y, look.border, "right border");
    }
    for (auto [dx, dy] : {std::pair{5, 86}, {123, 86}, {240, 86}, {240, 20}})
        expect(box.left + dx, box.top + dy, look.fill, "fill");
    // The number's first digit and the middle of the centred caption.
    if (!anyNear(page, box.left + 2, box.top + 1, box.left + 22, box.top + 29, look.number))
        problems.push_back(where(column, day, "no number ink", box.left + 2, box.top + 1, look.number));
    if (look.otherNumber != look.number &&
        anyNear(page, box.left + 2, box.top + 1, box.left + 22, box.top + 29, look.otherNumber))
        problems.push_back(
            where(column, day, "number in the other colour", box.left + 2, box.top + 1, look.otherNumber));
    if (!anyNear(page, box.left + 93, box.top + 1, box.left + 153, box.top + 18, look.caption))
        problems.push_back(where(column, day, "no caption ink", box.left + 93, box.top + 1, look.caption));
    return problems;
}

std::vector<std::string> pageProblems(const BitmapFile& page, int firstMonth, int firstYear,
                                      const PageColours& look) {
    std::vector<std::string> problems = marginProblems(page, firstMonth, firstYear);
    for (int column = 1; column <= 4; ++column) {
        const MonthOfYear shown = columnMonth(firstMonth, firstYear, column);
        for (int day = 1; day <= daysInMonth(shown.year, shown.month); ++day) {
            const std::vector<std::string> cell =
                cellProblems(page, column, day, unselectedLook(look, isSunday(shown.year, shown.month, day)));
            problems.insert(problems.end(), cell.begin(), cell.end());
        }
    }
    return problems;
}

int differencesFromPage(HWND canvas, const BitmapFile& page, int offset) {
    int differences = -1;
    pictureShown(canvas, [&](const Picture& shown) {
        differences = 0;
        for (int y = 0; y < shown.height; ++y) {
            const int row = y + offset;
            for (int x = 0; x < shown.width; ++x)
                differences += shown.at(x, y) != (row >= 0 && row < pageHeight ? page.at(x, row) : white);
        }
        return differences == 0;
    });
    return differences;
}

int homeOffset() {
    SYSTEMTIME today;
    GetLocalTime(&today);
    return 92 * (std::min<int>(today.wDay, 26) - 1);
}

InkBox inkBetween(const BitmapFile& page, int column, int day, COLORREF ink, int top, int bottom) {
    const Box box = cellBox(column, day);
    InkBox found{box.left + boxWidth, 0, box.left - 1, 0};
    bool any = false;
    for (int y = std::max(top, box.top + 26); y < std::min(bottom, box.top + boxHeight - 1); ++y)
        for (int x = box.left + 1; x < box.left + boxWidth - 1; ++x) {
            if (!similar(page.at(x, y), ink, textTolerance)) continue;
            found.left = std::min(found.left, x);
            found.right = std::max(found.right, x);
            found.top = any ? std::min(found.top, y) : y;
            found.bottom = y;
            any = true;
        }
    return found;
}

InkBox textInk(const BitmapFile& page, int column, int day, COLORREF ink) {
    return inkBetween(page, column, day, ink, 0, pageHeight);
}

bool WorkRecord::sameCell(const WorkRecord& o) const {
    return back == o.back && ink == o.ink && face == o.face && size == o.size && bold == o.bold &&
           italic == o.italic && underline == o.underline && strikeout == o.strikeout && leading == o.leading &&
           text == o.text && alignment == o.alignment;
}

std::vector<WorkRecord> workRecords(const std::string& bytes) {
    std::vector<WorkRecord> records;
    if (bytes.size() % workRecordSize != 0) return records;
    for (std::size_t at = 0; at < bytes.size(); at += workRecordSize) {
        const std::string r = bytes.substr(at, workRecordSize);
        records.push_back(WorkRecord{le16(r, 16), le16(r, 18), colourAt(r, 20), colourAt(r, 24), field(r, 28, 100),
                                     le16(r, 128), le32(r, 130), le32(r, 134), le32(r, 138), le32(r, 142),
                                     le32(r, 146), field(r, 150, 274), le16(r, 424), colourAt(r, 426), le16(r, 434),
                                     le16(r, 436), colourAt(r, 438), colourAt(r, 442)});
    }
    return records;
}

WorkRecord cellOf(const std::vector<WorkRecord>& records, int column, int day) {
    for (const WorkRecord& r : records)
        if (r.column == column && r.day == day) return r;
    return WorkRecord{};
}

bool isDefaultCell(const WorkRecord& r) {
    return r.back == white && r.ink == RGB(0, 0, 0) && r.face == "Times New Roman" && r.size == 10 && r.bold == 0 &&
           r.italic == 0 && r.underline == 0 && r.strikeout == 0 && r.leading == 0 && r.text.empty() &&
           r.alignment == 131;
}

}  // namespace e2e
