// Soft edges blended straight into the window's pixel buffer.
#include "ball_drawing.h"

#include <algorithm>
#include <cmath>

namespace {

// The window's pixels, or null unless the window is open with a back buffer
// of the clock's size (the walk below covers exactly that many pixels).
DWORD* ClockPixels() {
    HWND window = GetWindowHandle();
    DWORD* pixels = GetSurfacePixels(nullptr);
    RECT client = {};
    if (!window || !pixels || !GetClientRect(window, &client)) return nullptr;
    if (client.right != kBallWindowWidth || client.bottom != kBallWindowHeight) return nullptr;
    return pixels;
}

DWORD Blend(DWORD old, DWORD target, double weight) {
    DWORD result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double channel =
            ((old >> shift) & 0xFF) * (1 - weight) + ((target >> shift) & 0xFF) * weight;
        result |= static_cast<DWORD>(channel) << shift;
    }
    return result;
}

}  // namespace

double SquaredDistance(int x1, int y1, int x2, int y2) {
    return static_cast<double>((x1 - x2) * (x1 - x2) + (y1 - y2) * (y1 - y2));
}

double ShapeCoverage(int x1, int y1, int x2, int y2, int px, int py, int width, bool circle) {
    const int dx = x1 - px, dy = y1 - py;
    if (circle) return 0.5 - (std::sqrt(static_cast<double>(dx * dx + dy * dy)) - width);
    // A line through two equal points has no direction: the quotient is not a
    // number, and so is the coverage, which no pixel then passes.
    const double l = (dx * (x1 - x2) + dy * (y1 - y2)) / SquaredDistance(x1, y1, x2, y2);
    const double ex = dx - l * (x1 - x2), ey = dy - l * (y1 - y2);
    return 0.5 - (std::sqrt(ex * ex + ey * ey) - width);
}

void SoftenShape(COLORREF color, int x1, int y1, int x2, int y2, int width, bool circle) {
    DWORD* pixels = ClockPixels();
    if (!pixels) return;
    // The colour as a pixel value (blue in the low byte).
    const DWORD target = ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
    // Only pixels near the shape can change: a circle's soft edge lies less
    // than width + 1 from its centre, a line's pixels within 2 of its box.
    const long long reach = circle ? std::max(width, 0) + 1LL : 2LL;
    const long long left = std::max(0LL, (circle ? x1 : std::min(x1, x2)) - reach);
    const long long top = std::max(0LL, (circle ? y1 : std::min(y1, y2)) - reach);
    const long long right =
        std::min(kBallWindowWidth - 1LL, (circle ? x1 : std::max(x1, x2)) + reach);
    const long long bottom =
        std::min(kBallWindowHeight - 1LL, (circle ? y1 : std::max(y1, y2)) + reach);
    for (int y = static_cast<int>(top); y <= bottom; ++y) {
        for (int x = static_cast<int>(left); x <= right; ++x) {
            const double m = ShapeCoverage(x1, y1, x2, y2, x, y, width, circle);
            if (!(m > 0 && m < 1)) continue;
            if (!circle && (x + 2 < std::min(x1, x2) || std::max(x1, x2) < x - 2 ||
                            y + 2 < std::min(y1, y2) || std::max(y1, y2) < y - 2))
                continue;
            DWORD& pixel = pixels[y * kBallWindowWidth + x];
            pixel = Blend(pixel, target, std::sqrt(m));
        }
    }
}
