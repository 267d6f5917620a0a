// The digit-tube clock's start-up (pre-rendering the sprites and the 60 light
// blobs) and its frame, each as a multiple of a plain pass over the float
// canvas (reading and writing every float once), measured in the same run.
// Times are the thread's processor time, so that other work on the machine
// does not count; wall-clock times are shown beside them.
#include "nixie_drawing.h"

#include "processor_stopwatch.h"

#include <vector>

int main() {
    Canvas canvas;
    std::vector<DWORD> window(static_cast<size_t>(kCanvasWidth) * kCanvasHeight, 0);
    canvas.window = window.data();

    const int passes = 1000;
    ProcessorStopwatch plain;
    for (int r = 0; r < passes; ++r)
        for (float& value : canvas.buffer.pixels) value = value * 0.5f + 1.0f;
    const double reference = plain.ProcessorMs() / passes;
    plain.Report("reference: plain canvas pass", passes, reference);

    ProcessorStopwatch startUp;
    TubeDisplay display;
    BuildSprites(display);
    std::vector<Glow> glows(kGlowCount);
    for (Glow& glow : glows) SetupGlow(glow);
    startUp.Report("start-up: sprites and 60 blobs", 1, reference);

    display.ready = true;  // frames of the clock itself, not of the start-up test
    const int frames = 500;
    ProcessorStopwatch frame;
    for (int i = 0; i < frames; ++i) DrawFrame(display, canvas, glows);
    frame.Report("frame (without its 20 ms sleep)", frames, reference);
    return 0;
}
