#include "editing/favouritescodec.h"

namespace {

void putLittleEndian(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

uint32_t takeLittleEndian(std::string_view in, std::size_t at, int bytes) {
    uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= static_cast<uint32_t>(static_cast<unsigned char>(in[at + static_cast<std::size_t>(i)])) << (8 * i);
    return value;
}

bool inTable(int column, int row) {
    return column >= 0 && column < favouriteTableSide && row >= 0 && row < favouriteTableSide;
}

// Floor division for the hit test, so that points left of or above the
// picture never land in column or row 0.
int floorDivide(int value, int by) { return value >= 0 ? value / by : -((-value + by - 1) / by); }

}  // namespace

void clearFavourites(FavouriteTable& table) {
    for (auto& column : table.slots)
        for (FavouriteSlot& slot : column) slot = FavouriteSlot{};
}

FavouriteSlot freshFavouriteSlot(int column, int row) {
    FavouriteSlot slot{};
    slot.left = column * favouriteSlotWidth + favouriteOriginX;
    slot.right = (column + 1) * favouriteSlotWidth + favouriteOriginX;
    slot.top = row * favouriteSlotHeight + favouriteOriginY;
    slot.bottom = (row + 1) * favouriteSlotHeight + favouriteOriginY;
    slot.column = static_cast<int16_t>(column);
    slot.row = static_cast<int16_t>(row);
    slot.colour = favouriteWhite;
    return slot;
}

void buildDefaultFavourites(FavouriteTable& table) {
    clearFavourites(table);
    for (int row = 0; row < favouriteRows; ++row)
        for (int column = 0; column < favouriteColumns; ++column)
            table.slots[column][row] = freshFavouriteSlot(column, row);
}

std::string encodeFavouriteSlot(const FavouriteSlot& slot) {
    std::string out;
    out.reserve(favouriteRecordSize);
    putLittleEndian(out, static_cast<uint32_t>(slot.left), 4);
    putLittleEndian(out, static_cast<uint32_t>(slot.right), 4);
    putLittleEndian(out, static_cast<uint32_t>(slot.top), 4);
    putLittleEndian(out, static_cast<uint32_t>(slot.bottom), 4);
    putLittleEndian(out, static_cast<uint16_t>(slot.column), 2);
    putLittleEndian(out, static_cast<uint16_t>(slot.row), 2);
    putLittleEndian(out, static_cast<uint32_t>(slot.colour), 4);
    return out;
}

bool decodeFavouriteSlot(std::string_view record, FavouriteSlot& slot) {
    if (record.size() < favouriteRecordSize) return false;
    slot.left = static_cast<int32_t>(takeLittleEndian(record, 0, 4));
    slot.right = static_cast<int32_t>(takeLittleEndian(record, 4, 4));
    slot.top = static_cast<int32_t>(takeLittleEndian(record, 8, 4));
    slot.bottom = static_cast<int32_t>(takeLittleEndian(record, 12, 4));
    slot.column = static_cast<int16_t>(takeLittleEndian(record, 16, 2));
    slot.row = static_cast<int16_t>(takeLittleEndian(record, 18, 2));
    slot.colour = static_cast<Colour>(takeLittleEndian(record, 20, 4));
    return true;
}

std::string encodeFavourites(const FavouriteTable& table) {
    std::string out;
    out.reserve(favouriteFileSize);
    for (int row = 0; row < favouriteRows; ++row) {
        for (int column = 0; column < favouriteColumns; ++column) {
            FavouriteSlot slot = table.slots[column][row];
            slot.column = static_cast<int16_t>(column);
            slot.row = static_cast<int16_t>(row);
            out += encodeFavouriteSlot(slot);
        }
    }
    return out;
}

bool storeFavouriteRecord(FavouriteTable& table, std::string_view record) {
    FavouriteSlot slot{};
    if (!decodeFavouriteSlot(record, slot) || !inTable(slot.column, slot.row)) return false;
    table.slots[slot.column][slot.row] = slot;
    return true;
}

int storeFavouriteRecords(FavouriteTable& table, std::string_view bytes) {
    int stored = 0;
    for (std::size_t at = 0; at + favouriteRecordSize <= bytes.size(); at += favouriteRecordSize)
        stored += storeFavouriteRecord(table, bytes.substr(at, favouriteRecordSize)) ? 1 : 0;
    return stored;
}

void decodeFavourites(std::string_view bytes, FavouriteTable& table) {
    clearFavourites(table);
    storeFavouriteRecords(table, bytes);
}

bool favouriteSlotAt(int x, int y, int& column, int& row) {
    column = floorDivide(x, favouriteSlotWidth);
    row = floorDivide(y, favouriteSlotHeight);
    return column >= 0 && column < favouriteColumns && row >= 0 && row < favouriteRows;
}
