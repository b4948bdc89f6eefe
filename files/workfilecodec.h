// The bytes of a work file (".ZANOR"): a headerless sequence of 446-byte
// records, one per drawn day cell, little-endian and packed. This is the part
// of reading and writing that needs no file system. Portable.
#pragma once

#include "calendar/document.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr std::size_t workRecordSize = 446;

// Offsets of the fields in a record. The cell's fields come first (0..425),
// the page fields of the document after them (426..445).
enum WorkRecordOffset : std::size_t {
    recordReserved1 = 0,
    recordReserved2 = 4,
    recordReserved3 = 8,
    recordReserved4 = 12,
    recordColumn = 16,
    recordDay = 18,
    recordBackColour = 20,
    recordFontColour = 24,
    recordFontName = 28,  // 100 bytes
    recordFontSize = 128,
    recordBold = 130,
    recordItalic = 134,
    recordUnderline = 138,
    recordStrikeout = 142,
    recordLeading = 146,
    recordText = 150,  // 274 bytes
    recordAlignment = 424,
    recordLineColour = 426,
    recordUnused = 430,  // written as zero, never read
    recordFirstYear = 434,
    recordFirstMonth = 436,
    recordWeekdayDateColour = 438,
    recordSundayDateColour = 442,
};

// One record of a work file, as it stands on disk.
struct WorkFileRecord {
    std::array<unsigned char, workRecordSize> bytes;
};

// The five page fields that every record repeats.
struct PageFields {
    int16_t firstMonth;
    int16_t firstYear;
    Colour lineColour;
    Colour weekdayDateColour;
    Colour sundayDateColour;
};

// The page fields of the document as they stand.
PageFields documentPageFields();
// True for a month 1..12 and a year above 0: what the program writes.
bool pageFieldsValid(const PageFields& page);

// Fills a record from a cell (offsets 0..425; strings cut to 99 and 273
// characters and zero-filled) and from the page fields (426..445). The cell's
// own copies of the page fields and its selection mark are not written.
void encodeWorkRecord(const DayCell& cell, const PageFields& page, WorkFileRecord& record);
// The cell that a record describes: offsets 0..425, each string taken up to
// its first zero byte and cut to 99 and 273 characters; every other field 0.
DayCell decodeWorkCell(const unsigned char* record);
// The page fields of a record (426..445).
PageFields decodePageFields(const unsigned char* record);

// The whole work file of the document: a record for every cell whose `day` is
// above 0, by day from 1 to 31 and within a day by column from 1 to 4. Empty
// when there is no cell table.
std::string encodeWorkFile();

// A work file read into a table of its own, apart from the document.
struct WorkFileContents {
    std::vector<DayCell> cells;  // 4 x 31, (column, day) at (day - 1) * 4 + column - 1
    bool hasPage = false;        // false until record 1 has been read
    PageFields page{};           // from record 1
    std::uint64_t records = 0;   // records read
    std::uint64_t skipped = 0;   // records whose column or day lies outside the table
};

enum class WorkFileStatus {
    read,         // every record so far is placed (or skipped)
    wrongLength,  // the length is not a whole number of records
    wrongPage,    // record 1 gives a month outside 1..12 or a year of 0 or less
};

// Empties the contents: every cell zero, no page, no records.
void startWorkFile(WorkFileContents& contents);
// The cell of the contents at (column 1..4, day 1..31).
DayCell& contentsCell(WorkFileContents& contents, int column, int day);
const DayCell& contentsCell(const WorkFileContents& contents, int column, int day);
// Reads the next records of a file; `bytes` holds whole records only
// (otherwise wrongLength, and nothing of it is read). Record 1 gives the page
// fields; every record is placed by its own column and day, a later one
// replacing an earlier one, and one outside 1..4 or 1..31 is skipped.
WorkFileStatus addWorkRecords(WorkFileContents& contents, std::string_view bytes);
// A whole file at once: startWorkFile, the length check, addWorkRecords.
WorkFileStatus readWorkFile(std::string_view bytes, WorkFileContents& contents);
// Puts what was read in place of the document: the cell table made anew with
// the cells read, the page fields of record 1 (kept as they were for a file
// without records), and no selection.
void applyWorkFile(const WorkFileContents& contents);
