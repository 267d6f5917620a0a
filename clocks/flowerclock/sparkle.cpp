// The green five-petal sparkle, placed left or right of the dial and above
// or below it.
#include "flower_drawing.h"

#include <cmath>
#include <cstdlib>

int g_sparkleX = 0;
int g_sparkleY = 0;

namespace {

bool InColumnBand(int x) {
    return 145 <= x && x <= 500;
}
bool InRowBand(int y) {
    return 60 < y && y < 420;
}

}  // namespace

void PickSparklePoint() {
    do {
        g_sparkleX = std::rand() % 640;
        g_sparkleY = std::rand() % 480;
    } while (InColumnBand(g_sparkleX) && InRowBand(g_sparkleY));
    while (InColumnBand(g_sparkleX)) g_sparkleX = std::rand() % 640;
    while (InRowBand(g_sparkleY)) g_sparkleY = std::rand() % 480;
}

void PlaceSparkle(int mode) {
    std::srand(static_cast<unsigned>(_time64(nullptr)));
    COLORREF color = 0x00427F23;
    if (mode == 1) {
        PickSparklePoint();
        color = 0x00417F23;
    }
    SetStrokeColor(color);
    SetInteriorColor(color);
    for (int k = 1; k <= 5; ++k)
        DrawFilledCircle(static_cast<int>(g_sparkleX + std::cos(k * 1.25663704) * 15),
                         static_cast<int>(g_sparkleY + std::sin(k * 1.25663704) * 15), 7);
}
