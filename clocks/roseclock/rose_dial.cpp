#include "rose_drawing.h"

#include <kanvo.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.1415926535;
constexpr double kCentreX = 350;
constexpr double kCentreY = 375;

// weightOfColour * colour + weightOfFace * face, channel by channel, truncated.
COLORREF BlendWithFace(COLORREF colour, double weightOfColour, double weightOfFace) {
    const auto channel = [&](BYTE c, BYTE face) {
        return static_cast<BYTE>(weightOfColour * c + weightOfFace * face);
    };
    return RGB(channel(GetRValue(colour), GetRValue(kRoseFace)),
               channel(GetGValue(colour), GetGValue(kRoseFace)),
               channel(GetBValue(colour), GetBValue(kRoseFace)));
}

struct HandShape {
    double length, halfWidth, tailDivisor;
    COLORREF colour;
};
constexpr HandShape kHourHand = {122.49999999999999, 8.75, 10, 0xC19732};
constexpr HandShape kMinuteHand = {175, 5.25, 6, 0x66C6C6};
constexpr HandShape kSecondHand = {210, 1.75, 4, 0x8E56BF};

void DrawHandAt(double angle, const HandShape& hand) {
    DrawHand(std::sin(angle) * hand.length, std::cos(angle) * hand.length,
             std::cos(angle) * hand.halfWidth, std::sin(angle) * hand.halfWidth, hand.tailDivisor,
             hand.colour);
}

// A filled circle with a white one-pixel outline over the face colour.
void DrawFaceDisc(int radius) {
    SetStrokeStyle(PS_SOLID, 1, nullptr, 0);
    SetInteriorColor(kRoseFace);
    SetDrawColor(kRoseWhite);
    DrawFilledCircle(350, 375, radius);
}

}  // namespace

void DrawSmoothLine(double x0, double y0, double x1, double y1, COLORREF colour) {
    const double dx = x1 - x0, dy = y1 - y0;
    const double n = std::max(std::fabs(dx), std::fabs(dy));
    // A point, or coordinates that are not numbers: nothing to walk.
    if (!(n > 0) || !std::isfinite(n)) return;
    const double stepX = dx / n, stepY = dy / n;
    const bool xMajor = std::fabs(dx) > std::fabs(dy);
    double x = x0, y = y0;
    for (int i = 0; i < n; ++i) {
        const int ix = static_cast<int>(x), iy = static_cast<int>(y);
        if (xMajor) {
            const double f = y - iy;
            SetPixelColor(ix, iy - 1, BlendWithFace(colour, 1 - f, f));
            SetPixelColor(ix, iy + 1, BlendWithFace(colour, f, 1 - f));
        } else {
            const double f = x - ix;
            SetPixelColor(ix - 1, iy, BlendWithFace(colour, 1 - f, f));
            SetPixelColor(ix + 1, iy, BlendWithFace(colour, f, 1 - f));
        }
        SetPixelColor(ix, iy, colour);
        x += stepX;
        y += stepY;
    }
}

void DrawHand(double a, double b, double c, double e, double g, COLORREF colour) {
    DrawSmoothLine(kCentreX + a - c, kCentreY - b - e, kCentreX - c - a / g, kCentreY - e + b / g,
                   colour);
    DrawSmoothLine(kCentreX + a + c, kCentreY - b + e, kCentreX + c - a / g, kCentreY + e + b / g,
                   colour);
}

void DrawHands(int hour, int minute, int second) {
    const double secondAngle = second * kPi / 30;
    const double minuteAngle = minute * kPi / 30 + secondAngle / 60;
    const double hourAngle = hour * kPi / 6 + minuteAngle / 12;
    DrawHandAt(hourAngle, kHourHand);
    DrawHandAt(minuteAngle, kMinuteHand);
    DrawHandAt(secondAngle, kSecondHand);
    DrawFaceDisc(6);  // the centre cap
}

void DrawDial() {
    DrawFaceDisc(280);
    SetDrawColor(0xBBBBBB);
    SetInteriorColor(0x555555);
    for (int i = 0; i < 60; ++i) {
        const double angle = i * kPi / 30;
        const int px = 350 + static_cast<int>(std::round(std::sin(angle) * 245));
        const int py = 375 + static_cast<int>(std::round(std::cos(angle) * 245));
        if (i % 15 == 0) {
            PaintRectangle(px - 9, py - 9, px + 9, py + 9);
        } else if (i % 5 == 0) {
            DrawCircle(px, py, 5);
        } else {
            SetPixelColor(px, py, 0);
        }
    }
}
