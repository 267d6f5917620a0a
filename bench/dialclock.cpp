// dialclock's frame rate and start-up time, read from the numbers the real
// program writes to its standard output during a ten-second run on this
// display, against the same frame and dial drawn by its routines on an IMAGE
// in this process (no window, no lock, no copy to the screen); and that frame
// as a multiple of a plain pass over its pixels, measured in the same run.
#include "dial_plate.h"
#include "mechanism.h"
#include "processor_stopwatch.h"
#include "program_driver.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The elapsed seconds that the program printed, one per frame.
std::vector<double> RunProgram(double seconds) {
    const std::wstring directory = KanvoTest::ProgramDirectory() + L"..\\clocks\\dialclock\\";
    const std::wstring output = KanvoTest::ProgramDirectory() + L"bench_dialclock_output.txt";
    std::vector<double> printed;
    {
        KanvoTest::ProgramDriver program;
        program.SendOutputTo(output);
        if (!program.Start(L"\"" + directory + L"dialclock.exe\"", directory) ||
            !program.WaitForWindow())
            return printed;
        Sleep(static_cast<DWORD>(seconds * 1000));
        program.TypeKeyInConsole(L'q');
        program.WaitForExit(10000);
    }
    if (FILE* file = _wfopen(output.c_str(), L"r")) {
        double value;
        while (std::fscanf(file, "%lf", &value) == 1) printed.push_back(value);
        std::fclose(file);
    }
    DeleteFileW(output.c_str());
    return printed;
}

}  // namespace

int main() {
    IMAGE dial(800, 800);
    Clock::time_point start = Clock::now();
    RenderDialPlate(&dial);
    const double referenceStartup = SecondsSince(start);

    IMAGE frame(800, 800);
    SetTargetImage(&frame);
    const LightSource light = {Point3(-400, -400, -400, 0x00FFFFFF), 255, 255, 255, 0};
    tm time = {};
    int referenceFrames = 0;
    start = Clock::now();
    for (; SecondsSince(start) < 3; ++referenceFrames) {
        time.tm_sec = referenceFrames % 60;
        PasteImage(0, 0, &dial, SRCCOPY);
        DrawMovingParts({400, 400}, HandAnglesAt(time), light);
    }
    const double referenceFrameMs = SecondsSince(start) * 1000 / referenceFrames;
    SetTargetImage(nullptr);

    // The same frame as a multiple of a plain pass over its pixels (reading
    // and writing each once), both timed by this thread's processor time.
    DWORD* pixels = GetSurfacePixels(&frame);
    const int passes = 10000;
    ProcessorStopwatch plain;
    for (int r = 0; r < passes; ++r)
        for (int i = 0; i < 800 * 800; ++i) pixels[i] = (pixels[i] + 0x010101u) & 0xFFFFFFu;
    const double plainMs = plain.ProcessorMs() / passes;
    plain.Report("reference: plain pass over the pixels", passes, plainMs);
    SetTargetImage(&frame);
    const int frames = 300;
    ProcessorStopwatch drawn;
    for (int i = 0; i < frames; ++i) {
        time.tm_sec = i % 60;
        PasteImage(0, 0, &dial, SRCCOPY);
        DrawMovingParts({400, 400}, HandAnglesAt(time), light);
    }
    drawn.Report("frame on an IMAGE", frames, plainMs);
    SetTargetImage(nullptr);

    const std::vector<double> printed = RunProgram(10);
    if (printed.size() < 2) {
        std::printf("dialclock printed %zu lines: no frame rate to measure\n", printed.size());
        return 1;
    }
    const double span = printed.back() - printed.front();
    const double framesPerSecond = (printed.size() - 1) / span;
    const double frameMs = 1000 / framesPerSecond;
    std::printf("dialclock, 10 s under this display: %zu frames\n", printed.size());
    std::printf("  frames per second        %8.2f\n", framesPerSecond);
    std::printf(
        "  ms per frame             %8.2f  (%.2f x a frame drawn on an IMAGE here, "
        "%.2f ms)\n",
        frameMs, frameMs / referenceFrameMs, referenceFrameMs);
    std::printf("  start-up (first line) s  %8.3f  (%.2f x rendering the dial here, %.3f s)\n",
                printed.front(), printed.front() / referenceStartup, referenceStartup);
    return 0;
}
