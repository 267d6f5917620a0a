// The 32-bit top-down DIB sections that hold every image's pixels.
#pragma once

#include <windows.h>

#include <cstddef>

class IMAGE;

namespace Kanvo {

// A DIB section of width x height pixels 0x00RRGGBB, rows top to bottom, and
// its pixel pointer; null (and *pixels null) when the system cannot make it, a
// size is not positive or the raster would exceed 2 GiB. Zero-filled.
HBITMAP CreatePixelBitmap(int width, int height, DWORD** pixels);

// Sets `count` pixels to `value`. A grey value (equal colour bytes) is a byte
// fill, so its top byte takes the grey level too.
void FillPixels(DWORD* pixels, size_t count, DWORD value);

// Pixel value 0x00RRGGBB from a COLORREF 0x00BBGGRR and back (the same swap).
constexpr DWORD SwapRedBlue(DWORD value) {
    return (value & 0xFF00FF00u) | ((value & 0xFFu) << 16) | ((value >> 16) & 0xFFu);
}

// Number of pixels of a width x height raster, 0 for a non-positive size.
inline size_t PixelCount(int width, int height) {
    return width > 0 && height > 0 ? static_cast<size_t>(width) * static_cast<size_t>(height) : 0;
}

// A packed DIB (header, colour table, bits; rows bottom-up) of the image's
// bitmap in a fixed global block that the caller frees with GlobalFree; null
// on failure or for BI_BITFIELDS.
HGLOBAL ImageToPackedDib(const IMAGE* image, DWORD compression, HPALETTE palette);

}  // namespace Kanvo
