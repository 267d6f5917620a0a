#include "orbit_drawing.h"

#include <kanvo.h>

#include <cmath>

namespace {

constexpr double kPi = 3.1415926;
constexpr double kQuarterTurn = kPi / 2;

constexpr int kCentreX = 320;
constexpr int kCentreY = 240;
constexpr int kDialRadius = 230;
constexpr int kEraseRadius = 227;
constexpr COLORREF kDialFill = 0x00000080;

struct Body {
    double orbitRadius;  // about the parent: the dial centre, the hour or the minute body
    int radius;
    COLORREF fill;
};
constexpr Body kHourBody = {130, 100, 0x004169E1};
constexpr Body kMinuteBody = {70, 30, 0x006495ED};
constexpr Body kSecondBody = {23, 7, 0x00B0C4DE};

// Body centres in floating point: each child is placed from its parent's exact
// position, and only the final coordinates are truncated.
struct ExactCentres {
    double hourX, hourY, minuteX, minuteY, secondX, secondY;
};

ExactCentres ComputeExactCentres(const tm& time) {
    const double hours = time.tm_hour, minutes = time.tm_min, seconds = time.tm_sec;
    const double hourAngle =
        hours * (kPi / 6) + minutes * (kPi / 360) + seconds * (kPi / 21600) - kQuarterTurn;
    const double minuteAngle = minutes * (kPi / 30) + seconds * (kPi / 1800) - kQuarterTurn;
    const double secondAngle = seconds * (kPi / 30) - kQuarterTurn;

    ExactCentres c;
    c.hourX = std::cos(hourAngle) * kHourBody.orbitRadius + kCentreX;
    c.hourY = std::sin(hourAngle) * kHourBody.orbitRadius + kCentreY;
    c.minuteX = c.hourX + std::cos(minuteAngle) * kMinuteBody.orbitRadius;
    c.minuteY = c.hourY + std::sin(minuteAngle) * kMinuteBody.orbitRadius;
    c.secondX = c.minuteX + std::cos(secondAngle) * kSecondBody.orbitRadius;
    c.secondY = c.minuteY + std::sin(secondAngle) * kSecondBody.orbitRadius;
    return c;
}

// Window pixel centres of the three bodies.
struct OrbitCentres {
    POINT hour;
    POINT minute;
    POINT second;
};

POINT Truncated(double x, double y) {
    return {static_cast<LONG>(x), static_cast<LONG>(y)};
}

void DrawFilledDisc(COLORREF fill, POINT centre, int radius) {
    SetInteriorColor(fill);
    DrawFilledCircle(centre.x, centre.y, radius);
}

OrbitCentres ComputeOrbitCentres(const tm& time) {
    const ExactCentres c = ComputeExactCentres(time);
    return {Truncated(c.hourX, c.hourY), Truncated(c.minuteX, c.minuteY),
            Truncated(c.secondX, c.secondY)};
}

}  // namespace

void DrawDialFrame() {
    SetStrokeStyle(PS_SOLID, 3, nullptr, 0);
    DrawCircle(kCentreX, kCentreY, kDialRadius);
}

void DrawOrbitFrame(const tm& time) {
    EraseCircle(kCentreX, kCentreY, kEraseRadius);
    const OrbitCentres centres = ComputeOrbitCentres(time);
    DrawFilledDisc(kDialFill, {kCentreX, kCentreY}, kDialRadius);
    DrawFilledDisc(kHourBody.fill, centres.hour, kHourBody.radius);
    DrawFilledDisc(kMinuteBody.fill, centres.minute, kMinuteBody.radius);
    DrawFilledDisc(kSecondBody.fill, centres.second, kSecondBody.radius);
}
