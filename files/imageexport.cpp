#include "files/imageexport.h"

#include "calendar/document.h"
#include "calendar/monthlayout.h"
#include "calendar/render.h"
#include "files/pdfwriter.h"
#include "files/pngwriter.h"
#include "files/workfile.h"

#include <windows.h>

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

std::wstring pngExportPath;
std::wstring pdfExportPath;

namespace {

// The pixels of an image, drawn to the end, one row at a time.
PixelRows rowsOf(const Image& image) {
    GdiFlush();
    return {image.width(), image.height(),
            [&image](int y) -> const std::uint32_t* { return image.pixels() + static_cast<std::size_t>(y) * image.width(); }};
}

// A file made whole in memory, written once.
FileError writeWhole(const std::wstring& path, const std::string& content) {
    bool written = false;
    return writeFileSafely(
        path, [&]() -> std::string_view { return std::exchange(written, true) ? std::string_view() : content; }, false,
        // An export can be made again at any time.
        false);
}

constexpr int printScale = 2;
// Page rows drawn at a time for print.
constexpr int bandRows = 192;

}  // namespace

FileError writePngFile(const std::wstring& path, const Image& image) {
    const std::optional<std::string> png = pngFile(rowsOf(image));
    // Compression fails only when memory does.
    return png ? writeWhole(path, *png) : ERROR_NOT_ENOUGH_MEMORY;
}

FileError writePdfFile(const std::wstring& path) {
    const int tops[] = {0, sheetSplitRow};
    const int heights[] = {sheetSplitRow, pageHeight - sheetSplitRow};
    const std::vector<Placement> placements =
        placeOnSheets(pageWidth, {heights[0], heights[1]}, a4Width, a4Height, sheetMargin);
    // Each half is drawn a band of rows at a time, into one image that is
    // used again for every band: a fresh image of a whole half costs more to
    // touch for the first time than the drawing itself.
    Image band;
    if (!band.create(pageWidth * printScale, bandRows * printScale)) return ERROR_NOT_ENOUGH_MEMORY;
    std::vector<ImageSheet> sheets;
    for (int i = 0; i < 2; ++i) {
        int drawnTop = -1;  // the page row at the top of the band drawn last
        const PixelRows rows{band.width(), heights[i] * printScale, [&](int y) {
                                 const int bandTop = tops[i] + y / (bandRows * printScale) * bandRows;
                                 if (bandTop != drawnTop) {
                                     drawPageScaled(band, bandTop, printScale);
                                     drawnTop = bandTop;
                                 }
                                 const int bandRow = y - (bandTop - tops[i]) * printScale;
                                 return band.pixels() + static_cast<std::size_t>(bandRow) * band.width();
                             }};
        std::optional<std::string> compressed = compressRows(rows);
        if (!compressed) return ERROR_NOT_ENOUGH_MEMORY;
        sheets.push_back({rows.width, rows.height, std::move(*compressed), placements[i]});
    }
    return writeWhole(path, pdfFile(sheets, calendarTitle(firstMonth, firstYear), "Tervalonde za-nor"));
}

void exportPng() {
    if (pngExportPath.empty() || !pageBitmap.exists()) return;
    completePage();
    if (const FileError error = writePngFile(pngExportPath, pageBitmap)) showFileError(error);
}

void exportPdf() {
    if (pdfExportPath.empty() || !pageBitmap.exists() || !pageExists()) return;
    completePage();
    if (const FileError error = writePdfFile(pdfExportPath)) showFileError(error);
}
