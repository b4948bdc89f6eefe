// Work-file records converted field by field: the record is packed and
// little-endian, DayCell in memory is neither.
#include "files/workfilecodec.h"

#include <cstring>

namespace {

constexpr std::size_t cellCount = std::size_t{pageColumns} * pageDays;

void putInt16(unsigned char* at, int16_t value) {
    const auto v = static_cast<uint16_t>(value);
    at[0] = static_cast<unsigned char>(v & 0xFF);
    at[1] = static_cast<unsigned char>(v >> 8);
}

void putInt32(unsigned char* at, int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>((v >> (8 * i)) & 0xFF);
}

int16_t getInt16(const unsigned char* at) {
    return static_cast<int16_t>(static_cast<uint16_t>(at[0] | (at[1] << 8)));
}

int32_t getInt32(const unsigned char* at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | at[i];
    return static_cast<int32_t>(v);
}

// A string field of `capacity` bytes holds at most capacity - 1 characters,
// up to the first zero byte; the bytes after it are zero.
std::size_t fieldLength(const unsigned char* field, std::size_t capacity) {
    std::size_t n = 0;
    while (n + 1 < capacity && field[n] != 0) ++n;
    return n;
}

void putString(unsigned char* at, const char* field, std::size_t capacity) {
    const std::size_t n = fieldLength(reinterpret_cast<const unsigned char*>(field), capacity);
    std::memcpy(at, field, n);
    std::memset(at + n, 0, capacity - n);
}

void getString(char* field, const unsigned char* at, std::size_t capacity) {
    const std::size_t n = fieldLength(at, capacity);
    std::memcpy(field, at, n);
    std::memset(field + n, 0, capacity - n);
}

std::size_t cellIndex(int column, int day) {
    return static_cast<std::size_t>(day - 1) * pageColumns + static_cast<std::size_t>(column - 1);
}

}  // namespace

PageFields documentPageFields() {
    return {firstMonth, firstYear, lineColour, weekdayDateColour, sundayDateColour};
}

bool pageFieldsValid(const PageFields& page) {
    return page.firstMonth >= 1 && page.firstMonth <= 12 && page.firstYear >= 1;
}

void encodeWorkRecord(const DayCell& cell, const PageFields& page, WorkFileRecord& record) {
    unsigned char* r = record.bytes.data();
    putInt32(r + recordReserved1, cell.reserved1);
    putInt32(r + recordReserved2, cell.reserved2);
    putInt32(r + recordReserved3, cell.reserved3);
    putInt32(r + recordReserved4, cell.reserved4);
    putInt16(r + recordColumn, cell.column);
    putInt16(r + recordDay, cell.day);
    putInt32(r + recordBackColour, cell.backColour);
    putInt32(r + recordFontColour, cell.fontColour);
    putString(r + recordFontName, cell.fontName, sizeof cell.fontName);
    putInt16(r + recordFontSize, cell.fontSize);
    putInt32(r + recordBold, cell.bold);
    putInt32(r + recordItalic, cell.italic);
    putInt32(r + recordUnderline, cell.underline);
    putInt32(r + recordStrikeout, cell.strikeout);
    putInt32(r + recordLeading, cell.leading);
    putString(r + recordText, cell.text, sizeof cell.text);
    putInt16(r + recordAlignment, cell.alignment);
    putInt32(r + recordLineColour, page.lineColour);
    putInt32(r + recordUnused, 0);
    putInt16(r + recordFirstYear, page.firstYear);
    putInt16(r + recordFirstMonth, page.firstMonth);
    putInt32(r + recordWeekdayDateColour, page.weekdayDateColour);
    putInt32(r + recordSundayDateColour, page.sundayDateColour);
}

