#include "files/bitmapexport.h"

#include "calendar/render.h"
#include "files/workfile.h"
#include "platform/files.h"
#include "platform/gdi.h"

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

std::wstring exportPath;

namespace {

constexpr std::uint32_t fileHeaderSize = 14;
constexpr std::uint32_t infoHeaderSize = 40;

void put16(std::string& out, std::uint16_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}

void put32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// The file header and the information header of an uncompressed, bottom-up
// 24-bit image without a colour table.
std::string bitmapHeaders(int width, int height, std::uint32_t imageBytes) {
    std::string out;
    out.reserve(fileHeaderSize + infoHeaderSize);
    put16(out, 0x4D42);  // "BM"
    put32(out, fileHeaderSize + infoHeaderSize + imageBytes);
    put16(out, 0);
    put16(out, 0);
    put32(out, fileHeaderSize + infoHeaderSize);
    put32(out, infoHeaderSize);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));  // positive: bottom row first
    put16(out, 1);                                    // planes
    put16(out, 24);                                   // bits per pixel
    put32(out, BI_RGB);
    put32(out, 0);  // image size, may be 0 for BI_RGB
    put32(out, 0);  // pixels per metre, x
    put32(out, 0);  // pixels per metre, y
    put32(out, 0);  // colours used
    put32(out, 0);  // important colours
    return out;
}

}  // namespace

FileError writeBitmapFile(const std::wstring& path, const Image& image) {
    const int width = image.width();
    const int height = image.height();
    const std::uint32_t rowBytes = ((static_cast<std::uint32_t>(width) * 24 + 31) / 32) * 4;
    const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(height);

    // The image's rows bottom-up, each pixel's blue, green and red bytes
    // without the fourth, converted a band of rows at a time as the file is
    // written.
    constexpr int bandRows = 64;
    const std::string headers = bitmapHeaders(width, height, imageBytes);
    bool headersWritten = false;
    std::string band(static_cast<std::size_t>(rowBytes) * bandRows, '\0');
    GdiFlush();
    int row = 0;  // from the bottom
    return writeFileSafely(
        path,
        [&]() -> std::string_view {
            if (!std::exchange(headersWritten, true)) return headers;
            const int rows = std::min(bandRows, height - row);
            char* to = band.data();
            for (int end = row + rows; row < end; ++row) {
                const std::uint32_t* from = image.pixels() + static_cast<std::size_t>(height - 1 - row) * width;
                for (int x = 0; x < width; ++x) {
                    const std::uint32_t pixel = from[x];
                    to[3 * x] = static_cast<char>(pixel & 0xFF);
                    to[3 * x + 1] = static_cast<char>((pixel >> 8) & 0xFF);
                    to[3 * x + 2] = static_cast<char>((pixel >> 16) & 0xFF);
                }
                to += rowBytes;
            }
            return std::string_view(band.data(), static_cast<std::size_t>(rowBytes) * rows);
        },
        false,
        // A picture can be made again at any time.
        false);
}

void exportBitmap() {
    if (exportPath.empty() || !pageBitmap.exists()) return;
    completePage();
    if (const FileError error = writeBitmapFile(exportPath, pageBitmap)) showFileError(error);
}
