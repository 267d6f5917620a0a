// The bouncing-ball clock's work at each change of second (face, dots, hands
// and the fourteen soft-edge passes) and one step of the ball, as multiples
// of a plain pass over the window's 750 000 pixels (reading and writing each
// once), measured in the same run. Times are the thread's processor time, so
// that other work on the machine does not count; wall-clock times beside them.
#include "ball_drawing.h"

#include "processor_stopwatch.h"

int main() {
    if (!OpenGraphWindow(kBallWindowWidth, kBallWindowHeight, 0)) return 1;
    BeginBatch();
    DWORD* pixels = GetSurfacePixels(nullptr);
    const int count = kBallWindowWidth * kBallWindowHeight;

    const int passes = 10000;
    ProcessorStopwatch plain;
    for (int r = 0; r < passes; ++r)
        for (int i = 0; i < count; ++i) pixels[i] = (pixels[i] + 0x010101u) & 0xFFFFFFu;
    const double reference = plain.ProcessorMs() / passes;
    plain.Report("reference: plain pass over the pixels", passes, reference);

    const int seconds = 100;
    ProcessorStopwatch change;
    for (int s = 0; s < seconds; ++s) {
        g_lastSecond = s;
        DrawClockFace();
        ScatterStars(400);
        DrawHands(10, 8, s + 1);
    }
    change.Report("change of second: face, dots, hands", seconds, reference);

    ProcessorStopwatch soft;
    for (int s = 0; s < seconds; ++s)
        for (int k = 0; k < 14; ++k) SoftenShape(0x000055AA, 500, 375, 0, 0, 15 + k, true);
    soft.Report("  of which 14 soft-edge passes", seconds, reference);

    const int steps = 300;
    int x = 100, y = 250, vx = 1, vy = 1;
    ProcessorStopwatch ball;
    for (int i = 0; i < steps; ++i) {
        DrawFlowerBall(x, y, 40, vx, vy);
        FlushBatch();
    }
    ball.Report("ball step with flush (incl. Sleep 3)", steps, reference);
    EndBatch();
    CloseGraphWindow();
    return 0;
}
