// The raw-GDI twin of an IMAGE, and the pixel comparisons and state reports
// the drawing tests share.
#include "gdi_twin.h"

#include <algorithm>
#include <cstdio>

namespace KanvoTest {

// Gives a device context the state a new IMAGE has, so that raw GDI on it is
// comparable with Kanvo drawing on an image.
static void ApplyImageDefaults(HDC dc) {
    SetGraphicsMode(dc, GM_ADVANCED);
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, 0);
    SetTextColor(dc, 0xFFFFFF);
    SelectAndDelete(dc, CreatePen(PS_SOLID, 1, 0xFFFFFF));
    SelectAndDelete(dc, CreateSolidBrush(0xFFFFFF));
    const LOGFONTW font = {
        16, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, NONANTIALIASED_QUALITY, 0, L"System"};
    SelectAndDelete(dc, CreateFontIndirectW(&font));
}

GdiTwin::GdiTwin(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info = {{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0},
                       {}};  // top-down rows
    void* bits = nullptr;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    pixels_ = static_cast<DWORD*>(bits);
    oldBitmap_ = SelectObject(dc_, bitmap_);
    ApplyImageDefaults(dc_);
}

GdiTwin::~GdiTwin() {
    // The pen, brush and font selected last belong to the twin.
    for (int stock : {WHITE_PEN, BLACK_BRUSH, SYSTEM_FONT})
        SelectAndDelete(dc_, GetStockObject(stock));
    SelectObject(dc_, oldBitmap_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

void GdiTwin::Fill(DWORD pixel) {
    GdiFlush();
    std::fill_n(pixels_, width_ * height_, pixel);  // after GDI's pending drawing
}

void SelectAndDelete(HDC dc, HGDIOBJ object) {
    DeleteObject(SelectObject(dc, object));
}

std::string ComparePixels(const DWORD* actual, const DWORD* expected, int width, int height) {
    if (!actual || !expected) return "missing pixels";
    GdiFlush();
    int differing = 0, first = 0;
    for (int i = 0; i < width * height; ++i)
        if (actual[i] != expected[i] && differing++ == 0) first = i;
    if (differing == 0) return {};
    char text[120];
    std::snprintf(text, sizeof text, "%d pixels differ, first (%d, %d): 0x%08lX, expected 0x%08lX",
                  differing, first % width, first / width, actual[first], expected[first]);
    return text;
}

std::string ComparePixels(IMAGE& actual, const GdiTwin& expected) {
    const int width = expected.Width(), height = expected.Height();
    if (actual.Width() != width || actual.Height() != height) return "sizes differ";
    return ComparePixels(GetSurfacePixels(&actual), expected.Pixels(), width, height);
}

std::string DrawingState() {
    LINESTYLE line;
    FILLSTYLE fill;
    float xScale = 0, yScale = 0;
    GetStrokeStyle(&line);
    GetInteriorStyle(&fill);
    GetAxisScale(&xScale, &yScale);
    char text[200];
    std::snprintf(text, sizeof text,
                  "colours %06lX %06lX %06lX %06lX, mode %d, rop %d, fill mode %d, scale %g %g, "
                  "pen 0x%X %d, brush %d %d%s, dashes",
                  GetStrokeColor(), GetInteriorColor(), GetFontColor(), GetBackgroundColor(),
                  GetBackgroundMode(), GetRasterOp(), GetPolygonFillMode(), xScale, yScale,
                  line.style, line.thickness, fill.style, fill.hatch,
                  fill.pattern ? " pattern" : "");
    std::string state = text;
    for (DWORD i = 0; i < line.userCount; ++i) state += " " + std::to_string(line.userPattern[i]);
    return state;
}

int CountPixels(const DWORD* pixels, int width, const RECT& area, DWORD pixel, DWORD mask) {
    int count = 0;
    for (LONG y = area.top; y < area.bottom; ++y)
        for (LONG x = area.left; x < area.right; ++x)
            count += (pixels[static_cast<size_t>(y) * width + x] & mask) == (pixel & mask);
    return count;
}

}  // namespace KanvoTest
