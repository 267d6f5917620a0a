// The oracle for drawing tests: a DIB section of the same layout as an IMAGE
// (32-bit, top-down) in a memory DC, on which a test draws with raw GDI calls.
#pragma once

#include <kanvo.h>

#include <string>

namespace KanvoTest {

class GdiTwin {
public:
    GdiTwin(int width, int height);
    GdiTwin(const GdiTwin&) = delete;  // the twin alone owns its DC and bitmap
    GdiTwin& operator=(const GdiTwin&) = delete;
    ~GdiTwin();

    HDC Dc() const { return dc_; }
    DWORD* Pixels() const { return pixels_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void Fill(DWORD pixel);  // every pixel, 0x00RRGGBB

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ oldBitmap_;
    DWORD* pixels_;
};

// Empty when both rasters hold the same pixels, otherwise the number of
// differing pixels and the first difference.
std::string ComparePixels(const DWORD* actual, const DWORD* expected, int width, int height);
std::string ComparePixels(IMAGE& actual, const GdiTwin& expected);

// Selects `object` into `dc` and deletes the object it replaces.
void SelectAndDelete(HDC dc, HGDIOBJ object);

// The current target's drawing state as text: the four colours, background
// mode, raster operation, polygon fill mode, axis scale, line and fill style.
std::string DrawingState();

// Pixels within `area` of a raster `width` pixels wide that equal `pixel`
// under `mask`.
int CountPixels(const DWORD* pixels, int width, const RECT& area, DWORD pixel,
                DWORD mask = 0xFFFFFFFF);

}  // namespace KanvoTest
