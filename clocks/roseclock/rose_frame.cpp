#include "rose_drawing.h"

void DrawTimeStep(const SYSTEMTIME& now, int* step, int* lastSecond) {
    if (!step || !lastSecond) return;
    const int s = now.wSecond, ms = now.wMilliseconds;
    const int n = s / 10 + 1;
    const int d = s / 30 + (now.wMinute % 10) * 2 + 1;
    COLORREF colour = RoseColour(s, ms);
    DrawRose(n, d, *step - 1, *step, colour);
    DrawHands(now.wHour, now.wMinute, s);

    const bool fading = s % 10 >= 6;
    if (s != *lastSecond || (fading && ms >= 468 && ms <= 532)) {
        *lastSecond = s;
        DrawDial();
        if (s % 10 == 0) {
            *step = 1;  // every ten seconds the curve starts again
            colour = kRoseWhite;
        }
        DrawRose(n, d, 0, *step, colour);
        DrawHands(now.wHour, now.wMinute, s);
    }
}
