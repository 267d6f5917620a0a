#include "mechanism.h"

#include "smooth_drawing.h"

#include <algorithm>
#include <cmath>

namespace {

// 15 degrees (half the step between rhombi) and 30 degrees, for pi = 3.1415926.
const double kHalfHourStep = 0.26179938333333336;
const double kHourStep = 0.5235987666666667;

// cos(phi) * a + sqrt(b^2 - (a sin phi)^2): where a rod of length b from the
// end of an arm a reaches the line through the arm's base at angle phi. Where
// the rod is too short to reach the line, the square root is taken as 0.
double SliderReach(double phi, double a, double b) {
    const double square = -a * a * std::sin(phi) * std::sin(phi) + b * b;
    return std::cos(phi) * a + std::sqrt(std::max(square, 0.0));
}

// The point at `distance` from (cx, cy) in direction `angle`, each offset
// truncated on its own.
POINT PointAt(int cx, int cy, double angle, double distance) {
    return {cx + static_cast<int>(std::sin(angle) * distance),
            cy - static_cast<int>(std::cos(angle) * distance)};
}

void DrawSmoothLine(POINT from, POINT to, COLORREF color, int width) {
    ::DrawSmoothLine(from.x, from.y, to.x, to.y, color, width);
}

}  // namespace

HandAngles HandAnglesAt(const tm& time) {
    HandAngles angles;
    angles.second = (2 * time.tm_sec) * 3.1415926 / 60;
    angles.minute = (2 * time.tm_min) * 3.1415926 / 60 + time.tm_sec * 1.0 / 60 * 3.1415926 / 30;
    angles.hour = (2 * ToTwelveHour(time.tm_hour)) * 3.1415926 / 12;
    return angles;
}

void ResetBackground() {
    SetBackgroundColor(0x00E0E0E0);
    ClearTarget();
}

int ToTwelveHour(int hour) {
    return hour < 12 ? hour : hour - 12;
}

int SliderDistance(double phi, double a, double b) {
    return static_cast<int>(SliderReach(phi, a, b));
}

POINT RotatePoint(int x, int y, int cx, int cy, double angle) {
    const double dx = x - cx, dy = y - cy;
    return {static_cast<int>(dx * std::cos(angle) - dy * std::sin(angle) + cx),
            static_cast<int>(dx * std::sin(angle) + dy * std::cos(angle) + cy)};
}

POINT ShadowPoint(POINT point, const Point3& light, double height) {
    if (light.z == 0) return point;
    return {point.x + static_cast<int>(height * 1.0 / light.z * light.x),
            point.y + static_cast<int>(height * 1.0 / light.z * light.y)};
}

void FillGradientQuad(POINT p0, POINT p1, POINT p2, POINT p3) {
    // A vertical edge makes a slope infinite: no pixel passes the range test.
    if (p1.x == p0.x || p2.x == p1.x) return;
    const double s01 = (p1.y - p0.y) * 1.0 / (p1.x - p0.x);
    const double s12 = (p2.y - p1.y) * 1.0 / (p2.x - p1.x);
    const double uDenominator = (p1.y - p2.y) - (p1.x - p2.x) * s01;
    const double vDenominator = (p3.y - p2.y) - (p3.x - p2.x) * s12;
    if (uDenominator == 0 || vDenominator == 0) return;  // a flat quad has no inside
    const int top = std::min({p0.y, p1.y, p2.y, p3.y}), bottom = std::max({p0.y, p1.y, p2.y, p3.y});
    const int left = std::min({p0.x, p1.x, p2.x, p3.x}), right = std::max({p0.x, p1.x, p2.x, p3.x});
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            const double u = ((y - p2.y) - (x - p2.x) * s01) / uDenominator;
            const double v = ((y - p2.y) - (x - p2.x) * s12) / vDenominator;
            if (u > 0 && u < 1 && v > 0 && v < 1)
                SetPixelColor(x, y,
                              MixColor(MixColor(0x000000AA, 0x000EC9FF, u),
                                       MixColor(0x000EC9FF, 0x0055FFFF, u), v));
        }
    }
}

