// Draws into a global image in a tight loop until the close box ends the
// process: once through GDI, then through its pixels without pause (the
// fastest way a program draws, and the one that would touch the image if it
// were freed under it). Prints a line first, which must reach its standard
// output, and another if its static objects are destroyed. Exits with 3 after 30 s without a close.
#include <kanvo.h>

#include <cstdio>

IMAGE g_canvas(320, 240);

// Tells when the program's static objects are destroyed, which must not happen
// while its thread may still draw into them.
struct DestructionWitness {
    ~DestructionWitness() { std::printf("static objects destroyed\n"); }
} g_witness;

int main() {
    OpenGraphWindow(200, 100);
    std::printf("drawing\n");  // stays in the buffer while the output is a file
    SetTargetImage(&g_canvas);
    DrawFilledCircle(160, 120, 60);
    SetTargetImage(nullptr);
    DWORD* const pixels = GetSurfacePixels(&g_canvas);
    const DWORD start = GetTickCount();
    for (DWORD frame = 0; pixels && GetTickCount() - start < 30000; ++frame) {
        for (int i = 0; i < 320 * 240; ++i) pixels[i] = frame;
    }
    return 3;
}
