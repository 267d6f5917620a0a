// The digit-tube clock's start-up (pre-rendering the sprites and the 60 light
// blobs) and its frame, each as a multiple of a plain pass over the float
// canvas (reading and writing every float once), measured in the same run.
// Times are the thread's processor time, so that other work on the machine
// does not count; wall-clock times are shown beside them.
#include "nixie_drawing.h"

#include "processor_stopwatch.h"

#include <cstdio>
#include <vector>

int main() {
    Canvas canvas;
    std::vector<DWORD> window(static_cast<size_t>(kCanvasWidth) * kCanvasHeight, 0);
    canvas.window = window.data();

    const int passes = 3000;
    ProcessorStopwatch plain;
    for (int r = 0; r < passes; ++r)
        for (float& value : canvas.buffer.pixels) value = value * 0.5f + 1.0f;
    const double reference = plain.ProcessorMs() / passes;
    plain.Report("reference: plain canvas pass", passes, reference);

    // Start-up is built several times over: the processor time is counted
    // in steps of about 10 ms.
    const int builds = 10;
    ProcessorStopwatch sprites;
    for (int b = 0; b < builds; ++b) {
        TubeDisplay built;
        BuildSprites(built);
    }
    const double spritesMs = sprites.ProcessorMs() / builds;
    sprites.Report("start-up: the sprites", builds, reference);

    ProcessorStopwatch blob;
    for (int b = 0; b < builds; ++b) RenderBlob();
    const double blobMs = blob.ProcessorMs() / builds;
    blob.Report("start-up: the light blob", builds, reference);

    std::vector<Glow> glows(kGlowCount);
    for (Glow& glow : glows) SetupGlow(glow);  // renders the blob it copies
    ProcessorStopwatch copies;
    for (int b = 0; b < builds; ++b)
        for (Glow& glow : glows) SetupGlow(glow);
    const double copiesMs = copies.ProcessorMs() / builds;
    copies.Report("start-up: 60 blobs placed", builds, reference);

    const double startUpMs = spritesMs + blobMs + copiesMs;
    std::printf("%-38s %9.3f ms                      = %8.2f x reference\n", "start-up in all",
                startUpMs, startUpMs / reference);

    TubeDisplay display;
    BuildSprites(display);
    display.ready = true;  // frames of the clock itself, not of the start-up test
    const int frames = 500;
    ProcessorStopwatch frame;
    for (int i = 0; i < frames; ++i) DrawFrame(display, canvas, glows);
    frame.Report("frame (without its 20 ms sleep)", frames, reference);
    return 0;
}
