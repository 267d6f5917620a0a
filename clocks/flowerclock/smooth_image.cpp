// The weighted 3 x 3 softening of the background, in place.
#include "flower_drawing.h"

int ClampChannel(int value) {
    if (value > 254) return 255;
    if (value < 0) return 0;
    return value;
}

void SmoothImage(IMAGE& image) {
    DWORD* p = GetSurfacePixels(&image);
    const int w = image.Width(), h = image.Height();
    if (!p || w <= 0 || h <= 0) return;
    // Neighbours column by column: left, middle, right; each top to bottom.
    const long long cell[9] = {-w - 1, -1, w - 1, -w, 0, w, 1 - w, 1, w + 1};
    const int mat[9] = {1, 4, 1, 4, 9, 4, 1, 4, 1};
    const long long n = static_cast<long long>(w) * h;
    for (long long i = 0; i < n; ++i) {
        const long long x = i % w;
        const int first = x == 0 ? 3 : 0;     // no left column at the left edge
        const int last = x == w - 1 ? 5 : 8;  // no right column at the right edge
        int color[3] = {0, 0, 0};
        int weights = 0;
        for (int k = first; k <= last; ++k) {
            const long long j = i + cell[k];
            if (j < 0 || j >= n) continue;
            weights += mat[k];
            for (int c = 0; c < 3; ++c)
                color[c] += static_cast<int>((p[j] >> (8 * c)) & 0xFF) * mat[k];
        }
        DWORD result = 0;
        for (int c = 0; c < 3; ++c)
            result |= static_cast<DWORD>(ClampChannel(color[c] / weights)) << (8 * c);
        p[i] = result;
    }
}
