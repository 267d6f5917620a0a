// Counting pixels of one value in a raster, inside and outside a rectangle.
#pragma once

#include <windows.h>

namespace KanvoTest {

struct PixelTally {
    int inside = 0;   // matching pixels inside the rectangle
    int outside = 0;  // matching pixels elsewhere
};

// Pixels of a width x height raster (rows top to bottom) whose value, under
// `mask`, equals `pixel`.
inline PixelTally TallyPixels(const DWORD* pixels, int width, int height, DWORD pixel,
                              const RECT& inside, DWORD mask = 0xFFFFFFFFu) {
    PixelTally tally;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            if ((pixels[static_cast<size_t>(y) * width + x] & mask) != (pixel & mask)) continue;
            const bool in =
                x >= inside.left && x < inside.right && y >= inside.top && y < inside.bottom;
            ++(in ? tally.inside : tally.outside);
        }
    return tally;
}

}  // namespace KanvoTest
