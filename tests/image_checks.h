// What the image tests share: their headers, made-up images, pixel access and
// a whole-image comparison that reports the size and the number of wrong pixels.
#pragma once

#include <kanvo.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "gdi_twin.h"
#include "program_driver.h"
#include "resource_counts.h"

// An image whose pixel i (counted row by row) is seed + i * step: by default a
// different value at every pixel, in all 32 bits, so that misplaced or dropped
// pixels show, far more than 256 colours; with step 0 a single colour.
inline IMAGE Patterned(int w, int h, DWORD seed = 0, DWORD step = 2654435761u) {
    IMAGE image(w, h);
    for (int i = 0; i < w * h; ++i) GetSurfacePixels(&image)[i] = seed + i * step;
    return image;
}

// The pixel at (x, y), or `outside` where the image has none.
inline DWORD At(IMAGE& image, int x, int y, DWORD outside = ~0u) {
    const bool inside = x >= 0 && y >= 0 && x < image.Width() && y < image.Height();
    return inside ? GetSurfacePixels(&image)[y * image.Width() + x] : outside;
}

// Whether no colour byte of the two pixels differs by more than `tolerance`;
// with a negative tolerance, whether all 32 bits are equal.
inline bool Near(DWORD a, DWORD b, int tolerance) {
    const auto gap = [a, b](int s) {
        return std::abs(int(a >> s & 0xFF) - int(b >> s & 0xFF));
    };
    return tolerance < 0 ? a == b : std::max({gap(0), gap(8), gap(16)}) <= tolerance;
}

// "<width>x<height> <n>": the image's size and how many of its pixels are not
// Near expected(x, y).
template <class Expected>
std::string Differ(IMAGE& image, Expected expected, int tolerance = -1) {
    int wrong = 0, w = image.Width(), h = image.Height();
    for (int i = 0; i < w * h; ++i)
        wrong += !Near(At(image, i % w, i / w), expected(i % w, i / w), tolerance);
    return std::to_string(w) + "x" + std::to_string(h) + " " + std::to_string(wrong);
}

// As above, against the pixels of `expected`, black where it has none.
inline std::string Differ(IMAGE& image, IMAGE& expected, int tolerance = -1) {
    return Differ(
        image, [&expected](int x, int y) { return At(expected, x, y, 0); }, tolerance);
}

// Free GDI slots and open handles, the most free and the fewest open of a few
// counts 20 ms apart: an object that the window thread or the system holds
// only for a moment is not counted, a leak is.
inline std::pair<int, int> SettledCounts() {
    std::pair<int, int> counts = {0, 1 << 30};
    for (int i = 0; i < 4; ++i, Sleep(20))
        counts = {std::max(counts.first, KanvoTest::FreeGdiSlots()),
                  std::min(counts.second, KanvoTest::OpenHandleCount())};
    return counts;
}