void ComputeStarRing(int cx, int cy, int l, double side, double angle, POINT points[12][4]) {
    // R1: where a point 15 degrees off the axis lies `side` from the inner
    // vertex; R2: the inner vertex mirrored across the two side vertices.
    const double r1 = SliderReach(kHalfHourStep, l, side);
    const double r2 = (r1 * 2) * std::cos(kHalfHourStep) - l;
    for (int i = 0; i < 12; ++i) {
        const double a = i * kHourStep + angle;
        points[i][0] = PointAt(cx, cy, a, l);
        // Neighbours share their side vertices exactly.
        points[i][3] = i == 0 ? PointAt(cx, cy, a - kHalfHourStep, r1) : points[i - 1][1];
        points[i][1] = PointAt(cx, cy, a + kHalfHourStep, r1);
        points[i][2] = PointAt(cx, cy, a, r2);
    }
}

void DrawStarRing(int cx, int cy, int l, double side, double angle, const LightSource& light) {
    POINT points[12][4];
    POINT shadows[12][4];
    ComputeStarRing(cx, cy, l, side, angle, points);
    for (int i = 0; i < 12; ++i)
        for (int k = 0; k < 4; ++k) shadows[i][k] = ShadowPoint(points[i][k], light.position, 50);

    for (int i = 0; i < 12; ++i)
        for (int k = 0; k < 4; ++k)
            DrawSmoothLine(shadows[i][k], shadows[i][(k + 1) % 4], 0x00B4B4B4, 10);
    FillGradientQuad(points[0][0], points[0][1], points[0][2], points[0][3]);
    for (int i = 0; i < 12; ++i) {
        for (int k = 0; k < 4; ++k) {
            const POINT from = points[i][k], to = points[i][(k + 1) % 4];
            DrawGradientLine(from.x, from.y, to.x, to.y, 0x007E91AD, 0x00303649, 10);
        }
    }
    // The rivets take whatever fill colour is current: the rod's pin colour
    // from the frame before.
    for (int i = 0; i < 12; ++i)
        for (int k = 0; k < 4; ++k) PaintCircle(points[i][k].x, points[i][k].y, 4);
}

void DrawNeedle(int cx, int cy, double angle, double length) {
    const POINT tail = {cx + static_cast<int>(std::sin(angle) * -7),
                        cy + static_cast<int>(std::cos(angle) * 7)};
    const POINT left = {cx + static_cast<int>(std::cos(angle) * -6),
                        cy + static_cast<int>(std::sin(angle) * -6)};
    const POINT tip = {cx + static_cast<int>(std::sin(angle) * length),
                       cy + static_cast<int>(std::cos(angle) * -length)};
    const POINT right = {2 * cx - left.x, 2 * cy - left.y};
    const COLORREF color = 0x0054647F;
    DrawSmoothLine(tail, left, color, 3);
    DrawSmoothLine(left, tip, color, 3);
    DrawSmoothLine(tip, right, color, 3);
    DrawSmoothLine(right, tail, color, 3);
    // The hub sits on the needle's own centre.
    SetInteriorColor(0x00A9AEBD);
    PaintCircle(cx, cy, 4);
}

void DrawConnectingRod(int cx, int cy, double secondAngle, double crank, int l,
                       double minuteAngle) {
    const POINT pin = {cx + static_cast<int>(std::sin(secondAngle) * crank),
                       cy + static_cast<int>(std::cos(secondAngle) * -crank)};
    const POINT slider = RotatePoint(cx, cy - l, cx, cy, minuteAngle);
    DrawSmoothLine(pin, slider, 0x00A9A6A8, 5);
    SetInteriorColor(0x00E1E2E3);
    PaintCircle(pin.x, pin.y, 4);
}

void DrawMovingParts(POINT center, const HandAngles& angles, const LightSource& light) {
    const int l = SliderDistance(angles.second - angles.minute, kCrankRadius, kRodLength);
    DrawStarRing(center.x, center.y, l, kRhombusSide, angles.minute, light);
    DrawNeedle(center.x, center.y, angles.second, 150.0);
    DrawNeedle(center.x, center.y, angles.hour, 100.0);
    DrawConnectingRod(center.x, center.y, angles.second, kCrankRadius, l, angles.minute);
}
