// The green five-petal sparkle, placed left or right of the dial and above
// or below it.
#include "flower_drawing.h"

#include <cmath>
#include <cstdlib>

int sparkle_x = 0;
int sparkle_y = 0;

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
        sparkle_x = std::rand() % 640;
        sparkle_y = std::rand() % 480;
    } while (InColumnBand(sparkle_x) && InRowBand(sparkle_y));
    while (InColumnBand(sparkle_x)) sparkle_x = std::rand() % 640;
    while (InRowBand(sparkle_y)) sparkle_y = std::rand() % 480;
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
        DrawFilledCircle(static_cast<int>(sparkle_x + std::cos(k * 1.25663704) * 15),
                         static_cast<int>(sparkle_y + std::sin(k * 1.25663704) * 15), 7);
}
