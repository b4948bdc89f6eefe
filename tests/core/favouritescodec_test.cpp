// The favourite colours' records, table and file bytes.
#include "editing/favouritescodec.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

std::unique_ptr<FavouriteTable> defaultTable() {
    auto table = std::make_unique<FavouriteTable>();
    buildDefaultFavourites(*table);
    return table;
}

std::string record(int32_t left, int32_t right, int32_t top, int32_t bottom, int16_t column, int16_t row,
                   Colour colour) {
    return encodeFavouriteSlot(FavouriteSlot{left, right, top, bottom, column, row, colour});
}

TEST(FavouritesCodec, ARecordIsTwentyFourLittleEndianBytes) {
    const std::string bytes = record(0x01020304, -2, 0x11, 0x22, 0x0506, -1, 0x00A0B0C0);
    ASSERT_EQ(bytes.size(), 24u);
    const std::string expected("\x04\x03\x02\x01"
                               "\xFE\xFF\xFF\xFF"
                               "\x11\x00\x00\x00"
                               "\x22\x00\x00\x00"
                               "\x06\x05"
                               "\xFF\xFF"
                               "\xC0\xB0\xA0\x00",
                               24);
    EXPECT_EQ(bytes, expected);
    FavouriteSlot slot{};
    ASSERT_TRUE(decodeFavouriteSlot(bytes, slot));
    EXPECT_EQ(slot.left, 0x01020304);
    EXPECT_EQ(slot.right, -2);
    EXPECT_EQ(slot.column, 0x0506);
    EXPECT_EQ(slot.row, -1);
    EXPECT_EQ(slot.colour, 0x00A0B0C0);
    EXPECT_FALSE(decodeFavouriteSlot(bytes.substr(0, 23), slot));
}

TEST(FavouritesCodec, FreshSlotsFollowTheGrid) {
    const FavouriteSlot first = freshFavouriteSlot(0, 0);
    EXPECT_EQ(first.left, 1);
    EXPECT_EQ(first.right, 26);
    EXPECT_EQ(first.top, 1);
    EXPECT_EQ(first.bottom, 26);
    const FavouriteSlot last = freshFavouriteSlot(12, 9);
    EXPECT_EQ(last.left, 301);
    EXPECT_EQ(last.right, 326);
    EXPECT_EQ(last.top, 226);
    EXPECT_EQ(last.bottom, 251);
    EXPECT_EQ(last.column, 12);
    EXPECT_EQ(last.row, 9);
    EXPECT_EQ(last.colour, 0x00FFFFFF);
}

TEST(FavouritesCodec, TheDefaultTableHas130WhiteSlotsAndZeroElsewhere) {
    auto table = defaultTable();
    int white = 0;
    for (int column = 0; column < favouriteTableSide; ++column) {
        for (int row = 0; row < favouriteTableSide; ++row) {
            const FavouriteSlot& slot = table->slots[column][row];
            if (column < 13 && row < 10) {
                white += slot.colour == 0x00FFFFFF;
                EXPECT_EQ(slot.column, column);
                EXPECT_EQ(slot.row, row);
            } else {
                EXPECT_EQ(encodeFavouriteSlot(slot), std::string(24, '\0'));
            }
        }
    }
    EXPECT_EQ(white, 130);
}

TEST(FavouritesCodec, TheFileHas130RecordsInRowOrderAndTheSecondIsColumnOneRowZero) {
    auto table = defaultTable();
    const std::string bytes = encodeFavourites(*table);
    ASSERT_EQ(bytes.size(), 3120u);
    EXPECT_EQ(bytes.substr(24, 24), record(26, 51, 1, 26, 1, 0, 0x00FFFFFF));
    EXPECT_EQ(bytes.substr(0, 24), record(1, 26, 1, 26, 0, 0, 0x00FFFFFF));
    // Record 14 starts row 1.
    EXPECT_EQ(bytes.substr(13 * 24, 24), record(1, 26, 26, 51, 0, 1, 0x00FFFFFF));
    EXPECT_EQ(bytes.substr(129 * 24, 24), record(301, 326, 226, 251, 12, 9, 0x00FFFFFF));
}

TEST(FavouritesCodec, ARoundTripKeepsEverySlot) {
    auto table = defaultTable();
    table->slots[1][0].colour = 0x000000FF;
    table->slots[12][9].colour = 0x00123456;
    table->slots[5][7].colour = 0;
    const std::string bytes = encodeFavourites(*table);
    auto read = std::make_unique<FavouriteTable>();
    decodeFavourites(bytes, *read);
    for (int column = 0; column < favouriteTableSide; ++column)
        for (int row = 0; row < favouriteTableSide; ++row)
            EXPECT_EQ(encodeFavouriteSlot(read->slots[column][row]), encodeFavouriteSlot(table->slots[column][row]))
                << column << "," << row;
    EXPECT_EQ(encodeFavourites(*read), bytes);
}

