#include "spiral_shapes.h"

#include <kanvo.h>

#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

double Distance(int x, int y, int cx, int cy) {
    const double dx = x - cx, dy = y - cy;
    return std::sqrt(dx * dx + dy * dy);
}

// Each channel moved from the pixel's current value toward the wanted one.
void BlendPixel(int x, int y, int red, int green, int blue, double weight) {
    int nowRed, nowGreen, nowBlue;
    SplitPixel(x, y, &nowRed, &nowGreen, &nowBlue);
    const auto mix = [weight](int now, int willed) {
        return static_cast<int>(now * (1 - weight) + willed * weight);
    };
    SetPixelColor(x, y, RGB(mix(nowRed, red), mix(nowGreen, green), mix(nowBlue, blue)));
}

// Walks a line along its major axis from the smaller end to the larger, the
// minor coordinate `e` of the ideal line growing by the slope in single
// precision. Each step gets e and plotAt(minor), the window point of a minor
// coordinate at that step.
template <class Step>
void WalkLine(int x0, int y0, int x1, int y1, Step step) {
    const bool yMajor = std::abs(x1 - x0) < std::abs(y1 - y0);
    if (yMajor) {
        std::swap(x0, y0);
        std::swap(x1, y1);
    }
    if (x0 > x1) {
        std::swap(x0, x1);
        std::swap(y0, y1);
    }
    const int majorSpan = x1 - x0;
    const float slope = majorSpan == 0 ? 1.0f : static_cast<float>(y1 - y0) / majorSpan;
    float e = static_cast<float>(y0);
    for (int major = x0; major <= x1; ++major, e += slope) {
        const auto plotAt = [yMajor, major](int minor) {
            return yMajor ? std::make_pair(minor, major) : std::make_pair(major, minor);
        };
        step(plotAt, e);
    }
}

}  // namespace

void SplitPixel(int x, int y, int* red, int* green, int* blue) {
    const COLORREF color = GetPixelColor(x, y);
    *red = GetRValue(color);
    *green = GetGValue(color);
    *blue = GetBValue(color);
}

void SmoothDisc(int cx, int cy, int r, int red, int green, int blue) {
    for (int x = cx - r; x <= cx + r; ++x) {
        for (int y = cy - r; y <= cy + r; ++y) {
            const double dist = Distance(x, y, cx, cy);
            double weight = 0;
            if (std::fabs(dist - r) <= 0.5)
                weight = 0.5 - dist + r;
            else if (dist <= r)
                weight = 1;
            BlendPixel(x, y, red, green, blue, weight);
        }
    }
}

void SmoothRing(int cx, int cy, int r, int red, int green, int blue, int width) {
    for (int x = cx - r - width; x <= cx + r + width; ++x) {
        for (int y = cy - r - width; y <= cy + r + width; ++y) {
            const double dist = Distance(x, y, cx, cy);
            double weight = 0;
            if (std::fabs(dist - r + 1) <= 0.5)
                weight = 0.5 + dist - r + 1;  // inner edge
            else if (std::fabs(dist - width - r + 1) <= 0.5)
                weight = 0.5 - dist + r + width - 1;
            else if (r - 1 < dist && dist < r + width - 1)
                weight = 1;
            if (std::fabs(weight) > 0.000001) BlendPixel(x, y, red, green, blue, weight);
        }
    }
}

void SolidDisc(int cx, int cy, int r, int red, int green, int blue) {
    const COLORREF color = RGB(red, green, blue);
    for (int x = cx - r; x <= cx + r; ++x) {
        for (int y = cy - r; y <= cy + r; ++y) {
            const double dist = Distance(x, y, cx, cy);
            if (std::fabs(dist - r) <= 0.5 || dist <= r) SetPixelColor(x, y, color);
        }
    }
}

void BlendGreyPixel(int x, int y, float weight) {
    int red, green, blue;
    SplitPixel(x, y, &red, &green, &blue);
    const auto toGrey = [weight](int channel) {
        return static_cast<int>(weight * 128 + (1 - weight) * channel);
    };
    SetPixelColor(x, y, RGB(toGrey(red), toGrey(green), toGrey(blue)));
}

void GreyLine(int x0, int y0, int x1, int y1, int width) {
    WalkLine(x0, y0, x1, y1, [width](auto plotAt, float e) {
        const int g = static_cast<int>(e);
        const auto blend = [&](int minor, float weight) {
            const auto p = plotAt(minor);
            BlendGreyPixel(p.first, p.second, weight);
        };
        blend(g, 1 - (e - g));
        for (int minor = g + 1; minor <= g + width - 1; ++minor) blend(minor, 1);
        blend(g + width, e - g);
    });
}

void SolidLine(int x0, int y0, int x1, int y1, int width) {
    WalkLine(x0, y0, x1, y1, [width](auto plotAt, float e) {
        const int g = static_cast<int>(e);
        for (int minor = g; minor <= g + width; ++minor) {
            const auto p = plotAt(minor);
            SetPixelColor(p.first, p.second, RGB(0, 35, 45));
        }
    });
}
