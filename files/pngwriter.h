// PNG files, and the compressed pixel rows that PNG and PDF images share.
// Portable: the images come as rows of pixels from whoever drew them.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// An image as the program's off-screen images hold it: `height` rows of
// `width` pixels, 0x00RRGGBB each, asked for top-down one row at a time; a
// row is read before the next is asked for.
struct PixelRows {
    int width = 0;
    int height = 0;
    std::function<const std::uint32_t*(int y)> row;
};

// The rows as 8-bit RGB, each led by its filter byte (PNG's "Up" filter after
// the first row), in one zlib stream: the image data of a PNG file, and of a
// PDF image decoded with predictor 15. Nothing when zlib fails (it has no
// memory).
std::optional<std::string> compressRows(const PixelRows& rows);

// A whole PNG file of the rows: 8-bit RGB, not interlaced, one image-data
// chunk; nothing when the rows cannot be compressed.
std::optional<std::string> pngFile(const PixelRows& rows);

// Test seam: from now on every compression fails at its call `call` of zlib:
// 0 gives zlib no memory to start with, as when the system has none left; a
// later call fails as zlib reports a failure. -1 ends it.
void failCompressionAt(int call);

// The CRC-32 that PNG chunks carry (zlib's).
std::uint32_t crc32Of(std::string_view bytes);
