// The PNG and PDF writers read back as a reader would: chunks and their CRCs,
// the cross-reference table, and pixel rows inflated and unfiltered again.
#include "files/pdfwriter.h"
#include "files/pngwriter.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

std::uint32_t bigEndian32(const std::string& s, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(s[at]) << 24 | static_cast<unsigned char>(s[at + 1]) << 16 |
                                      static_cast<unsigned char>(s[at + 2]) << 8 | static_cast<unsigned char>(s[at + 3]));
}

// Inflates rows filtered "Up" and unfilters them.
std::vector<std::uint32_t> unfilter(const std::string& zlibData, int width, int height) {
    std::string raw(static_cast<std::size_t>(width * 3 + 1) * height + 1, '\0');
    uLongf size = raw.size();
    EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(raw.data()), &size, reinterpret_cast<const Bytef*>(zlibData.data()),
                         zlibData.size()), Z_OK);
    EXPECT_EQ(size, raw.size() - 1);
    std::vector<unsigned char> above(width * 3, 0);
    std::vector<std::uint32_t> pixels;
    for (const char* row = raw.data(); row < raw.data() + size; row += width * 3 + 1) {
        EXPECT_EQ(row[0], 2);
        for (int i = 0; i < width * 3; ++i) above[i] = static_cast<unsigned char>(above[i] + row[1 + i]);
        for (int x = 0; x < width; ++x) pixels.push_back(above[3 * x] << 16 | above[3 * x + 1] << 8 | above[3 * x + 2]);
    }
    return pixels;
}

struct TestImage {
    int width, height;
    std::vector<std::uint32_t> pixels;
    // Runs of rows that repeat the row above (the first nine, then five in
    // every nine) between rows that differ from it.
    TestImage(int w, int h) : width(w), height(h) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) pixels.push_back(((x + (y / 9) * (y % 9 < 5 ? 1 : y) * w) * 2654435761u) & 0xFFFFFF);
    }
    PixelRows rows() const { return {width, height, [this](int y) { return pixels.data() + y * width; }}; }
};

TEST(PngWriter, ChunksCarryTheirCrcsAndTheImageDataGivesThePixelsBack) {
    for (const TestImage& image : {TestImage(1, 30), TestImage(3, 2), TestImage(1000, 70), TestImage(17, 129)}) {
        const std::string png = pngFile(image.rows());
        ASSERT_EQ(png.substr(0, 16), std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16));
        EXPECT_EQ(png.substr(24, 5), std::string("\x08\x02\0\0\0", 5));  // 8-bit RGB, not interlaced
        std::string types;
        for (std::size_t at = 8, length = 0; at + 12 <= png.size(); at += 12 + length) {
            length = bigEndian32(png, at);
            types += png.substr(at + 4, 4);
            EXPECT_EQ(bigEndian32(png, at + 8 + length), crc32Of(std::string_view(png).substr(at + 4, length + 4)));
            if (png.substr(at + 4, 4) == "IDAT") {
                EXPECT_EQ(unfilter(png.substr(at + 8, length), image.width, image.height), image.pixels);
            }
        }
        EXPECT_EQ(types, "IHDRIDATIEND");
    }
}

TEST(PdfWriter, TheCrossReferenceFindsEveryObjectAndEachSheetHoldsItsImage) {
    const TestImage image(40, 30);
    const std::vector<ImageSheet> sheets(2, ImageSheet{40, 30, compressRows(image.rows()), {10, 20.5, 400, 300}});
    const std::string pdf = pdfFile(sheets, "Calendario (prueba)", "Tervalonde za-nor");
    const std::size_t xref = std::stoul(pdf.substr(pdf.rfind("startxref\n") + 10));
    ASSERT_EQ(pdf.substr(xref, 30), "xref\n0 10\n0000000000 65535 f \n");
    for (int id = 1; id <= 9; ++id)
        EXPECT_EQ(pdf.substr(std::stoul(pdf.substr(xref + 10 + 20 * id, 10)), 8), std::to_string(id) + " 0 obj\n");
    for (const char* part : {"%PDF-1.4\n", "/Kids [4 0 R 7 0 R] /Count 2", "/MediaBox [0 0 595.28 841.89]",
                             "q 400 0 0 300 10 20.5 cm /Im0 Do Q", "/Title (Calendario \\(prueba\\)) /Creator (Tervalonde za-nor)"})
        EXPECT_NE(pdf.find(part), std::string::npos) << part;
    const std::size_t stream = pdf.find("stream\n", pdf.find("/Subtype /Image")) + 7;
    EXPECT_EQ(unfilter(pdf.substr(stream, sheets[0].rows.size()), 40, 30), image.pixels);
}

TEST(PdfWriter, TheTwoHalvesOfThePageShareOneScaleInsideTheMarginsAndTheTitleNamesItsMonths) {
    const int halves[] = {sheetSplitRow, 2900 - sheetSplitRow};
    const std::vector<Placement> p = placeOnSheets(1000, {halves[0], halves[1]}, a4Width, a4Height, sheetMargin);
    for (int i = 0; i < 2; ++i) {
        EXPECT_DOUBLE_EQ(p[i].width / 1000, p[i].height / halves[i]);
        EXPECT_DOUBLE_EQ(p[i].x, a4Width - p[i].x - p[i].width);  // centred, the top on the margin
        EXPECT_NEAR(a4Height - p[i].y - p[i].height, sheetMargin, 1e-9);
        EXPECT_GE(2000 / (p[i].width / 72), 250);  // dots per inch at twice the page's resolution
    }
    EXPECT_NEAR(p[0].height, a4Height - 2 * sheetMargin, 1e-9);  // the taller half fills the height
    EXPECT_NEAR(p[0].width / 72 * 25.4, 190, 2);                 // about 19 cm wide
    EXPECT_EQ(calendarTitle(12, 2027), "Calendario Diciembre 2027 - Marzo 2028");
}

}  // namespace
