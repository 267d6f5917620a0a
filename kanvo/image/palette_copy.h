// An 8-bit palette copy of an image's pixels, for encoders that accept only
// palette pictures (GIF): the system's encoder would otherwise write a file
// without pixel data.
#pragma once

#include <windows.h>

#include <memory>

namespace Kanvo {

class PaletteCopy {
public:
    // Pixels 0x00RRGGBB, rows top to bottom. An image of at most 256 colours
    // keeps them exactly; others map each pixel to the nearest colour of a
    // fixed 6 x 7 x 6 cube of reds, greens and blues.
    PaletteCopy(const DWORD* pixels, int width, int height);

    // False when the memory for the copy could not be had.
    bool Valid() const { return bits_ != nullptr; }
    // A top-down 8-bit bitmap header with its 256-entry palette, and the rows
    // (each padded to a multiple of 4 bytes).
    const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(&info_); }
    BYTE* Bits() const { return bits_.get(); }

private:
    bool MapExactly(const DWORD* pixels, int width, int height, size_t stride);
    void MapToCube(const DWORD* pixels, int width, int height, size_t stride);

    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    } info_ = {};
    std::unique_ptr<BYTE[]> bits_;
};

}  // namespace Kanvo
