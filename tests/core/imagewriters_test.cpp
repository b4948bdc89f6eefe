// The PNG and PDF writers read back as a reader would: chunks and CRCs,
// pixel rows inflated and unfiltered again, and where the sheets go.
#include "files/pdfwriter.h"
#include "files/pngwriter.h"

#include <gtest/gtest.h>
#include <zlib.h>

static std::uint32_t bigEndian32(const std::string& s, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(s[at]) << 24 | static_cast<unsigned char>(s[at + 1]) << 16 |
                                      static_cast<unsigned char>(s[at + 2]) << 8 | static_cast<unsigned char>(s[at + 3]));
}

// Inflates rows filtered "Up" and unfilters them.
static std::vector<std::uint32_t> unfilter(const std::string& data, int width) {
    std::string raw(4 << 20, '\0');
    uLongf size = raw.size();
    EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(raw.data()), &size, reinterpret_cast<const Bytef*>(data.data()), data.size()), Z_OK);
    std::vector<unsigned char> above(width * 3, 0);
    std::vector<std::uint32_t> pixels;
    for (const char* row = raw.data(); row < raw.data() + size; row += width * 3 + 1) {
        EXPECT_EQ(row[0], 2);
        for (int i = 0; i < width * 3; ++i) above[i] = static_cast<unsigned char>(above[i] + row[1 + i]);
        for (int x = 0; x < width; ++x) pixels.push_back(above[3 * x] << 16 | above[3 * x + 1] << 8 | above[3 * x + 2]);
    }
    return pixels;
}

TEST(ImageWriters, PngChunksCarryTheirCrcsAndPngAndPdfImagesGiveThePixelsBack) {
    for (const auto& [w, h] : {std::pair{1, 30}, {3, 2}, {1000, 70}, {17, 129}}) {
        // Runs of rows that repeat the row above (the first nine, then five in
        // every nine) between rows that differ from it.
        std::vector<std::uint32_t> pixels;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) pixels.push_back(((x + (y / 9) * (y % 9 < 5 ? 1 : y) * w) * 2654435761u) & 0xFFFFFF);
        const PixelRows rows{w, h, [&pixels, w = w](int y) { return pixels.data() + y * w; }};
        for (int call : {0, 1}) {
            failCompressionAt(call);
            EXPECT_FALSE(pngFile(rows) || compressRows(rows)) << "zlib failing at its call " << call;
        }
        failCompressionAt(-1);
        const std::string png = pngFile(rows).value();
        ASSERT_EQ(png.substr(0, 29), std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16) + png.substr(16, 8) + std::string("\x08\x02\0\0\0", 5));
        const std::uint32_t idat = bigEndian32(png, 33);  // PIL checks every chunk's CRC in scripts/test
        EXPECT_EQ(bigEndian32(png, 29), crc32(0, reinterpret_cast<const Bytef*>(png.data() + 12), 17));
        EXPECT_EQ(unfilter(png.substr(41, idat), w), pixels);
        const std::string pdf = pdfFile({{w, h, compressRows(rows).value(), {10, 20.5, 400, 300}}}, "Calendario (2027)", "Tervalonde za-nor");
        EXPECT_NE(pdf.find("/Title (Calendario \\(2027\\)) /Creator (Tervalonde za-nor)"), std::string::npos);
        EXPECT_EQ(unfilter(pdf.substr(pdf.find("stream\n", pdf.find("/Subtype /Image")) + 7), w), pixels);
    }
}
