// The bouncing-ball clock's work at each change of second (face, dots, hands
// and the fourteen soft-edge passes) and one step of the ball, as multiples
// of a plain pass over the window's 750 000 pixels (reading and writing each
// once), measured in the same run. Times are the thread's processor time, so
// that other work on the machine does not count; wall-clock times beside them.
#include "ball_drawing.h"

#include <chrono>
#include <cstdio>

namespace {

struct Stopwatch {
    static double ProcessorMs() {
        FILETIME created, ended, kernel, user;
        GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
        auto ms = [](FILETIME t) {
            return ((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
        };
        return ms(kernel) + ms(user);
    }
    double startCpu = ProcessorMs();
    std::chrono::steady_clock::time_point startWall = std::chrono::steady_clock::now();
    double CpuMs() const { return ProcessorMs() - startCpu; }
    double WallMs() const {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - startWall)
            .count();
    }
};

void Report(const char* what, const Stopwatch& watch, int repeats, double reference) {
    const double cpu = watch.CpuMs() / repeats;
    std::printf("%-38s %9.3f ms (wall %9.3f ms) = %7.2f x reference\n", what, cpu,
                watch.WallMs() / repeats, cpu / reference);
}

}  // namespace

int main() {
    if (!OpenGraphWindow(kBallWindowWidth, kBallWindowHeight, 0)) return 1;
    BeginBatch();
    DWORD* pixels = GetSurfacePixels(nullptr);
    const int count = kBallWindowWidth * kBallWindowHeight;

    const int passes = 2000;
    Stopwatch plain;
    for (int r = 0; r < passes; ++r)
        for (int i = 0; i < count; ++i) pixels[i] = (pixels[i] + 0x010101u) & 0xFFFFFFu;
    const double reference = plain.CpuMs() / passes;
    Report("reference: plain pass over the pixels", plain, passes, reference);

    const int seconds = 20;
    Stopwatch change;
    for (int s = 0; s < seconds; ++s) {
        last_second = s;
        DrawClockFace();
        ScatterStars(400);
        DrawHands(10, 8, s + 1);
    }
    Report("change of second: face, dots, hands", change, seconds, reference);

    Stopwatch soft;
    for (int s = 0; s < seconds; ++s)
        for (int k = 0; k < 14; ++k) SoftenShape(0x000055AA, 500, 375, 0, 0, 15 + k, true);
    Report("  of which 14 soft-edge passes", soft, seconds, reference);

    const int steps = 300;
    int x = 100, y = 250, vx = 1, vy = 1;
    Stopwatch ball;
    for (int i = 0; i < steps; ++i) {
        DrawFlowerBall(x, y, 40, vx, vy);
        FlushBatch();
    }
    Report("ball step with flush (incl. Sleep 3)", ball, steps, reference);
    EndBatch();
    CloseGraphWindow();
    return 0;
}