TEST(FavouritesCodec, RecordsOutsideTheTableAreSkipped) {
    auto table = std::make_unique<FavouriteTable>();
    std::string bytes = record(1, 2, 3, 4, 51, 0, 0x11) + record(1, 2, 3, 4, 0, 51, 0x22) +
                        record(1, 2, 3, 4, -1, 0, 0x33) + record(1, 2, 3, 4, 0, -1, 0x44) +
                        record(1, 2, 3, 4, 32767, -32768, 0x55) + record(9, 9, 9, 9, 50, 50, 0x66) +
                        record(7, 7, 7, 7, 2, 3, 0x77);
    clearFavourites(*table);
    EXPECT_EQ(storeFavouriteRecords(*table, bytes), 2);
    EXPECT_EQ(table->slots[50][50].colour, 0x66);
    EXPECT_EQ(table->slots[2][3].colour, 0x77);
    EXPECT_EQ(table->slots[0][0].colour, 0);
    // Slots outside the drawn 13 x 10 are kept but never written.
    const std::string written = encodeFavourites(*table);
    EXPECT_EQ(written.size(), 3120u);
    EXPECT_EQ(written.find(std::string("\x66\0\0\0", 4)), std::string::npos);
}

TEST(FavouritesCodec, RecordsInAnyOrderLandInTheirOwnSlots) {
    auto table = defaultTable();
    table->slots[3][4].colour = 0x000000FF;
    table->slots[11][2].colour = 0x0000FF00;
    const std::string bytes = encodeFavourites(*table);
    std::string reversed;
    for (std::size_t at = bytes.size(); at > 0; at -= 24) reversed += bytes.substr(at - 24, 24);
    auto read = std::make_unique<FavouriteTable>();
    decodeFavourites(reversed, *read);
    EXPECT_EQ(read->slots[3][4].colour, 0x000000FF);
    EXPECT_EQ(read->slots[11][2].colour, 0x0000FF00);
    EXPECT_EQ(read->slots[11][2].left, 276);
    EXPECT_EQ(encodeFavourites(*read), bytes);
}

TEST(FavouritesCodec, ALaterRecordForTheSameSlotWins) {
    auto table = std::make_unique<FavouriteTable>();
    decodeFavourites(record(1, 26, 1, 26, 0, 0, 0x10) + record(1, 26, 1, 26, 0, 0, 0x20), *table);
    EXPECT_EQ(table->slots[0][0].colour, 0x20);
}

TEST(FavouritesCodec, AMissingRecordLeavesOneZeroSlotThatIsWrittenInItsOwnPlace) {
    auto table = defaultTable();
    const std::string bytes = encodeFavourites(*table);
    // 129 records: the one of column 6, row 4 is left out.
    const std::size_t missing = (4 * 13 + 6) * 24;
    const std::string short129 = bytes.substr(0, missing) + bytes.substr(missing + 24);
    auto read = std::make_unique<FavouriteTable>();
    decodeFavourites(short129, *read);
    EXPECT_EQ(encodeFavouriteSlot(read->slots[6][4]), std::string(24, '\0'));
    EXPECT_EQ(read->slots[5][4].colour, 0x00FFFFFF);
    // Its grid position still addresses it.
    int column = -1, row = -1;
    ASSERT_TRUE(favouriteSlotAt(6 * 25 + 12, 4 * 25 + 12, column, row));
    EXPECT_EQ(column, 6);
    EXPECT_EQ(row, 4);
    read->slots[column][row].colour = 0x000000FF;
    const std::string written = encodeFavourites(*read);
    EXPECT_EQ(written.substr(missing, 24), record(0, 0, 0, 0, 6, 4, 0x000000FF));
    auto again = std::make_unique<FavouriteTable>();
    decodeFavourites(written, *again);
    EXPECT_EQ(again->slots[6][4].colour, 0x000000FF);
    EXPECT_EQ(again->slots[0][0].colour, 0x00FFFFFF);
}

TEST(FavouritesCodec, APartialTrailingRecordIsIgnored) {
    auto table = std::make_unique<FavouriteTable>();
    decodeFavourites(record(1, 26, 1, 26, 0, 0, 0x10) + record(26, 51, 1, 26, 1, 0, 0x20).substr(0, 23), *table);
    EXPECT_EQ(table->slots[0][0].colour, 0x10);
    EXPECT_EQ(table->slots[1][0].colour, 0);
}

TEST(FavouritesCodec, HitTestingUsesThe25PixelGrid) {
    int column = -1, row = -1;
    EXPECT_TRUE(favouriteSlotAt(0, 0, column, row));
    EXPECT_EQ(column, 0);
    EXPECT_EQ(row, 0);
    EXPECT_TRUE(favouriteSlotAt(25, 24, column, row));
    EXPECT_EQ(column, 1);
    EXPECT_EQ(row, 0);
    EXPECT_TRUE(favouriteSlotAt(324, 249, column, row));
    EXPECT_EQ(column, 12);
    EXPECT_EQ(row, 9);
    EXPECT_FALSE(favouriteSlotAt(325, 10, column, row));
    EXPECT_FALSE(favouriteSlotAt(10, 250, column, row));
    EXPECT_FALSE(favouriteSlotAt(-1, 10, column, row));
    EXPECT_FALSE(favouriteSlotAt(10, -1, column, row));
}

}  // namespace
