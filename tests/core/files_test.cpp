// The program's two file formats as bytes: a work-file record field by field,
// whole work files (record order, what the reader accepts and refuses, a
// byte-identical rewrite, the committed sample page) and the favourite
// colours' file.
#include "editing/favouritescodec.h"
#include "examples/samplepage.h"
#include "files/workfilecodec.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>

namespace {

using Bytes = std::string;

// The bytes k, k + 64, k + 128, k + 192, as far as a field's width goes: the
// value of field k of a record (from 1), little-endian.
int32_t mark(int k) { return int32_t(k | (k + 64) << 8 | (k + 128) << 16 | uint32_t(k + 192) << 24); }

TEST(WorkFile, EveryFieldHasItsOwnBytesAndReadsBack) {
    // Each field of the cell in the record's order (the strings, 9 and 16, full of 'S' without a zero byte of their
    // own, are cut to 99 and 273 characters); its selection mark and copies of the page fields are never written.
    DayCell cell{mark(1), mark(2), mark(3), mark(4), int16_t(mark(5)), int16_t(mark(6)), mark(7), mark(8), {},
                 int16_t(mark(10)), mark(11), mark(12), mark(13), mark(14), mark(15), {}, int16_t(mark(17)),
                 77, 77, 77, 77, 77, 77};
    std::memset(cell.fontName, 'S', sizeof cell.fontName), std::memset(cell.text, 'S', sizeof cell.text);
    const PageFields page{int16_t(mark(21)), int16_t(mark(20)), mark(18), mark(22), mark(23)};
    constexpr int widths[] = {4, 4, 4, 4, 2, 2, 4, 4, 100, 2, 4, 4, 4, 4, 4, 274, 2, 4, 4, 2, 2, 4, 4};
    Bytes expected;
    for (int k = 1; k <= 23; ++k)
        for (int b = 0, w = widths[k - 1]; b < w; ++b)
            expected += k == 19 ? '\0' : w <= 4 ? static_cast<char>(k + 64 * b) : b + 1 < w ? 'S' : '\0';
    WorkFileRecord record, again;
    record.bytes.fill(0xEE);
    encodeWorkRecord(cell, page, record);
    ASSERT_EQ(Bytes(record.bytes.begin(), record.bytes.end()), expected);

    // Read back, strings full to their last byte included, and written again.
    record.bytes[127] = record.bytes[423] = record.bytes[430] = 'S';
    const DayCell back = decodeWorkCell(record.bytes.data());
    EXPECT_EQ(back.selected | back.pageYear | back.pageMonth | back.pageLineColour | back.pageSundayDateColour, 0);
    encodeWorkRecord(back, decodePageFields(record.bytes.data()), again);
    EXPECT_EQ(Bytes(again.bytes.begin(), again.bytes.end()), expected);
}

TEST(WorkFile, TheSamplePageIsWrittenDayByDayAndRewrittenByteForByte) {
    const DocumentSnapshot before = takeSnapshot();
    std::ifstream in(ZANOR_SAMPLE_FILE, std::ios::binary);
    const Bytes file(std::istreambuf_iterator<char>(in), {});
    buildSamplePage();
    EXPECT_EQ(encodeWorkFile(), file) << "run scripts/make-sample";

    // December 2027 to March 2028: a record for each day that a month has,
    // day by day and within a day column by column.
    std::size_t records = 0;
    for (unsigned day = 1; day <= 31; ++day)
        for (int column = 1; column <= 4; ++column)
            if (((std::chrono::year{2027} / 12 + std::chrono::months{column - 1}) / std::chrono::day{day}).ok()) {
                ASSERT_LT(records * workRecordSize, file.size());
                const DayCell cell = decodeWorkCell(reinterpret_cast<const unsigned char*>(&file[446 * records++]));
                EXPECT_EQ(cell.column * 100 + cell.day, column * 100 + int(day)) << "record " << records;
            }
    EXPECT_EQ(records * workRecordSize, file.size());

    // Read a few records at a time over another page, and written again.
    resetAllCells();
    firstMonth = 6, lineColour = weekdayDateColour = sundayDateColour = 0x777777;
    selectCell(1, 1);
    WorkFileContents contents;
    startWorkFile(contents);
    for (std::size_t from = 0; from < file.size(); from += 3 * 446)
        ASSERT_EQ(addWorkRecords(contents, std::string_view(file).substr(from, 3 * 446)), WorkFileStatus::read);
    applyWorkFile(contents);
    EXPECT_TRUE(selectionCount == 0 && encodeWorkFile() == file);

    // A file without records empties the cells and keeps the page.
    ASSERT_EQ(readWorkFile("", contents), WorkFileStatus::read);
    applyWorkFile(contents);
    EXPECT_TRUE(firstMonth == 12 && encodeWorkFile().empty());
    restoreSnapshot(before);
}

// A record of the cell (column, day) with its back colour, on a page of (month, year).
Bytes record(int column, int day, Colour back = 0, int month = 3, int year = 2024) {
    DayCell cell{};
    cell.column = int16_t(column), cell.day = int16_t(day), cell.backColour = back;
    WorkFileRecord r;
    encodeWorkRecord(cell, PageFields{int16_t(month), int16_t(year), 0, 0, 0}, r);
    return Bytes(r.bytes.begin(), r.bytes.end());
}

TEST(WorkFile, TheReaderTakesWholeRecordsWithAPageInTheFirst) {
    using enum WorkFileStatus;
    // Each file, what the reader says, the records read and skipped, and the back colour of the cell (2, 31).
    const struct { Bytes file; WorkFileStatus status; std::uint64_t records, skipped; Colour back; } cases[] = {
        {Bytes(445, '\0'), wrongLength, 0, 0, 0}, {record(2, 31, 5) + 'x', wrongLength, 0, 0, 0}, {"", read, 0, 0, 0},
        {record(2, 31, 5, 0) + record(1, 1), wrongPage, 0, 0, 0}, {record(2, 31, 5, 13), wrongPage, 0, 0, 0},
        {record(1, 1, 0, -1), wrongPage, 0, 0, 0}, {record(1, 1, 0, 5, 0), wrongPage, 0, 0, 0},
        {record(1, 1, 0, 5, -9), wrongPage, 0, 0, 0}, {record(2, 31, 4) + record(2, 31, 5), read, 2, 0, 5},
        {record(1, 1, 0, 12, 1) + record(2, 31, 5, 13, 0), read, 2, 0, 5},  // only the first record's page counts
        {record(0, 1, 1) + record(5, 1, 1) + record(-1, 1, 1) + record(1, 0, 1) + record(1, 32, 1) + record(2, 31, 5),
         read, 6, 5, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << &c - cases);
        WorkFileContents contents;
        ASSERT_EQ(readWorkFile(c.file, contents), c.status);
        EXPECT_EQ(contents.records * 100 + contents.skipped, c.records * 100 + c.skipped);
        EXPECT_EQ(contents.hasPage, c.records > 0);
        for (const DayCell& cell : contents.cells)
            EXPECT_EQ(cell.backColour, &cell == &contentsCell(contents, 2, 31) ? c.back : 0);
    }
}

Bytes slot(int32_t left, int32_t right, int32_t top, int32_t bottom, int column, int row, Colour colour) {
    return encodeFavouriteSlot({left, right, top, bottom, int16_t(column), int16_t(row), colour});
}

TEST(Favourites, TheFileGoesRowByRowAndAMissingRecordIsWrittenBackInItsPlace) {
    EXPECT_EQ(slot(0x01020304, -2, 0x11, 0x22, 0x0506, -1, 0x00A0B0C0),
              Bytes("\x04\x03\x02\x01\xFE\xFF\xFF\xFF\x11\0\0\0\x22\0\0\0\x06\x05\xFF\xFF\xC0\xB0\xA0\0", 24));

    auto table = std::make_unique<FavouriteTable>();
    buildDefaultFavourites(*table);
    const Bytes file = encodeFavourites(*table);
    for (int i = 0, c = 0, r = 0; i < 130; ++i, c = i % 13, r = i / 13)
        EXPECT_EQ(file.substr(i * 24u, 24), slot(1 + 25 * c, 26 + 25 * c, 1 + 25 * r, 26 + 25 * r, c, r, 0xFFFFFF));
    // The records backwards, without the one of column 6, row 4, and a partial one.
    constexpr int missing = 4 * 13 + 6;
    Bytes shuffled;
    for (int i = 129; i >= 0; --i)
        if (i != missing) shuffled += file.substr(i * 24u, 24);
    decodeFavourites(shuffled + Bytes(23, '\x01'), *table);
    table->slots[6][4].colour = 0x0000FF;
    EXPECT_EQ(encodeFavourites(*table), Bytes(file).replace(missing * 24u, 24, slot(0, 0, 0, 0, 6, 4, 0x0000FF)));

    // Records naming a place outside 0..50 are skipped; a later one for a slot wins.
    clearFavourites(*table);
    const Bytes odd = slot(1, 1, 1, 1, 51, 0, 1) + slot(1, 1, 1, 1, 0, -1, 1) + slot(1, 1, 1, 1, 50, 50, 2) +
                      slot(7, 7, 7, 7, 50, 50, 3);
    EXPECT_EQ(storeFavouriteRecords(*table, odd), 2);
    EXPECT_EQ(table->slots[50][50].colour * 10 + table->slots[0][0].colour, 30);
}

}  // namespace
