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

    const int passes = 5000;
    ProcessorStopwatch plain;
    for (int r = 0; r < passes; ++r)
        for (float& value : canvas.buffer.pixels) value = value * 0.5f + 1.0f;
    const double reference = plain.ProcessorMs() / passes;
    plain.Report("reference: plain canvas pass", passes, reference);

    // Each part of the start-up is done several times over, for the processor
    // time's steps: the sprites take about 100 ms, a blob about 1 ms.
    const int builds = 10;
    ProcessorStopwatch sprites;
    for (int b = 0; b < builds; ++b) {
        TubeDisplay built;
        BuildSprites(built);
    }
    const double spritesMs = sprites.ProcessorMs() / builds;
    sprites.Report("start-up: the sprites", builds, reference);

    const int blobs = 200;
    ProcessorStopwatch blob;
    for (int b = 0; b < blobs; ++b) RenderBlob();
    const double blobMs = blob.ProcessorMs() / blobs;
    blob.Report("start-up: the light blob", blobs, reference);

    std::vector<Glow> glows(kGlowCount);
    for (Glow& glow : glows) SetupGlow(glow);  // renders the blob it copies
    ProcessorStopwatch copies;
    for (int b = 0; b < blobs; ++b)
        for (Glow& glow : glows) SetupGlow(glow);
    const double copiesMs = copies.ProcessorMs() / blobs;
    copies.Report("start-up: 60 blobs placed", blobs, reference);

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
