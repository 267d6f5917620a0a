// nixieclock: the time as six glowing digit tubes with blinking separator
// dots and drifting light, rendered in software. A key ends it.
#include "nixie_drawing.h"

#include <conio.h>

int main() {
    OpenGraphWindow(kCanvasWidth, kCanvasHeight, 0);
    Canvas canvas;
    canvas.window = GetSurfacePixels(nullptr);
    TubeDisplay display;
    BuildSprites(display);
    std::vector<Glow> glows(kGlowCount);
    for (Glow& glow : glows) SetupGlow(glow);
    BeginBatch();

    while (!_kbhit()) {
        DrawFrame(display, canvas, glows);
        FlushBatch();
        Sleep(20);
    }
    _getch();
    EndBatch();
    CloseGraphWindow();
    return 0;
}
