#include "files/pngwriter.h"

#include <zlib.h>

#include <algorithm>
#include <cstddef>
#include <vector>

namespace {

void putBigEndian32(std::string& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<char>((v >> shift) & 0xFF));
}

void appendChunk(std::string& out, std::string_view type, std::string_view data) {
    putBigEndian32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.append(type);
    out.append(data);
    putBigEndian32(out, crc32Of(std::string_view(out).substr(start)));
}

}  // namespace

std::uint32_t crc32Of(std::string_view bytes) {
    uLong crc = crc32(0L, Z_NULL, 0);
    // zlib takes at most 4 GiB at a time; chunks are far smaller.
    crc = crc32(crc, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size()));
    return static_cast<std::uint32_t>(crc);
}

std::string compressRows(const PixelRows& rows) {
    const std::size_t rowBytes = static_cast<std::size_t>(std::max(rows.width, 0)) * 3 + 1;
    // Rows are filtered a band at a time and handed to zlib as they are made.
    constexpr int bandRows = 64;
    std::vector<unsigned char> band(rowBytes * bandRows);
    std::vector<unsigned char> previous(rowBytes, 0);
    std::vector<unsigned char> current(rowBytes, 0);
    std::string out;

    z_stream z{};
    // Runs of equal bytes are what filtered page rows are made of: the
    // run-length strategy finds them at a fraction of the default's time.
    if (deflateInit2(&z, Z_BEST_SPEED, Z_DEFLATED, 15, 9, Z_RLE) != Z_OK) return out;
    std::vector<unsigned char> chunk(256 * 1024);
    auto pump = [&](int flush) {
        do {
            z.next_out = chunk.data();
            z.avail_out = static_cast<uInt>(chunk.size());
            deflate(&z, flush);
            out.append(reinterpret_cast<const char*>(chunk.data()), chunk.size() - z.avail_out);
        } while (z.avail_out == 0);
    };
    for (int top = 0; top < rows.height; top += bandRows) {
        const int count = std::min(bandRows, rows.height - top);
        unsigned char* to = band.data();
        for (int y = top; y < top + count; ++y, to += rowBytes) {
            const std::uint32_t* from = rows.row(y);
            for (int x = 0; x < rows.width; ++x) {
                current[1 + 3 * x] = static_cast<unsigned char>(from[x] >> 16);
                current[2 + 3 * x] = static_cast<unsigned char>(from[x] >> 8);
                current[3 + 3 * x] = static_cast<unsigned char>(from[x]);
            }
            // "Up": each byte less the byte above it (the first row's "above"
            // is zero, which leaves it as it is).
            to[0] = 2;
            for (std::size_t i = 1; i < rowBytes; ++i) to[i] = static_cast<unsigned char>(current[i] - previous[i]);
            current.swap(previous);
        }
        z.next_in = band.data();
        z.avail_in = static_cast<uInt>(rowBytes * count);
        pump(Z_NO_FLUSH);
    }
    z.next_in = nullptr;
    z.avail_in = 0;
    pump(Z_FINISH);
    deflateEnd(&z);
    return out;
}

std::string pngFile(const PixelRows& rows) {
    std::string out("\x89PNG\r\n\x1a\n", 8);
    std::string header;
    putBigEndian32(header, static_cast<std::uint32_t>(rows.width));
    putBigEndian32(header, static_cast<std::uint32_t>(rows.height));
    header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, adaptive filters, no interlace
    appendChunk(out, "IHDR", header);
    appendChunk(out, "IDAT", compressRows(rows));
    appendChunk(out, "IEND", {});
    return out;
}
