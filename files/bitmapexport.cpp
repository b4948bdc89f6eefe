#include "files/bitmapexport.h"

#include "calendar/render.h"
#include "files/workfile.h"
#include "platform/files.h"
#include "platform/gdi.h"

#include <windows.h>

#include <cstdint>
#include <string_view>

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

    // A 24-bit, bottom-up copy of the image, converted by the copy.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Bitmap picture(CreateDIBSection(image.dc(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDC dc(CreateCompatibleDC(image.dc()));
    if (!picture || !bits || !dc.get()) return ERROR_NOT_ENOUGH_MEMORY;
    {
        SelectGuard use(dc.get(), picture.get());
        BitBlt(dc.get(), 0, 0, width, height, image.dc(), 0, 0, SRCCOPY);
        GdiFlush();
    }
    const std::string headers = bitmapHeaders(width, height, imageBytes);
    return writeFileSafely(path, {headers, std::string_view(static_cast<const char*>(bits), imageBytes)}, false);
}

void exportBitmap() {
    if (exportPath.empty() || !pageBitmap.exists()) return;
    if (const FileError error = writeBitmapFile(exportPath, pageBitmap)) showFileError(error);
}
