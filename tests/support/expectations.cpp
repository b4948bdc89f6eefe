#include "expectations.h"

#include <algorithm>
#include <cstdint>

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

}  // namespace

ColumnTruth columnTruth(int firstMonth, int firstYear, int column) {
    const int months = firstMonth - 1 + column - 1, month = months % 12 + 1, year = firstYear + months / 12;
    const long first = daysSinceEpoch(year, month, 1), next = daysSinceEpoch(year + month / 12, month % 12 + 1, 1);
    return {month, year, static_cast<int>(next - first), static_cast<int>((first % 7 + 11) % 7)};  // 1970-01-01 was a Thursday
}

std::string BitmapFile::problem() const {
    if (bytes.size() != 54 + 3000u * pageHeight || bytes.compare(0, 2, "BM") != 0) return "not a whole page";
    return le(bytes, 18, 4) == 1000 && le(bytes, 22, 4) == pageHeight && le(bytes, 28, 2) == 24 ? "" : "not a page";
}

COLORREF BitmapFile::at(int x, int y) const {
    const std::uint32_t bgr = le(bytes, 54 + static_cast<std::size_t>(pageHeight - 1 - y) * 3000 + 3 * x, 3);
    return RGB(bgr >> 16 & 0xFF, bgr >> 8 & 0xFF, bgr & 0xFF);
}

std::vector<WorkRecord> workRecords(const std::string& bytes) {
    std::vector<WorkRecord> records;
    for (std::size_t at = 0; bytes.size() % 446 == 0 && at < bytes.size(); at += 446)
        records.push_back({static_cast<std::int16_t>(le(bytes, at + 16, 2)),
                           static_cast<std::int16_t>(le(bytes, at + 18, 2)), bytes.substr(at + 20, 406)});
    return records;
}

WorkRecord cellOf(const std::vector<WorkRecord>& records, int column, int day) {
    const auto found = std::ranges::find_if(records, [&](const WorkRecord& r) { return r.column == column && r.day == day; });
    return found == records.end() ? WorkRecord{} : *found;
}

}  // namespace e2e
