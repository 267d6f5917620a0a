// What the image tests share: their headers, made-up images, pixel access and
// a whole-image comparison that reports the size and the number of wrong pixels.
#pragma once

#include <kanvo.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

#include "gdi_twin.h"
#include "program_driver.h"
#include "resource_counts.h"

// An image whose pixel (x, y) is color(x, y).
template <class Color>
IMAGE Painted(int width, int height, Color color) {
    IMAGE image(width, height);
    for (int i = 0; i < width * height; ++i)
        GetSurfacePixels(&image)[i] = static_cast<DWORD>(color(i % width, i / width));
    return image;
}

// A different value at every pixel, in all 32 bits, so that misplaced or
// dropped pixels show; far more than 256 colours.
inline IMAGE Patterned(int w, int h, DWORD seed = 0) {
    return Painted(w, h, [=](int x, int y) { return seed + (y * w + x) * 2654435761u; });
}

// The pixel at (x, y), or `outside` where the image has none.
inline DWORD At(IMAGE& image, int x, int y, DWORD outside = ~0u) {
    const bool inside = x >= 0 && y >= 0 && x < image.Width() && y < image.Height();
    return inside ? GetSurfacePixels(&image)[y * image.Width() + x] : outside;
}

// Whether no colour byte of the two pixels differs by more than `tolerance`.
inline bool Near(DWORD a, DWORD b, int tolerance) {
    const auto gap = [a, b](int s) { return std::abs(int(a >> s & 0xFF) - int(b >> s & 0xFF)); };
    return std::max({gap(0), gap(8), gap(16)}) <= tolerance;
}

// "<width>x<height> <n>": the image's size and how many of its pixels differ
// from expected(x, y) in any bit, or with a tolerance, in a colour byte by more.
template <class Expected>
std::string Differ(IMAGE& image, Expected expected, int tolerance = -1) {
    const int width = image.Width(), height = image.Height();
    int wrong = 0;
    for (int i = 0; i < width * height; ++i) {
        const DWORD actual = At(image, i % width, i / width), want = expected(i % width, i / width);
        wrong += tolerance < 0 ? actual != want : !Near(actual, want, tolerance);
    }
    return std::to_string(width) + "x" + std::to_string(height) + " " + std::to_string(wrong);
}

// The expectation "as in `image`" for Differ, `outside` where it has no pixel.
inline auto PixelsOf(IMAGE& image, DWORD outside = ~0u) {
    return [&image, outside](int x, int y) { return At(image, x, y, outside); };
}
inline DWORD Black(int, int) { return 0; }  // the expectation "all black"
