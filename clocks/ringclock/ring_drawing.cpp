#include "ring_drawing.h"

#include <cmath>
#include <cwchar>

namespace {

// The point `step` radians behind `angle` (counter-clockwise) on the ring,
// as offsets from the origin truncated toward zero.
POINT TrailPoint(double radius, double angle, double step) {
    return {static_cast<int>(radius * std::sin(angle - step)),
            static_cast<int>(-radius * std::cos(angle - step))};
}

// The stroke's pen and its colour, taken from the current components.
void SetStroke(int thickness, int red, int green, int blue) {
    SetStrokeStyle(PS_SOLID, thickness, nullptr, 0);
    SetDrawColor(static_cast<COLORREF>(red + green * 256 + blue * 65536));
}

// Layers j = 3 ... 0 of lines from the centre to the hand's trail, then four
// tip lines 0 to 3 degrees ahead of the hand fading to black.
void DrawHourFan(double radius, double angle) {
    for (int j = 3; j >= 0; --j) {
        int r = 0, g = 0, b = 0;
        for (int i = 149; i >= 1; --i) {
            StepColorToward(r, g, b, 180 - 50 * j, 206 - 60 * j, 255 - 80 * j, 80);
            SetStroke(5, r, g, b);
            const POINT p = TrailPoint(radius, angle, i * 3.1415926 / 100);
            DrawLine(0, 0, p.x + j, p.y + j);
        }
        for (int i = 0; i <= 3; ++i) {
            StepColorToward(r, g, b, 0, 0, 0, 3);
            SetStroke(2, r, g, b);
            const POINT p = TrailPoint(radius, angle, -(i * 3.1415926 / 180));
            DrawLine(0, 0, p.x, p.y);
        }
    }
}

void DrawMinuteTrail(double radius, double angle) {
    for (int j = 3; j >= 0; --j) {
        int r = 0, g = 0, b = 0;
        for (int i = 179; i >= 0; --i) {
            StepColorToward(r, g, b, 124 - 40 * j, 255 - 40 * j, 231 - 40 * j, 100);
            const POINT p = TrailPoint(radius, angle, i * 3.1415926 / 100);
            // The stroke at the hand itself is a thin tick.
            if (i > 0) {
                SetStroke(8, r, g, b);
                DrawLine(p.x - 2 - j, p.y - 2 - j, p.x + j, p.y + j);
            } else {
                SetStroke(2, r, g, b);
                DrawLine(p.x - 3, p.y - 3, p.x, p.y);
            }
        }
    }
}

void DrawSecondTrail(double radius, double angle) {
    for (int j = 4; j >= 0; --j) {
        int r = 0, g = 0, b = 0;
        for (int i = 199; i >= 0; --i) {
            StepColorToward(r, g, b, 0, 252 - 60 * j, 252 - 60 * j, 80);
            SetStroke(12, r, g, b);
            const POINT p = TrailPoint(radius, angle, i * 3.1415926 / 100);
            DrawLine(p.x - 2 - j, p.y - 2 - j, p.x + j, p.y + j);
        }
    }
}

}  // namespace

void StepColorToward(int& red, int& green, int& blue, int targetRed, int targetGreen,
                     int targetBlue, int divisor) {
    if (divisor == 0) return;
    red += (targetRed - red) / divisor;
    green += (targetGreen - green) / divisor;
    blue += (targetBlue - blue) / divisor;
}

void DrawRing(double radius, double angle, int kind) {
    if (kind == 'h') DrawHourFan(radius, angle);
    if (kind == 'm') DrawMinuteTrail(radius, angle);
    if (kind == 's') DrawSecondTrail(radius, angle);
    SetInteriorColor(0);
    PaintCircle(0, 0, 60);
}

void DrawBackground() {
    MoveOrigin(320, 240);
    IMAGE img;
    ReadImageFile(&img, L"./001.png", 0, 0, false);
    PasteImage(-680, -305, &img, SRCCOPY);
}

void SelectDigitFont() {
    LOGFONTW f = {};
    GetTextFont(&f);
    f.lfHeight = 24;
    lstrcpynW(f.lfFaceName, L"\u9ED1\u4F53", LF_FACESIZE);  // "黑体"
    f.lfQuality = ANTIALIASED_QUALITY;
    SetTextFont(&f);
}

void DrawRingFrame(const tm& t, Ring& hour, Ring& min, Ring& sec) {
    hour.angle = 6.2831852 * (t.tm_hour + t.tm_min / 60.0 + t.tm_sec / 3600.0) / 12;
    min.angle = 6.2831852 * (t.tm_min + t.tm_sec / 60.0) / 60;
    sec.angle = 6.2831852 * t.tm_sec / 60;
    DrawRing(sec.radius, sec.angle, 's');
    DrawRing(min.radius, min.angle, 'm');
    DrawRing(hour.radius, hour.angle, 'h');

    SetFontColor(0x00FFFFFF);
    const wchar_t sign[2] = L":";
    wchar_t h[5], m[5], s[5];
    std::swprintf(h, 5, L"%d", t.tm_hour);
    std::swprintf(m, 5, L"%d", t.tm_min);
    std::swprintf(s, 5, L"%d", t.tm_sec);
    WriteText(-50, -5, h);
    WriteText(-20, -5, sign);
    WriteText(-10, -5, m);
    WriteText(20, -5, sign);
    WriteText(30, -5, s);
}
