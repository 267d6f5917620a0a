// The digit-tube clock's start-up (pre-rendering the sprites and the 60 light
// blobs) and its frame, each as a multiple of a plain pass over the float
// canvas (reading and writing every float once), measured in the same run.
// Times are the thread's processor time, so that other work on the machine
// does not count; wall-clock times are shown beside them.
#include "nixie_drawing.h"

#include <chrono>
#include <cstdio>
#include <vector>

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
    std::printf("%-34s %9.3f ms (wall %9.3f ms) = %8.2f x reference\n", what, cpu,
                watch.WallMs() / repeats, cpu / reference);
}

}  // namespace

int main() {
    Canvas canvas;
    std::vector<DWORD> window(static_cast<size_t>(kCanvasWidth) * kCanvasHeight, 0);
    canvas.window = window.data();

    const int passes = 1000;
    Stopwatch plain;
    for (int r = 0; r < passes; ++r)
        for (float& value : canvas.buffer.pixels) value = value * 0.5f + 1.0f;
    const double reference = plain.CpuMs() / passes;
    Report("reference: plain canvas pass", plain, passes, reference);

    Stopwatch startUp;
    TubeDisplay display;
    BuildSprites(display);
    std::vector<Glow> glows(kGlowCount);
    for (Glow& glow : glows) SetupGlow(glow);
    Report("start-up: sprites and 60 blobs", startUp, 1, reference);

    display.ready = true;  // frames of the clock itself, not of the start-up test
    const int frames = 500;
    Stopwatch frame;
    for (int i = 0; i < frames; ++i) DrawFrame(display, canvas, glows);
    Report("frame (without its 20 ms sleep)", frame, frames, reference);
    return 0;
}
