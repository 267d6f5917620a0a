#include "gdi_twin.h"

#include <algorithm>
#include <cstdio>

namespace KanvoTest {

GdiTwin::GdiTwin(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    pixels_ = static_cast<DWORD*>(bits);
    oldBitmap_ = SelectObject(dc_, bitmap_);
    ApplyImageDefaults(dc_);
}

GdiTwin::~GdiTwin() {
    DeleteObject(SelectObject(dc_, GetStockObject(WHITE_PEN)));
    DeleteObject(SelectObject(dc_, GetStockObject(BLACK_BRUSH)));
    DeleteObject(SelectObject(dc_, GetStockObject(SYSTEM_FONT)));
    SelectObject(dc_, oldBitmap_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

void GdiTwin::Fill(DWORD pixel) {
    GdiFlush();
    std::fill(pixels_, pixels_ + static_cast<size_t>(width_) * height_, pixel);
}

void ApplyImageDefaults(HDC dc) {
    SetGraphicsMode(dc, GM_ADVANCED);
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, 0);
    DeleteObject(SelectObject(dc, CreatePen(PS_SOLID, 1, 0xFFFFFF)));
    DeleteObject(SelectObject(dc, CreateSolidBrush(0xFFFFFF)));
    SetTextColor(dc, 0xFFFFFF);
    LOGFONTW font = {};
    font.lfHeight = 16;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = NONANTIALIASED_QUALITY;
    lstrcpyW(font.lfFaceName, L"System");
    DeleteObject(SelectObject(dc, CreateFontIndirectW(&font)));
}

std::string ComparePixels(const DWORD* actual, const DWORD* expected, int width, int height) {
    if (!actual || !expected) return "missing pixels";
    GdiFlush();
    size_t differing = 0;
    char first[160] = {};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const size_t i = static_cast<size_t>(y) * width + x;
            if (actual[i] != expected[i]) {
                if (differing++ == 0)
                    std::snprintf(first, sizeof first, "first at (%d, %d): 0x%08lX, expected 0x%08lX",
                                  x, y, static_cast<unsigned long>(actual[i]),
                                  static_cast<unsigned long>(expected[i]));
            }
        }
    }
    if (differing == 0) return {};
    return std::to_string(differing) + " pixels differ, " + first;
}

std::string ComparePixels(IMAGE& actual, const GdiTwin& expected) {
    if (actual.Width() != expected.Width() || actual.Height() != expected.Height())
        return "sizes differ";
    return ComparePixels(GetSurfacePixels(&actual), expected.Pixels(), expected.Width(),
                         expected.Height());
}

}  // namespace KanvoTest
