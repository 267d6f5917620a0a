#include "smooth_drawing.h"

#include <algorithm>
#include <cmath>

namespace {

int Channel(COLORREF color, int shift) {
    return static_cast<int>((color >> shift) & 0xFF);
}

// Truncates toward zero and keeps the low 8 bits; a value no int can hold
// (or NaN) gives 0 instead of undefined behaviour.
COLORREF TruncatedByte(double value) {
    if (!(value > -2147483648.0 && value < 2147483648.0)) return 0;
    return static_cast<COLORREF>(static_cast<int>(value)) & 0xFF;
}

// The part of one row that a line's fringe can touch, as at most two runs of
// pixels [first, last) and [secondFirst, secondLast): the fringe mixes only
// pixels whose projection falls on the segment and whose distance from the
// line lies within 1.5 of the stroke's edge, so the pixels clearly beyond
// the segment's ends, clearly farther from the line, or clearly inside the
// stroke are left out. "Clearly" means by a quarter of a pixel in distance
// and a whole pixel along the row, far more than any rounding in the
// fringe's own tests.
struct RowRuns {
    int first;
    int last;
    int secondFirst = 0;
    int secondLast = 0;
};

// Keeps of [first, last) only the pixels x with floor(low) <= x <= ceil(high):
// each pixel left out lies a whole pixel or more beyond low or high.
void KeepBetween(double low, double high, int& first, int& last) {
    const double from = std::floor(low);
    const double to = std::ceil(high) + 1;
    if (from > first) first = from < last ? static_cast<int>(from) : last;
    if (to < last) last = to > first ? static_cast<int>(to) : first;
}

// For the segment from (x1, y1) along -(dx, dy), the runs of row y within
// [left, right) to test; a line of half width `halfWidth`.
RowRuns FringeRuns(int x1, int y1, double dx, double dy, double halfWidth, int y, int left,
                   int right) {
    RowRuns runs = {left, right};
    const double rise = static_cast<double>(y1) - y;
    const double lengthSquared = dx * dx + dy * dy;
    // The projection t = ((x1 - x) dx + rise dy) / length^2 lies in [0, 1]
    // for x between these two places.
    if (dx != 0) {
        const double atStart = x1 + rise * dy / dx;
        const double atEnd = x1 - (lengthSquared - rise * dy) / dx;
        KeepBetween(std::min(atStart, atEnd), std::max(atStart, atEnd), runs.first, runs.last);
    }
    if (dy == 0) return runs;
    // The distance from the line is |x - centre| |dy| / length.
    const double centre = x1 - rise * dx / dy;
    const double perPixel = std::sqrt(lengthSquared) / std::fabs(dy);
    const double outer = (halfWidth + 1.5 + 0.25) * perPixel;
    KeepBetween(centre - outer, centre + outer, runs.first, runs.last);
    const double inner = (halfWidth - 1.5 - 0.25) * perPixel;
    if (inner <= 0) return runs;
    // Pixels with |x - centre| < inner lie inside the stroke.
    const int gapFirst = static_cast<int>(std::floor(centre - inner)) + 1;
    const int gapLast = static_cast<int>(std::ceil(centre + inner));
    if (gapFirst >= gapLast || gapLast <= runs.first || gapFirst >= runs.last) return runs;
    runs.secondFirst = std::max(gapLast, runs.first);
    runs.secondLast = runs.last;
    runs.last = std::max(gapFirst, runs.first);
    return runs;
}

// Mixes `color` into the pixels near the segment (x1, y1)-(x2, y2): those
// within `margin` of its bounding box whose projection falls on the segment
// and whose distance from it lies within 1.5 pixels of the stroke's edge.
void DrawLineFringe(int x1, int y1, int x2, int y2, COLORREF color, int width, int margin) {
    const double dx = static_cast<double>(x1) - x2;
    const double dy = static_cast<double>(y1) - y2;
    const double lengthSquared = dx * dx + dy * dy;
    if (lengthSquared == 0) return;  // a point has no direction to measure from
    const double halfWidth = width / 2.0;
    auto mix = [&](int x, int y) {
        const double px = static_cast<double>(x1) - x;
        const double py = static_cast<double>(y1) - y;
        const double t = (px * dx + py * dy) / lengthSquared;
        if (t < 0 || t > 1) return;
        // Rounding can make the square slightly negative on the line itself.
        const double dist = std::sqrt(std::max(0.0, px * px + py * py - t * t * lengthSquared));
        const double alpha = 0.5 - (dist - halfWidth) / 3;
        if (alpha >= 0 && alpha <= 1)
            SetPixelColor(x, y, MixColor(GetPixelColor(x, y), color, 1 - alpha));
    };
    const int left = std::min(x1, x2) - margin;
    const int right = std::max(x1, x2) + margin;
    for (int y = std::min(y1, y2) - margin; y < std::max(y1, y2) + margin; ++y) {
        const RowRuns runs = FringeRuns(x1, y1, dx, dy, halfWidth, y, left, right);
        for (int x = runs.first; x < runs.last; ++x) mix(x, y);
        for (int x = runs.secondFirst; x < runs.secondLast; ++x) mix(x, y);
    }
}

}  // namespace

COLORREF MixColor(COLORREF a, COLORREF b, double weight) {
    COLORREF result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double value = Channel(a, shift) * weight + Channel(b, shift) * (1 - weight);
        result |= TruncatedByte(value) << shift;
    }
    return result;
}

void DrawSmoothCircle(int cx, int cy, int radius, COLORREF color, int width) {
    SetStrokeColor(color);
    SetStrokeStyle(PS_SOLID, width, nullptr, 0);
    DrawCircle(cx, cy, radius);
    const double halfWidth = width / 2.0;
    for (int y = cy - radius; y < cy + radius; ++y) {
        for (int x = cx - radius; x < cx + radius; ++x) {
            const long long ox = x - cx, oy = y - cy;
            const double dist = std::sqrt(static_cast<double>(ox * ox + oy * oy));
            const double alpha = 0.5 - (std::fabs(radius - dist) - halfWidth) / 2;
            if (alpha >= 0 && alpha <= 1)
                SetPixelColor(x, y, MixColor(color, GetPixelColor(x, y), alpha));
        }
    }
}

void DrawSmoothLine(int x1, int y1, int x2, int y2, COLORREF color, int width) {
    SetStrokeStyle(PS_SOLID, width, nullptr, 0);
    SetStrokeColor(color);
    DrawLine(x1, y1, x2, y2);
    DrawLineFringe(x1, y1, x2, y2, color, width, 10);
}

void DrawGradientLine(int x1, int y1, int x2, int y2, COLORREF startColor, COLORREF endColor,
                      int width) {
    SetStrokeStyle(PS_SOLID, width, nullptr, 0);
    for (int k = 0; k < 10; ++k) {
        const int h = 10 - k;
        SetStrokeColor(MixColor(startColor, endColor, h / 10.0));
        DrawLine((h * x1 + k * x2) / 10, (h * y1 + k * y2) / 10, ((h - 1) * x1 + (k + 1) * x2) / 10,
                 ((h - 1) * y1 + (k + 1) * y2) / 10);
    }
    DrawLineFringe(x1, y1, x2, y2, endColor, width, 0);
}
