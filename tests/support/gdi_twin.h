// The oracle for drawing tests: a DIB section of the same layout as an IMAGE
// (32-bit, top-down) in a memory DC, on which a test draws with raw GDI calls.
#pragma once

#include <kanvo.h>

#include <string>

namespace KanvoTest {

class GdiTwin {
public:
    GdiTwin(int width, int height);
    GdiTwin(const GdiTwin&) = delete;
    GdiTwin& operator=(const GdiTwin&) = delete;
    ~GdiTwin();

    HDC Dc() const { return dc_; }
    DWORD* Pixels() const { return pixels_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Fills every pixel with a 0x00RRGGBB value.
    void Fill(DWORD pixel);

private:
    int width_;
    int height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    DWORD* pixels_ = nullptr;
};

// Empty when both rasters hold the same pixels, otherwise a description of the
// first difference and the number of differing pixels.
std::string ComparePixels(const DWORD* actual, const DWORD* expected, int width, int height);
std::string ComparePixels(IMAGE& actual, const GdiTwin& expected);

// Gives a device context the state a new IMAGE has, so that raw GDI on it is
// comparable with Kanvo drawing on an image.
void ApplyImageDefaults(HDC dc);

}  // namespace KanvoTest
