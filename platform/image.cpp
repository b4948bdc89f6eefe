#include "platform/image.h"

#include <algorithm>
#include <utility>

Image::Image(Image&& other) noexcept { *this = std::move(other); }

Image& Image::operator=(Image&& other) noexcept {
    if (this != &other) {
        reset();
        dc_ = std::move(other.dc_);
        bitmap_ = std::move(other.bitmap_);
        oldBitmap_ = std::exchange(other.oldBitmap_, nullptr);
        pixels_ = std::exchange(other.pixels_, nullptr);
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
        serial_ = std::exchange(other.serial_, 0);
    }
    return *this;
}

Image::~Image() { reset(); }

bool Image::create(int width, int height) {
    reset();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Bitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) return false;
    MemoryDC dc(CreateCompatibleDC(nullptr));
    if (!dc.get()) return false;
    oldBitmap_ = SelectObject(dc.get(), bitmap.get());
    dc_ = std::move(dc);
    bitmap_ = std::move(bitmap);
    pixels_ = static_cast<uint32_t*>(bits);
    width_ = width;
    height_ = height;
    static unsigned made = 0;
    serial_ = ++made;
    return true;
}

void Image::reset() {
    if (dc_.get() && oldBitmap_) SelectObject(dc_.get(), oldBitmap_);
    oldBitmap_ = nullptr;
    dc_ = MemoryDC();
    bitmap_.reset();
    pixels_ = nullptr;
    width_ = height_ = 0;
    serial_ = 0;
}

int32_t Image::pixel(int x, int y) const {
    if (!pixels_ || x < 0 || y < 0 || x >= width_ || y >= height_) return -1;
    GdiFlush();
    const uint32_t p = pixels_[static_cast<size_t>(y) * width_ + x];
    return static_cast<int32_t>(((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF));
}

void Image::fill(int32_t colour) { fillRows(0, height_, colour); }

void Image::fillRows(int top, int bottom, int32_t colour) {
    top = std::clamp(top, 0, height_);
    bottom = std::clamp(bottom, top, height_);
    if (!pixels_ || bottom == top) return;
    GdiFlush();
    const uint32_t c = colour & 0xFFFFFF;
    const uint32_t dib = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    std::fill_n(pixels_ + static_cast<size_t>(top) * width_, static_cast<size_t>(bottom - top) * width_, dib);
}
