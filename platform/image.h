// Off-screen images: 32-bit top-down device-independent bitmaps, each with a
// memory device context of its own that stays selected for the image's life.
#pragma once

#include "platform/gdi.h"

#include <cstdint>

class Image {
public:
    Image() = default;
    Image(Image&&) noexcept;
    Image& operator=(Image&&) noexcept;
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;
    ~Image();

    // Makes a new image of width x height; its contents are undefined (black).
    // Returns false, and leaves the image empty, when the platform refuses.
    bool create(int width, int height);
    void reset();
    bool exists() const { return bitmap_.get() != nullptr; }

    HDC dc() const { return dc_.get(); }
    int width() const { return width_; }
    int height() const { return height_; }
    // Pixels, rows top-down, 0x00RRGGBB each (the DIB order).
    uint32_t* pixels() const { return pixels_; }
    // Colour of one pixel as 0x00BBGGRR; -1 outside the image.
    int32_t pixel(int x, int y) const;
    void fill(int32_t colour);
    // Fills rows top..bottom - 1 (clipped to the image).
    void fillRows(int top, int bottom, int32_t colour);
    // Tells one made image from another: a new number each time create() succeeds.
    unsigned serial() const { return serial_; }

private:
    MemoryDC dc_;
    Bitmap bitmap_;
    HGDIOBJ oldBitmap_ = nullptr;
    uint32_t* pixels_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    unsigned serial_ = 0;
};
