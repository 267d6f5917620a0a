// The flower clock's background: dial, ticks and a chain of five flowers.
#include "flower_drawing.h"

#include <cmath>

namespace {

constexpr COLORREF kBackground = 0x008DC2E0;
constexpr COLORREF kRim = 0x008E4519;
constexpr COLORREF kTick = 0x00342830;
constexpr COLORREF kPetal = 0x00D9CAF9;
constexpr COLORREF kHeartOutline = 0x00C9C0EF;
constexpr COLORREF kHeartFill = 0x00F2EDFC;

struct Flower {
    int x, y;
    int baseRadius;
    int petalDistance;
    int petalRadius;
    double angleOffset;
    int heartRadius;
};

constexpr Flower kFlowers[] = {
    {415, 225, 18, 15, 12, 0, 10},
    {388, 278, 15, 15, 9, 1.0471975333333334, 8},
    {360, 315, 13, 13, 5, 2.094395066666667, 5},
    {333, 329, 6, 8, 3, 3.1415926, 4},
    {315, 335, 4, 6, 2, 3.1415926, 2},
};

void DrawPetals(const Flower& f) {
    SetStrokeColor(kPetal);
    SetInteriorColor(kPetal);
    DrawFilledCircle(f.x, f.y, f.baseRadius);
    for (int k = 1; k <= 5; ++k) {
        const double phi = k * 1.25663704 + f.angleOffset;
        DrawFilledCircle(static_cast<int>(std::cos(phi) * f.petalDistance + f.x),
                         static_cast<int>(std::sin(phi) * f.petalDistance + f.y), f.petalRadius);
    }
}

void DrawHeart(const Flower& f) {
    SetStrokeColor(kHeartOutline);
    SetInteriorColor(kHeartFill);
    DrawFilledCircle(f.x, f.y, f.heartRadius);
}

void DrawTicks() {
    for (int i = 1; i <= 60; ++i) {
        const double theta = i * 0.10471975333333333;
        SetDrawColor(kTick);
        const int x = static_cast<int>(std::sin(theta) * 155 + 320);
        const int y = static_cast<int>(std::cos(theta) * 155 + 240);
        if (i % 5 != 0) {
            DrawLine(x, y, static_cast<int>(std::sin(theta) * 160 + 320),
                     static_cast<int>(std::cos(theta) * 160 + 240));
        } else {
            DrawFilledCircle(x, y, 3);
        }
    }
}

}  // namespace

void DrawGardenDial() {
    SetBackgroundColor(kBackground);
    ClearTarget();
    SetStrokeStyle(PS_SOLID, 4);
    SetStrokeColor(kRim);
    DrawFilledCircle(320, 240, 160);
    DrawTicks();

    for (int i = 0; i < 3; ++i) {
        DrawPetals(kFlowers[i]);
        DrawHeart(kFlowers[i]);
    }
    DrawPetals(kFlowers[3]);
    SetStrokeStyle(PS_SOLID, 2);
    DrawHeart(kFlowers[3]);
    SetStrokeStyle(PS_SOLID, 4);
    DrawPetals(kFlowers[4]);
    SetStrokeStyle(PS_SOLID, 1);
    DrawHeart(kFlowers[4]);
}
