// The rain clock's picture on a 600 x 600 target: a painted landscape dial,
// wedge hands and rain streaks. Hands and streaks are drawn in exclusive-or
// mode, so drawing one a second time removes it; the hand outlines are
// anti-aliased lines written pixel by pixel, which that does not undo.
#pragma once

#include <kanvo.h>

#include <time.h>

constexpr COLORREF kRainBackground = 0x00DADACF;
constexpr COLORREF kRainHub = 0x00B6B67B;
constexpr COLORREF kRainFarHill = 0x009FC787;
constexpr COLORREF kRainNearHill = 0x00B7D197;
constexpr COLORREF kRainHandFill = 0x005858AC;
constexpr COLORREF kRainHandOutline = 0x000000AA;
constexpr COLORREF kRainStreak = 0x00935650;

// Radians clockwise from twelve o'clock.
struct HandAngles {
    double hour;
    double minute;
    double second;
};

struct RainDrop {
    int x;  // start of the streak
    int y;
    int speed;
    int length;
};

constexpr int kDropCount = 40;
extern RainDrop g_drops[kDropCount];

// Whole hours and whole minutes only; hours 12 to 23 turn a second time round.
HandAngles ToAngles(const tm& t);
// A wedge from the centre: tip at `length`, sides at 0.4 x length, `half` off the angle.
void HandPolygon(POINT points[4], double length, double angle, double half);
// The three wedges of the hands at the given angles.
struct HandShapes {
    POINT second[4];
    POINT minute[4];
    POINT hour[4];
};
HandShapes BuildHandShapes(const HandAngles& angles);
void OutlinePolygon(const POINT points[4]);
void DrawWuLine(int x0, int y0, int x1, int y1, COLORREF color);
// Sets the pixel to color x brightness, the colour taken as one integer.
void PlotScaled(int x, int y, COLORREF color, double brightness);
void DrawHands(const HandAngles& angles);

void DrawScenery();
// Step of the scenery: every pure white pixel of the target takes the
// colour of the gradient at its row.
void PaintGradientFace();
void DrawHills();
void DrawGlowRing(COLORREF outer, COLORREF inner, int radius, int x, int y);

void ResetDrop(int i);
void DrawDrop(int i);
void MoveDrop(int i);

// The start-up frame: exclusive-or mode, the hands of `t` and forty new drops.
void StartHandsAndRain(const tm& t);
// A change of second: the hands of `shown` are removed, those of `next` drawn,
// and the rain falls 20 steps of 50 ms.
void ChangeSecond(const tm& shown, const tm& next);
// The hub, repainted in copy mode over the hands; leaves exclusive-or mode.
void PaintHub();
