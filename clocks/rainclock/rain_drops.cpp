// Forty rain streaks that fall down and to the right, drawn in the current
// raster operation (exclusive-or in the clock), and start again at the top
// when they land.
#include "rain_drawing.h"

#include <cstdlib>

RainDrop g_drops[kDropCount];

namespace {

int EndX(const RainDrop& drop) {
    return static_cast<int>(drop.x + drop.length * 0.6);
}
int EndY(const RainDrop& drop) {
    return static_cast<int>(drop.y + drop.length * 0.8);
}

}  // namespace

void ResetDrop(int i) {
    RainDrop& drop = g_drops[i];
    drop.x = std::rand() % 460 - 120;
    drop.y = 0;
    drop.length = 40;
    drop.speed = std::rand() % 100 + 30;
}

void DrawDrop(int i) {
    const RainDrop& drop = g_drops[i];
    SetStrokeColor(kRainStreak);
    DrawLine(drop.x, drop.y, EndX(drop), EndY(drop));
}

void MoveDrop(int i) {
    RainDrop& drop = g_drops[i];
    drop.x = static_cast<int>(drop.x + drop.speed * 0.06);
    drop.y = static_cast<int>(drop.y + drop.speed * 0.08);
    // A streak lands when its end reaches the near hill, or the background
    // in the lower half of the window.
    const int endY = EndY(drop);
    const COLORREF under = GetPixelColor(EndX(drop), endY);
    if ((under == kRainBackground && endY >= 300) || under == kRainNearHill) ResetDrop(i);
}
