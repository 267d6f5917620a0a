// The flower-shaped ball: five petals and a heart, drawn without erasing.
#include "ball_drawing.h"

void DrawFlowerBall(int& x, int& y, int a, int& vx, int& vy) {
    const COLORREF savedFill = GetInteriorColor();
    const COLORREF savedLine = GetDrawColor();

    SetInteriorColor(0x00F0DFF3);
    SetDrawColor(0x00FFFFFF);
    const int petal = 2 * a / 5;
    DrawFilledCircle(x + a / 2, y - a / 3, petal);
    DrawFilledCircle(x + a / 2, y + 2 * a / 7, petal);
    DrawFilledCircle(x - a / 10, y + a / 2, petal);
    DrawFilledCircle(x - a / 10, y - a / 2, petal);
    DrawFilledCircle(x - 9 * a / 16, y, petal);
    SetDrawColor(0x0055FFFF);
    DrawFilledCircle(x, y, a / 2);

    Sleep(3);
    StepBall(x, y, a, vx, vy);
    SetInteriorColor(savedFill);
    SetDrawColor(savedLine);
}

void StepBall(int& x, int& y, int a, int& vx, int& vy) {
    x += vx;
    y += vy;
    // A step into a corner turns only the horizontal motion; the vertical one
    // turns on the next step, as y is still beyond its limit.
    if (x <= a || x >= kBallWindowWidth - a) {
        vx = -vx;
    } else if (y <= a || y >= kBallWindowHeight - a) {
        vy = -vy;
    }
}
