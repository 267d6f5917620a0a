// The landscape dial, painted once at start-up.
#include "rain_drawing.h"

#include <cmath>

namespace {

constexpr COLORREF kWhite = 0x00FFFFFF;
constexpr COLORREF kGlowInner = 0x00CDCDBE;
constexpr COLORREF kHourDot = 0x00BCAD89;
constexpr COLORREF kMinuteTick = 0x00D6C7A5;

int Mix(int outer, int inner, double x) {
    return static_cast<int>(outer * (1 - x) + inner * x);
}

void DrawHourDotsAndTicks() {
    for (int i = 0; i < 12; ++i) {
        const double theta = i * 3.1415926 / 6;
        SetInteriorColor(kHourDot);
        PaintCircle(static_cast<int>(std::cos(theta) * 240 + 300),
                    static_cast<int>(std::sin(theta) * 240 + 300), 3);
        for (int j = 1; j <= 4; ++j) {
            const double phi = theta + j * 3.1415926 / 30;
            SetDrawColor(kMinuteTick);
            DrawLine(static_cast<int>(std::cos(phi) * 240 + 300),
                     static_cast<int>(std::sin(phi) * 240 + 300),
                     static_cast<int>(std::cos(phi) * 248 + 300),
                     static_cast<int>(std::sin(phi) * 248 + 300));
        }
    }
}

}  // namespace

void DrawScenery() {
    SetBackgroundColor(kRainBackground);
    ClearTarget();
    SetInteriorColor(kWhite);
    PaintCircle(300, 300, 250);
    SetInteriorColor(kRainHub);
    PaintCircle(300, 300, 10);
    PaintGradientFace();
    DrawHills();
    DrawGlowRing(kRainBackground, kGlowInner, 251, 300, 300);
    DrawHourDotsAndTicks();
}

void PaintGradientFace() {
    const int height = GetTargetHeight(), width = GetTargetWidth();
    for (int i = 0; i < height; ++i) {
        const COLORREF color = RGB(226 - i / 5, 253 - i / 9, 252 - i / 7);
        for (int j = 0; j < width; ++j)
            if (GetPixelColor(j, i) == kWhite) SetPixelColor(j, i, color);
    }
}

void DrawHills() {
    SetInteriorColor(kRainFarHill);
    PaintCircle(0, 750, 400);
    SetInteriorColor(kRainNearHill);
    PaintCircle(400, 660, 320);
    SetStrokeColor(kRainBackground);
    DrawCircle(300, 300, 251);
    DrawRectangle(0, 0, 600, 600);
    SetInteriorColor(kRainBackground);
    // Meant to paint the outside of the dial up to the circle just drawn;
    // whether a fill that starts on a border pixel fills anything is up to
    // the platform.
    FillAreaAt(599, 599, kRainBackground, FLOODFILLBORDER);
}

void DrawGlowRing(COLORREF outer, COLORREF inner, int radius, int x, int y) {
    SetStrokeColor(inner);
    int f = 1;
    double weight = 1;
    while (weight > 0.05) {
        SetStrokeColor(RGB(Mix(GetRValue(outer), GetRValue(inner), weight),
                           Mix(GetGValue(outer), GetGValue(inner), weight),
                           Mix(GetBValue(outer), GetBValue(inner), weight)));
        DrawCircle(x, y, radius + f);
        f += 1;
        weight = 1 - f / 15.0;
    }
}
