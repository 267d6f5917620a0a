// dialclock: a shaded dial with a breathing ring of rhombi driven by a
// slider-crank. Each frame writes the seconds since start-up to standard
// output; a key in the console ends it.
#include "dial_plate.h"
#include "mechanism.h"

#include <conio.h>

#include <ctime>
#include <iostream>

int main() {
    __time64_t now;
    tm t;
    _time64(&now);
    _localtime64_s(&t, &now);
    const long long startTicks = clock();

    OpenGraphWindow(800, 800, 0);
    ResetBackground();

    const POINT center = {400, 400};
    const LightSource light = {Point3(-400, -400, -400, 0x00FFFFFF), 255, 255, 255, 0};
    IMAGE dialPlate(800, 800);
    RenderDialPlate(&dialPlate);

    SetTargetImage(nullptr);
    ResetBackground();
    BeginBatch();

    // The plate covers the whole window: pasting it is the frame's clearing.
    while (!_kbhit()) {
        PasteImage(0, 0, &dialPlate, SRCCOPY);
        _time64(&now);
        _localtime64_s(&t, &now);
        std::cout << static_cast<double>(clock() - startTicks) * 1.0 / 1000.0 << std::endl;
        DrawMovingParts(center, HandAnglesAt(t), light);
        FlushBatch();
    }

    EndBatch();
    _getch();
    CloseGraphWindow();
    return 0;
}
