// PDF documents of whole-page images, and where the halves of the calendar
// page go on two A4 sheets. Portable.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// A4 portrait, in points.
constexpr double a4Width = 595.28;
constexpr double a4Height = 841.89;
// The least margin around a picture on a sheet: 8 mm.
constexpr double sheetMargin = 8 * 72 / 25.4;

// The page row where the first sheet ends and the second begins: the middle
// of the gap between day 16 and day 17, so that no cell is cut.
constexpr int sheetSplitRow = 3 + 16 * 92 - 1;

// A rectangle on a sheet, in points from its bottom-left corner.
struct Placement {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

// Where pictures `width` pixels wide and heights[i] high go, one a sheet of
// sheetWidth x sheetHeight points: all at one scale, the largest at which each
// fits inside the margins, centred across the sheet with its top on the top
// margin.
std::vector<Placement> placeOnSheets(int width, const std::vector<int>& heights, double sheetWidth,
                                     double sheetHeight, double margin);

// One sheet of a document: an RGB image of width x height pixels, its rows
// compressed as compressRows makes them, drawn at `placement`.
struct ImageSheet {
    int width = 0;
    int height = 0;
    std::string rows;
    Placement placement;
};

// A PDF 1.4 document of A4 sheets, one image on each; its information names
// the title and the creator (8-bit text).
std::string pdfFile(const std::vector<ImageSheet>& sheets, std::string_view title, std::string_view creator);
