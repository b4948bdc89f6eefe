// Work-file records and whole work files as bytes: the layout of a record, the
// order of the records, and what the reader makes of any file.
#include "files/workfilecodec.h"

#include "calendar/document.h"
#include "calendar/monthlayout.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

using Bytes = std::string;

uint32_t le32(const Bytes& b, std::size_t at) {
    return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

uint16_t le16(const Bytes& b, std::size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
}

void set16(Bytes& b, std::size_t at, int v) {
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

void set32(Bytes& b, std::size_t at, int64_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

Bytes bytesOf(const WorkFileRecord& record) {
    return Bytes(reinterpret_cast<const char*>(record.bytes.data()), record.bytes.size());
}

std::string fieldText(const char* field, std::size_t capacity) {
    const void* end = std::memchr(field, '\0', capacity);
    EXPECT_NE(end, nullptr) << "a field without its terminating zero";
    return end ? std::string(field, static_cast<const char*>(end) - field) : std::string(field, capacity);
}

// A record built by hand: a cell at (column, day) of a page, the rest zero.
Bytes handRecord(int column, int day, int month = 3, int year = 2024, int32_t line = 0x112233) {
    Bytes b(workRecordSize, '\0');
    set16(b, 16, column);
    set16(b, 18, day);
    set32(b, 426, line);
    set16(b, 434, year);
    set16(b, 436, month);
    set32(b, 438, 0x445566);
    set32(b, 442, 0x778899);
    return b;
}

// A cell with a value of its own in every field, page copies and mark included.
DayCell distinctCell() {
    DayCell cell{};
    cell.reserved1 = 0x01020304;
    cell.reserved2 = 0x05060708;
    cell.reserved3 = 0x090A0B0C;
    cell.reserved4 = -2;
    cell.column = 3;
    cell.day = 29;
    cell.backColour = 0x00A1B2C3;
    cell.fontColour = -1;
    assignField(cell.fontName, "Liberation Serif");
    cell.fontSize = 0x0123;
    cell.bold = 0x11121314;
    cell.italic = 0x21222324;
    cell.underline = 0x31323334;
    cell.strikeout = 0x41424344;
    cell.leading = 0x51525354;
    assignField(cell.text, "Cumplea\xF1os de Ana");
    cell.alignment = alignJustified;
    cell.pageLineColour = 0x0DEAD0;
    cell.selected = 1;
    cell.pageYear = 1999;
    cell.pageMonth = 7;
    cell.pageWeekdayDateColour = 0x0BEEF0;
    cell.pageSundayDateColour = 0x0CAFE0;
    return cell;
}

// Stamps the cells of the page as the renderer does: column and day of every
// cell that the four months have.
void stampPage(int month, int year) {
    firstMonth = static_cast<int16_t>(month);
    firstYear = static_cast<int16_t>(year);
    for (int column = 1; column <= pageColumns; ++column) {
        const MonthYear shown = columnMonth(month, year, column);
        for (int day = 1; day <= daysInMonth(shown.month, shown.year); ++day) {
            cellAt(column, day).column = static_cast<int16_t>(column);
            cellAt(column, day).day = static_cast<int16_t>(day);
        }
    }
}

class WorkFileCodec : public ::testing::Test {
protected:
    void TearDown() override { restoreSnapshot(DocumentSnapshot{}); }
};

TEST_F(WorkFileCodec, ARecordHoldsEveryFieldAtItsOffset) {
    const DayCell cell = distinctCell();
    const PageFields page{11, 2025, 0x00445566, 0x00778899, 0x00AABBCC};
    WorkFileRecord record;
    record.bytes.fill(0xEE);
    encodeWorkRecord(cell, page, record);
    const Bytes b = bytesOf(record);
    ASSERT_EQ(b.size(), 446u);

    EXPECT_EQ(le32(b, 0), 0x01020304u);
    EXPECT_EQ(le32(b, 4), 0x05060708u);
    EXPECT_EQ(le32(b, 8), 0x090A0B0Cu);
    EXPECT_EQ(le32(b, 12), 0xFFFFFFFEu);
    EXPECT_EQ(le16(b, 16), 3u);
    EXPECT_EQ(le16(b, 18), 29u);
    EXPECT_EQ(le32(b, 20), 0x00A1B2C3u);
    EXPECT_EQ(le32(b, 24), 0xFFFFFFFFu);
    EXPECT_EQ(b.substr(28, 17), std::string("Liberation Serif\0", 17));
    EXPECT_EQ(b.substr(45, 83), std::string(83, '\0'));
    EXPECT_EQ(le16(b, 128), 0x0123u);
    EXPECT_EQ(le32(b, 130), 0x11121314u);
    EXPECT_EQ(le32(b, 134), 0x21222324u);
    EXPECT_EQ(le32(b, 138), 0x31323334u);
    EXPECT_EQ(le32(b, 142), 0x41424344u);
    EXPECT_EQ(le32(b, 146), 0x51525354u);
    EXPECT_EQ(b.substr(150, 19), std::string("Cumplea\xF1os de Ana\0", 19));
    EXPECT_EQ(b.substr(169, 255), std::string(255, '\0'));
    EXPECT_EQ(le16(b, 424), 134u);
    // The page fields come from the document, not from the cell's copies.
    EXPECT_EQ(le32(b, 426), 0x00445566u);
    EXPECT_EQ(le32(b, 430), 0u);
    EXPECT_EQ(le16(b, 434), 2025u);
    EXPECT_EQ(le16(b, 436), 11u);
    EXPECT_EQ(le32(b, 438), 0x00778899u);
    EXPECT_EQ(le32(b, 442), 0x00AABBCCu);
    // Little-endian byte by byte, not only as read back.
    EXPECT_EQ(static_cast<unsigned char>(b[0]), 0x04);
    EXPECT_EQ(static_cast<unsigned char>(b[3]), 0x01);
    EXPECT_EQ(static_cast<unsigned char>(b[128]), 0x23);
    EXPECT_EQ(static_cast<unsigned char>(b[129]), 0x01);
}

TEST_F(WorkFileCodec, ARecordReadsBackIntoTheCellFieldsOnly) {
    const DayCell cell = distinctCell();
    WorkFileRecord record;
    encodeWorkRecord(cell, PageFields{11, 2025, 1, 2, 3}, record);
    record.bytes[430] = 0x7F;  // not a field: ignored
    const DayCell back = decodeWorkCell(record.bytes.data());
    EXPECT_EQ(back.reserved1, cell.reserved1);
    EXPECT_EQ(back.reserved2, cell.reserved2);
    EXPECT_EQ(back.reserved3, cell.reserved3);
    EXPECT_EQ(back.reserved4, cell.reserved4);
    EXPECT_EQ(back.column, 3);
    EXPECT_EQ(back.day, 29);
    EXPECT_EQ(back.backColour, cell.backColour);
    EXPECT_EQ(back.fontColour, -1);
    EXPECT_EQ(fieldText(back.fontName, sizeof back.fontName), "Liberation Serif");
    EXPECT_EQ(back.fontSize, 0x0123);
    EXPECT_EQ(back.bold, cell.bold);
    EXPECT_EQ(back.italic, cell.italic);
    EXPECT_EQ(back.underline, cell.underline);
    EXPECT_EQ(back.strikeout, cell.strikeout);
    EXPECT_EQ(back.leading, cell.leading);
    EXPECT_EQ(fieldText(back.text, sizeof back.text), "Cumplea\xF1os de Ana");
    EXPECT_EQ(back.alignment, alignJustified);
    EXPECT_EQ(back.pageLineColour, 0);
    EXPECT_EQ(back.selected, 0);
    EXPECT_EQ(back.pageYear, 0);
    EXPECT_EQ(back.pageMonth, 0);
    EXPECT_EQ(back.pageWeekdayDateColour, 0);
    EXPECT_EQ(back.pageSundayDateColour, 0);
    const PageFields page = decodePageFields(record.bytes.data());
    EXPECT_EQ(page.firstMonth, 11);
    EXPECT_EQ(page.firstYear, 2025);
    EXPECT_EQ(page.lineColour, 1);
    EXPECT_EQ(page.weekdayDateColour, 2);
    EXPECT_EQ(page.sundayDateColour, 3);
}

TEST_F(WorkFileCodec, StringsWithoutAZeroByteAreCutTo99And273) {
    // Reading: fields full to the last byte.
    Bytes b = handRecord(1, 1);
    for (int i = 0; i < 100; ++i) b[28 + i] = static_cast<char>('a' + i % 26);
    for (int i = 0; i < 274; ++i) b[150 + i] = static_cast<char>('A' + i % 26);
    WorkFileContents contents;
    ASSERT_EQ(readWorkFile(b, contents), WorkFileStatus::read);
    const DayCell& cell = contentsCell(contents, 1, 1);
    EXPECT_EQ(fieldText(cell.fontName, sizeof cell.fontName), b.substr(28, 99));
    EXPECT_EQ(fieldText(cell.text, sizeof cell.text), b.substr(150, 273));

    // Bytes after the first zero carry nothing.
    b[28 + 5] = '\0';
    b[150 + 7] = '\0';
    ASSERT_EQ(readWorkFile(b, contents), WorkFileStatus::read);
    EXPECT_EQ(fieldText(contentsCell(contents, 1, 1).fontName, 100), b.substr(28, 5));
    EXPECT_EQ(fieldText(contentsCell(contents, 1, 1).text, 274), b.substr(150, 7));
    EXPECT_EQ(contentsCell(contents, 1, 1).text[8], '\0');

    // Writing: a cell whose fields have no zero byte of their own.
    DayCell full = distinctCell();
    std::memset(full.fontName, 'F', sizeof full.fontName);
    std::memset(full.text, 'T', sizeof full.text);
    WorkFileRecord record;
    encodeWorkRecord(full, PageFields{1, 2024, 0, 0, 0}, record);
    const Bytes written = bytesOf(record);
    EXPECT_EQ(written.substr(28, 100), std::string(99, 'F') + '\0');
    EXPECT_EQ(written.substr(150, 274), std::string(273, 'T') + '\0');
    EXPECT_EQ(le16(written, 424), 134u) << "the text ran into the next field";
}

TEST_F(WorkFileCodec, AFullPageComesBackFieldForField) {
    resetAllCells();
    stampPage(1, 2024);  // January, February (29 days), March, April
    lineColour = 0x00C000;
    weekdayDateColour = 0x102030;
    sundayDateColour = 0x0000FF;
    int seed = 0;
    for (int day = 1; day <= pageDays; ++day) {
        for (int column = 1; column <= pageColumns; ++column) {
            DayCell& cell = cellAt(column, day);
            ++seed;
            cell.reserved1 = seed;
            cell.reserved4 = -seed;
            cell.backColour = 0x010101 * seed;
            cell.fontColour = 0xFFFFFF - seed;
            assignField(cell.fontName, "Fuente " + std::to_string(seed));
            cell.fontSize = static_cast<int16_t>(6 + seed % 30);
            cell.bold = seed % 2;
            cell.italic = seed % 3 == 0;
            cell.underline = seed % 5 == 0;
            cell.strikeout = seed % 7 == 0;
            cell.leading = seed % 11 == 0;
            assignField(cell.text, std::string(static_cast<std::size_t>(seed * 2), static_cast<char>('a' + seed % 26)));
            cell.alignment = static_cast<int16_t>(alignLeft + seed % 4);
            cell.pageYear = 1900;
        }
    }
    selectCell(2, 10);
    const DocumentSnapshot saved = takeSnapshot();
    const Bytes file = encodeWorkFile();
    ASSERT_EQ(file.size(), (31 + 29 + 31 + 30) * workRecordSize);

    // Another document in place before reading.
    resetAllCells();
    stampPage(6, 2030);
    lineColour = weekdayDateColour = sundayDateColour = 0x777777;
    WorkFileContents contents;
    ASSERT_EQ(readWorkFile(file, contents), WorkFileStatus::read);
    EXPECT_EQ(contents.records, 121u);
    applyWorkFile(contents);

    EXPECT_EQ(firstMonth, 1);
    EXPECT_EQ(firstYear, 2024);
    EXPECT_EQ(lineColour, 0x00C000);
    EXPECT_EQ(weekdayDateColour, 0x102030);
    EXPECT_EQ(sundayDateColour, 0x0000FF);
    EXPECT_EQ(selectionCount, 0);
    for (int day = 1; day <= pageDays; ++day) {
        for (int column = 1; column <= pageColumns; ++column) {
            SCOPED_TRACE("column " + std::to_string(column) + " day " + std::to_string(day));
            const DayCell& was = saved.cells[static_cast<std::size_t>(day - 1) * 4 + column - 1];
            const DayCell& now = cellAt(column, day);
            if (was.day == 0) {
                // Not part of the page: not written, so empty after reading.
                EXPECT_EQ(now.day, 0);
                EXPECT_EQ(now.reserved1, 0);
                EXPECT_EQ(fieldText(now.text, 274), "");
                continue;
            }
            EXPECT_EQ(now.reserved1, was.reserved1);
            EXPECT_EQ(now.reserved4, was.reserved4);
            EXPECT_EQ(now.column, column);
            EXPECT_EQ(now.day, day);
            EXPECT_EQ(now.backColour, was.backColour);
            EXPECT_EQ(now.fontColour, was.fontColour);
            EXPECT_EQ(fieldText(now.fontName, 100), fieldText(was.fontName, 100));
            EXPECT_EQ(now.fontSize, was.fontSize);
            EXPECT_EQ(now.bold, was.bold);
            EXPECT_EQ(now.italic, was.italic);
            EXPECT_EQ(now.underline, was.underline);
            EXPECT_EQ(now.strikeout, was.strikeout);
            EXPECT_EQ(now.leading, was.leading);
            EXPECT_EQ(fieldText(now.text, 274), fieldText(was.text, 274));
            EXPECT_EQ(now.alignment, was.alignment);
            EXPECT_EQ(now.selected, 0);
            EXPECT_EQ(now.pageYear, 0);
        }
    }
    // Written again, the file is the same byte for byte.
    stampPage(1, 2024);
    EXPECT_EQ(encodeWorkFile(), file);
}

TEST_F(WorkFileCodec, MonthsOf31_30_31_31DaysGive123RecordsDayByDay) {
    resetAllCells();
    stampPage(10, 2024);  // October, November, December, January
    const Bytes file = encodeWorkFile();
    ASSERT_EQ(file.size(), 123 * workRecordSize);
    std::vector<std::pair<int, int>> expected;
    for (int day = 1; day <= 31; ++day)
        for (int column = 1; column <= 4; ++column)
            if (!(day == 31 && column == 2)) expected.emplace_back(column, day);
    ASSERT_EQ(expected.size(), 123u);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const std::size_t at = i * workRecordSize;
        EXPECT_EQ(le16(file, at + 16), expected[i].first) << "record " << i + 1;
        EXPECT_EQ(le16(file, at + 18), expected[i].second) << "record " << i + 1;
        EXPECT_EQ(le16(file, at + 436), 10u);
        EXPECT_EQ(le16(file, at + 434), 2024u);
    }
}

TEST_F(WorkFileCodec, OnlyCellsWithADayAreWritten) {
    EXPECT_EQ(encodeWorkFile(), "") << "no cell table";
    resetAllCells();
    firstMonth = 5;
    firstYear = 2024;
    EXPECT_EQ(encodeWorkFile(), "") << "a table that no drawing has stamped";
    cellAt(4, 2).column = 4;
    cellAt(4, 2).day = 2;
    cellAt(1, 9).day = -3;
    const Bytes file = encodeWorkFile();
    ASSERT_EQ(file.size(), workRecordSize);
    EXPECT_EQ(le16(file, 16), 4u);
    EXPECT_EQ(le16(file, 18), 2u);
}

TEST_F(WorkFileCodec, RecordsOutsideTheTableAreSkipped) {
    Bytes file;
    for (auto [column, day] : {std::pair{0, 1}, {5, 1}, {-1, 1}, {1, 0}, {1, 32}, {2, -5}, {32767, 32767}}) {
        Bytes r = handRecord(column, day);
        set32(r, 20, 0xABCDEF);
        file += r;
    }
    Bytes good = handRecord(2, 31);
    set32(good, 20, 0x123456);
    file += good;
    WorkFileContents contents;
    ASSERT_EQ(readWorkFile(file, contents), WorkFileStatus::read);
    EXPECT_EQ(contents.records, 8u);
    EXPECT_EQ(contents.skipped, 7u);
    EXPECT_TRUE(contents.hasPage) << "a skipped record 1 still gives the page";
    EXPECT_EQ(contents.page.firstMonth, 3);
    for (int day = 1; day <= 31; ++day)
        for (int column = 1; column <= 4; ++column)
            if (!(column == 2 && day == 31)) {
                EXPECT_EQ(contentsCell(contents, column, day).backColour, 0);
            }
    EXPECT_EQ(contentsCell(contents, 2, 31).backColour, 0x123456);
    EXPECT_EQ(contentsCell(contents, 2, 31).day, 31);
}

TEST_F(WorkFileCodec, PageFieldsComeFromRecordOneOnly) {
    Bytes file = handRecord(1, 1, 4, 2026, 0x0000AA);
    file += handRecord(2, 1, 9, 2031, 0x00BB00);
    file += handRecord(3, 1, 0, -7, 0x00CC00);  // out of range, but not record 1
    WorkFileContents contents;
    ASSERT_EQ(readWorkFile(file, contents), WorkFileStatus::read);
    resetAllCells();
    firstMonth = 12;
    firstYear = 2000;
    applyWorkFile(contents);
    EXPECT_EQ(firstMonth, 4);
    EXPECT_EQ(firstYear, 2026);
    EXPECT_EQ(lineColour, 0x0000AA);
    EXPECT_EQ(weekdayDateColour, 0x445566);
    EXPECT_EQ(sundayDateColour, 0x778899);
    EXPECT_EQ(cellAt(3, 1).day, 1);
}

TEST_F(WorkFileCodec, TheLaterOfTwoRecordsForOneCellWins) {
    Bytes first = handRecord(4, 17);
    set32(first, 24, 0x111111);
    first.replace(150, 6, "antes", 6);
    Bytes second = handRecord(4, 17);
    set32(second, 24, 0x222222);
    second.replace(150, 8, "despues", 8);
    WorkFileContents contents;
    ASSERT_EQ(readWorkFile(first + second, contents), WorkFileStatus::read);
    EXPECT_EQ(contentsCell(contents, 4, 17).fontColour, 0x222222);
    EXPECT_EQ(fieldText(contentsCell(contents, 4, 17).text, 274), "despues");
    ASSERT_EQ(readWorkFile(second + first, contents), WorkFileStatus::read);
    EXPECT_EQ(fieldText(contentsCell(contents, 4, 17).text, 274), "antes");
}

TEST_F(WorkFileCodec, OnlyWholeRecordsAreRead) {
    WorkFileContents contents;
    EXPECT_EQ(readWorkFile(Bytes(445, '\0'), contents), WorkFileStatus::wrongLength);
    EXPECT_EQ(readWorkFile(handRecord(1, 1) + 'x', contents), WorkFileStatus::wrongLength);
    EXPECT_EQ(readWorkFile(handRecord(1, 1), contents), WorkFileStatus::read);
    EXPECT_EQ(contents.records, 1u);
    EXPECT_EQ(readWorkFile(Bytes(), contents), WorkFileStatus::read);
    EXPECT_EQ(contents.records, 0u);
    EXPECT_FALSE(contents.hasPage);
}

TEST_F(WorkFileCodec, AnEmptyFileClearsTheCellsAndKeepsThePage) {
    resetAllCells();
    stampPage(2, 2024);
    lineColour = 0x123456;
    assignField(cellAt(1, 1).text, "se va");
    selectCell(1, 1);
    WorkFileContents contents;
    ASSERT_EQ(readWorkFile(Bytes(), contents), WorkFileStatus::read);
    applyWorkFile(contents);
    EXPECT_TRUE(cellTableExists());
    EXPECT_EQ(firstMonth, 2);
    EXPECT_EQ(firstYear, 2024);
    EXPECT_EQ(lineColour, 0x123456);
    EXPECT_EQ(cellAt(1, 1).day, 0);
    EXPECT_EQ(cellAt(1, 1).selected, 0);
    EXPECT_EQ(fieldText(cellAt(1, 1).text, 274), "");
    EXPECT_EQ(selectionCount, 0);
}

TEST_F(WorkFileCodec, AFirstRecordWithoutAValidPageIsRefused) {
    for (auto [month, year] : {std::pair{0, 2024}, {13, 2024}, {-1, 2024}, {5, 0}, {5, -2024}}) {
        WorkFileContents contents;
        EXPECT_EQ(readWorkFile(handRecord(1, 1, month, year) + handRecord(2, 2), contents), WorkFileStatus::wrongPage)
            << month << "/" << year;
    }
    WorkFileContents contents;
    EXPECT_EQ(readWorkFile(handRecord(1, 1, 12, 1) + handRecord(2, 2, 13, 0), contents), WorkFileStatus::read);
}

TEST_F(WorkFileCodec, RecordsReadInPiecesGiveWhatTheWholeFileGives) {
    Bytes file;
    for (int i = 0; i < 10; ++i) {
        Bytes r = handRecord(1 + i % 4, 1 + i % 3, 1 + i, 2000 + i);
        set32(r, 20, i);
        file += r;
    }
    WorkFileContents whole;
    ASSERT_EQ(readWorkFile(file, whole), WorkFileStatus::read);
    WorkFileContents pieces;
    startWorkFile(pieces);
    for (std::size_t at = 0; at < file.size(); at += 3 * workRecordSize)
        ASSERT_EQ(addWorkRecords(pieces, std::string_view(file).substr(at, 3 * workRecordSize)), WorkFileStatus::read);
    EXPECT_EQ(pieces.records, whole.records);
    EXPECT_EQ(pieces.page.firstMonth, 1);
    EXPECT_EQ(pieces.page.firstYear, 2000);
    for (int day = 1; day <= 3; ++day)
        for (int column = 1; column <= 4; ++column)
            EXPECT_EQ(contentsCell(pieces, column, day).backColour, contentsCell(whole, column, day).backColour);
}

}  // namespace
