#include "pixel_bitmap.h"

#include "image_access.h"
#include "../core/library_state.h"

#include <algorithm>
#include <cstring>

namespace Kanvo {

HBITMAP CreatePixelBitmap(int width, int height, DWORD** pixels) {
    *pixels = nullptr;
    // A negative height would make a bottom-up bitmap of another layout, and
    // sizes past 2 GiB overflow the system's own size arithmetic.
    if (width <= 0 || height <= 0) return nullptr;
    if (static_cast<unsigned long long>(width) * static_cast<unsigned long long>(height) * 4 >
        0x7FFFFFFFull)
        return nullptr;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap;
    {
        LockGuard lock;
        bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    }
    if (!bitmap || !bits) {
        if (bitmap) DeleteObject(bitmap);
        return nullptr;
    }
    *pixels = static_cast<DWORD*>(bits);
    return bitmap;
}

void FillPixels(DWORD* pixels, size_t count, DWORD value) {
    if (!pixels || count == 0) return;
    const DWORD b = value & 0xFF, g = (value >> 8) & 0xFF, r = (value >> 16) & 0xFF;
    if (b == g && g == r) {
        std::memset(pixels, static_cast<int>(b), count * sizeof(DWORD));
    } else {
        std::fill(pixels, pixels + count, value);
    }
}

HGLOBAL ImageToPackedDib(const IMAGE* image, DWORD compression, HPALETTE palette) {
    if (compression == BI_BITFIELDS || !image) return nullptr;
    HBITMAP bitmap = ImageAccess::Bitmap(*image);
    BITMAP description = {};
    if (!bitmap || !GetObjectW(bitmap, sizeof description, &description)) return nullptr;
    if (!palette) palette = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));

    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = description.bmWidth;
    header.biHeight = description.bmHeight;  // positive: rows bottom-up
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(description.bmPlanes * description.bmBitsPixel);
    header.biCompression = compression;
    const DWORD entries =
        header.biBitCount <= 8 ? (1u << header.biBitCount) : 0;  // 1, 4 and 8 bits have a table
    const SIZE_T headerBytes = sizeof header + entries * sizeof(RGBQUAD);

    HDC screen = GetDC(nullptr);
    HPALETTE oldPalette = SelectPalette(screen, palette, FALSE);
    RealizePalette(screen);
    auto finish = [&](HGLOBAL result) {
        SelectPalette(screen, oldPalette, FALSE);
        ReleaseDC(nullptr, screen);
        return result;
    };

    HGLOBAL block = GlobalAlloc(GMEM_FIXED, headerBytes);
    if (!block) return finish(nullptr);
    auto* info = static_cast<BITMAPINFO*>(block);
    std::memcpy(info, &header, sizeof header);
    GetDIBits(screen, bitmap, 0, static_cast<UINT>(header.biHeight), nullptr, info, DIB_RGB_COLORS);
    header = info->bmiHeader;
    if (header.biSizeImage == 0) {
        header.biSizeImage =
            ((header.biBitCount * static_cast<DWORD>(header.biWidth) + 31) & ~31u) / 8 *
            static_cast<DWORD>(header.biHeight);
        if (compression != BI_RGB) header.biSizeImage = header.biSizeImage * 3 / 2;
    }
    HGLOBAL grown = GlobalReAlloc(block, headerBytes + header.biSizeImage, GMEM_MOVEABLE);
    if (!grown) {
        GlobalFree(block);
        return finish(nullptr);
    }
    block = grown;
    info = static_cast<BITMAPINFO*>(block);
    info->bmiHeader = header;
    BYTE* bits = reinterpret_cast<BYTE*>(info) + headerBytes;
    if (!GetDIBits(screen, bitmap, 0, static_cast<UINT>(header.biHeight), bits, info,
                   DIB_RGB_COLORS)) {
        GlobalFree(block);
        return finish(nullptr);
    }
    return finish(block);
}

}  // namespace Kanvo