DayCell decodeWorkCell(const unsigned char* r) {
    DayCell cell{};
    cell.reserved1 = getInt32(r + recordReserved1);
    cell.reserved2 = getInt32(r + recordReserved2);
    cell.reserved3 = getInt32(r + recordReserved3);
    cell.reserved4 = getInt32(r + recordReserved4);
    cell.column = getInt16(r + recordColumn);
    cell.day = getInt16(r + recordDay);
    cell.backColour = getInt32(r + recordBackColour);
    cell.fontColour = getInt32(r + recordFontColour);
    getString(cell.fontName, r + recordFontName, sizeof cell.fontName);
    cell.fontSize = getInt16(r + recordFontSize);
    cell.bold = getInt32(r + recordBold);
    cell.italic = getInt32(r + recordItalic);
    cell.underline = getInt32(r + recordUnderline);
    cell.strikeout = getInt32(r + recordStrikeout);
    cell.leading = getInt32(r + recordLeading);
    getString(cell.text, r + recordText, sizeof cell.text);
    cell.alignment = getInt16(r + recordAlignment);
    return cell;
}

PageFields decodePageFields(const unsigned char* r) {
    return {getInt16(r + recordFirstMonth), getInt16(r + recordFirstYear), getInt32(r + recordLineColour),
            getInt32(r + recordWeekdayDateColour), getInt32(r + recordSundayDateColour)};
}

std::string encodeWorkFile() {
    std::string bytes;
    if (!cellTableExists()) return bytes;
    const PageFields page = documentPageFields();
    WorkFileRecord record{};
    for (int day = 1; day <= pageDays; ++day) {
        for (int column = 1; column <= pageColumns; ++column) {
            const DayCell& cell = cellAt(column, day);
            if (cell.day <= 0) continue;
            encodeWorkRecord(cell, page, record);
            bytes.append(reinterpret_cast<const char*>(record.bytes.data()), record.bytes.size());
        }
    }
    return bytes;
}

void startWorkFile(WorkFileContents& contents) {
    contents.cells.assign(cellCount, DayCell{});
    contents.hasPage = false;
    contents.page = PageFields{};
    contents.records = 0;
    contents.skipped = 0;
}

DayCell& contentsCell(WorkFileContents& contents, int column, int day) {
    return contents.cells[cellIndex(column, day)];
}

const DayCell& contentsCell(const WorkFileContents& contents, int column, int day) {
    return contents.cells[cellIndex(column, day)];
}

WorkFileStatus addWorkRecords(WorkFileContents& contents, std::string_view bytes) {
    if (bytes.size() % workRecordSize != 0) return WorkFileStatus::wrongLength;
    if (contents.cells.size() != cellCount) contents.cells.assign(cellCount, DayCell{});
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    for (std::size_t at = 0; at < bytes.size(); at += workRecordSize) {
        const unsigned char* record = data + at;
        if (contents.records == 0) {
            const PageFields page = decodePageFields(record);
            if (!pageFieldsValid(page)) return WorkFileStatus::wrongPage;
            contents.page = page;
            contents.hasPage = true;
        }
        ++contents.records;
        const DayCell cell = decodeWorkCell(record);
        if (cell.column < 1 || cell.column > pageColumns || cell.day < 1 || cell.day > pageDays) {
            ++contents.skipped;
            continue;
        }
        contentsCell(contents, cell.column, cell.day) = cell;
    }
    return WorkFileStatus::read;
}

WorkFileStatus readWorkFile(std::string_view bytes, WorkFileContents& contents) {
    startWorkFile(contents);
    return addWorkRecords(contents, bytes);
}

void applyWorkFile(const WorkFileContents& contents) {
    createCellTable();
    for (int day = 1; day <= pageDays; ++day)
        for (int column = 1; column <= pageColumns; ++column)
            cellAt(column, day) = contentsCell(contents, column, day);
    if (contents.hasPage) {
        firstMonth = contents.page.firstMonth;
        firstYear = contents.page.firstYear;
        lineColour = contents.page.lineColour;
        weekdayDateColour = contents.page.weekdayDateColour;
        sundayDateColour = contents.page.sundayDateColour;
    }
    selectionCount = 0;
}
