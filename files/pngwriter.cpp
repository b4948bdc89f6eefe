#include "files/pngwriter.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <cstddef>
#include <vector>

namespace {

// Deflate's fixed Huffman code and its length and distance tables.
constexpr int lengthBase[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                              31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr int lengthExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr int distanceBase[] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
                                193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr int distanceExtra[] = {0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// Bits go out least significant first; Huffman codes most significant first.
class BitWriter {
public:
    explicit BitWriter(std::string& out) : out_(out) {}
    void bits(std::uint32_t value, int count) {
        buffer_ |= static_cast<std::uint64_t>(value) << count_;
        count_ += count;
        while (count_ >= 8) {
            out_.push_back(static_cast<char>(buffer_ & 0xFF));
            buffer_ >>= 8;
            count_ -= 8;
        }
    }
    void code(std::uint32_t value, int length) {
        std::uint32_t reversed = 0;
        for (int i = 0; i < length; ++i) reversed |= ((value >> i) & 1) << (length - 1 - i);
        bits(reversed, length);
    }
    void symbol(int s) {
        if (s < 144) code(0x30 + s, 8);
        else if (s < 256) code(0x190 + s - 144, 9);
        else if (s < 280) code(s - 256, 7);
        else code(0xC0 + s - 280, 8);
    }
    // A copy of `length` (3..258) bytes from `distance` back.
    void copy(int length, int distance) {
        int l = 28;
        while (lengthBase[l] > length) --l;
        symbol(257 + l);
        bits(static_cast<std::uint32_t>(length - lengthBase[l]), lengthExtra[l]);
        int d = 29;
        while (distanceBase[d] > distance) --d;
        code(static_cast<std::uint32_t>(d), 5);
        bits(static_cast<std::uint32_t>(distance - distanceBase[d]), distanceExtra[d]);
    }
    // Copies of any length of at least 3.
    void copies(long long length, int distance) {
        while (length > 0) {
            const int take = length >= 261 ? 258 : length > 258 ? static_cast<int>(length) - 3 : static_cast<int>(length);
            copy(take, distance);
            length -= take;
        }
    }
    // Ends on a byte boundary with an empty stored block.
    void align() {
        bits(0, 3);
        if (count_ > 0) bits(0, 8 - count_);
        out_.append("\0\0\xFF\xFF", 4);
    }

private:
    std::string& out_;
    std::uint64_t buffer_ = 0;
    int count_ = 0;
};

// `count` filtered rows that repeat the row above: the filter byte "Up"
// followed by zeros. One fixed-code block: the first row from literals and a
// run, the others copies of it.
void repeatedRows(std::string& out, int rowBytes, int count) {
    BitWriter w(out);
    w.bits(0, 1);  // not the last block
    w.bits(1, 2);  // fixed codes
    w.symbol(2);
    w.symbol(0);
    if (rowBytes - 2 >= 3) w.copies(rowBytes - 2, 1);
    else for (int i = 2; i < rowBytes; ++i) w.symbol(0);
    w.copies(static_cast<long long>(count - 1) * rowBytes, rowBytes);
    w.symbol(256);
    w.align();
}


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

// The test seam of failCompressionAt.
int failingCall = -1;

voidpf noMemory(voidpf, uInt, uInt) { return Z_NULL; }

}  // namespace

void failCompressionAt(int call) { failingCall = call; }

std::uint32_t crc32Of(std::string_view bytes) {
    uLong crc = crc32(0L, Z_NULL, 0);
    // zlib takes at most 4 GiB at a time; chunks are far smaller.
    crc = crc32(crc, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size()));
    return static_cast<std::uint32_t>(crc);
}

std::optional<std::string> compressRows(const PixelRows& rows) {
    const int width = std::max(rows.width, 0);
    const int rowBytes = width * 3 + 1;
    const std::size_t pixelBytes = static_cast<std::size_t>(width) * sizeof(std::uint32_t);
    // A page is mostly rows that repeat the row above. Those are written by
    // hand, as copies of the row before, and zlib gets only the rows that
    // differ: it would take much longer over the same runs of zeros. A copy
    // reaches back at most 32768 bytes.
    const bool repeatsByHand = width > 0 && rowBytes <= 32768;
    std::string out("\x78\x01", 2);  // zlib header: deflate, 32 KB window
    z_stream z{};
    int calls = 0;
    if (failingCall == calls++) z.zalloc = noMemory;
    if (deflateInit2(&z, Z_BEST_SPEED, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) return std::nullopt;
    bool failed = false;
    uLong checksum = adler32(0L, Z_NULL, 0);

    // Rows filtered "Up": each byte less the byte above it (zero above the
    // first row), led by the filter byte 2.
    constexpr int bandRows = 64;
    std::vector<unsigned char> band(static_cast<std::size_t>(rowBytes) * bandRows);
    std::vector<unsigned char> above(static_cast<std::size_t>(rowBytes), 0);
    int banded = 0;
    std::vector<unsigned char> chunk(256 * 1024);
    // Every band goes in whole; a flush ends with all of it out, and the
    // last one with the stream's end. A flush with nothing left to give is
    // told as Z_BUF_ERROR, which is no failure.
    auto compressBand = [&](int flush) {
        z.next_in = band.data();
        z.avail_in = static_cast<uInt>(static_cast<std::size_t>(rowBytes) * banded);
        checksum = adler32(checksum, band.data(), z.avail_in);
        banded = 0;
        int result = Z_OK;
        do {
            z.next_out = chunk.data();
            z.avail_out = static_cast<uInt>(chunk.size());
            result = failingCall == calls++ ? Z_STREAM_ERROR : deflate(&z, flush);
            out.append(reinterpret_cast<const char*>(chunk.data()), chunk.size() - z.avail_out);
        } while (z.avail_out == 0 && result == Z_OK);
        const bool done =
            z.avail_in == 0 && (flush == Z_FINISH ? result == Z_STREAM_END : result == Z_OK || result == Z_BUF_ERROR);
        if (!done) failed = true;
    };
    std::vector<unsigned char> repeated(static_cast<std::size_t>(rowBytes), 0);
    repeated[0] = 2;
    const uLong repeatedChecksum = adler32(adler32(0L, Z_NULL, 0), repeated.data(), static_cast<uInt>(rowBytes));

    // The pixels of the last row that differed from the one above it.
    std::vector<std::uint32_t> previous(static_cast<std::size_t>(width));
    for (int y = 0; y < rows.height;) {
        const std::uint32_t* from = rows.row(y);
        if (repeatsByHand && y > 0 && std::memcmp(from, previous.data(), pixelBytes) == 0) {
            int count = 1;
            while (++y < rows.height && std::memcmp(rows.row(y), previous.data(), pixelBytes) == 0) ++count;
            // zlib's blocks end on a byte boundary and forget what came
            // before, so that none of them reaches back across these rows.
            compressBand(Z_FULL_FLUSH);
            repeatedRows(out, rowBytes, count);
            for (int i = 0; i < count; ++i) checksum = adler32_combine(checksum, repeatedChecksum, rowBytes);
            continue;
        }
        unsigned char* to = band.data() + static_cast<std::size_t>(rowBytes) * banded;
        to[0] = 2;
        for (int x = 0; x < width; ++x) {
            const unsigned char rgb[3] = {static_cast<unsigned char>(from[x] >> 16),
                                          static_cast<unsigned char>(from[x] >> 8), static_cast<unsigned char>(from[x])};
            for (int c = 0; c < 3; ++c) {
                unsigned char& up = above[static_cast<std::size_t>(1 + 3 * x + c)];
                to[1 + 3 * x + c] = static_cast<unsigned char>(rgb[c] - up);
                up = rgb[c];
            }
        }
        if (width > 0) std::memcpy(previous.data(), from, pixelBytes);
        ++y;
        if (++banded == bandRows) compressBand(Z_NO_FLUSH);
    }
    compressBand(Z_FINISH);
    deflateEnd(&z);
    if (failed) return std::nullopt;
    putBigEndian32(out, static_cast<std::uint32_t>(checksum));
    return out;
}

std::optional<std::string> pngFile(const PixelRows& rows) {
    const std::optional<std::string> pixels = compressRows(rows);
    if (!pixels) return std::nullopt;
    std::string out("\x89PNG\r\n\x1a\n", 8);
    std::string header;
    putBigEndian32(header, static_cast<std::uint32_t>(rows.width));
    putBigEndian32(header, static_cast<std::uint32_t>(rows.height));
    header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, adaptive filters, no interlace
    appendChunk(out, "IHDR", header);
    appendChunk(out, "IDAT", *pixels);
    appendChunk(out, "IEND", {});
    return out;
}
