// The favourite colours' data: the 24-byte slot record (which is also the
// record of "Mis Colores.log"), the slot table, the palette's geometry, and
// reading and writing the file's bytes. Portable.
#pragma once

#include "calendar/document.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// One swatch of the palette. In the file all fields are little-endian, in
// this order, without padding.
struct FavouriteSlot {
    int32_t left;  // the swatch's rectangle in pixels of the palette picture
    int32_t right;
    int32_t top;
    int32_t bottom;
    int16_t column;
    int16_t row;
    Colour colour;  // 0x00BBGGRR
};
static_assert(sizeof(FavouriteSlot) == 24);

constexpr std::size_t favouriteRecordSize = 24;

// The palette: 13 columns by 10 rows of 25 x 25 pixel slots, 1 pixel from the
// picture's corner; each swatch is inset 3 pixels at its left and top.
constexpr int favouriteColumns = 13;
constexpr int favouriteRows = 10;
constexpr int favouriteSlotWidth = 25;
constexpr int favouriteSlotHeight = 25;
constexpr int favouriteOriginX = 1;
constexpr int favouriteOriginY = 1;
constexpr int favouriteInset = 3;
constexpr int favouriteOutlineWidth = 1;
constexpr int favouriteCount = favouriteColumns * favouriteRows;  // 130
constexpr std::size_t favouriteFileSize = favouriteCount * favouriteRecordSize;  // 3120
constexpr Colour favouriteWhite = 0x00FFFFFF;

// The picture the palette is drawn into.
constexpr int palettePictureWidth = 336;
constexpr int palettePictureHeight = 312;

// Slots indexed by column and row, each 0..50. Only columns 0..12 and rows
// 0..9 are drawn, hit-tested and saved; the others hold what a file named.
constexpr int favouriteTableSide = 51;
struct FavouriteTable {
    std::array<std::array<FavouriteSlot, favouriteTableSide>, favouriteTableSide> slots;  // [column][row]
};

// Every slot all zero: black, with an empty rectangle at the origin.
void clearFavourites(FavouriteTable& table);
// The slot that a new palette has at (column, row): its grid rectangle, its
// place, white.
FavouriteSlot freshFavouriteSlot(int column, int row);
// The table anew with the 130 fresh white slots.
void buildDefaultFavourites(FavouriteTable& table);

// The 24 bytes of one record.
std::string encodeFavouriteSlot(const FavouriteSlot& slot);
// The slot in the first 24 bytes of `record`; false when it is shorter.
bool decodeFavouriteSlot(std::string_view record, FavouriteSlot& slot);

// The file's bytes: the 130 drawn slots, row 0 columns 0..12, then row 1, and
// so on to row 9. Each record carries the column and row of the slot it is
// written from, so that it is read back into that same slot even when the
// slot was never named by a record (all zero).
std::string encodeFavourites(const FavouriteTable& table);

// Stores one record in the slot named by its own column and row; false, and
// nothing stored, when the record is short or names a place outside 0..50.
bool storeFavouriteRecord(FavouriteTable& table, std::string_view record);
// Stores every whole record of `bytes`, first to last, into the table as it
// is (a later record for the same slot wins); a trailing partial record is
// ignored. Returns the number of records stored.
int storeFavouriteRecords(FavouriteTable& table, std::string_view bytes);
// A file's bytes read into a table re-created all zero: the slots that no
// record names stay black with an empty rectangle.
void decodeFavourites(std::string_view bytes, FavouriteTable& table);

// The slot under a point of the palette: column = x / 25 and row = y / 25,
// rounded down. False when that is not one of the 13 x 10 drawn slots.
bool favouriteSlotAt(int x, int y, int& column, int& row);
