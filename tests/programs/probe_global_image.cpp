// An IMAGE that is a global object: drawn on by another global's constructor
// before main, pasted into the window in main, and still the drawing target
// when it is destroyed after main. Exits with 64 plus a bit (128 and up) for
// every failed check; a crash at exit gives the system's exception code.
#include "failed_checks.h"
#include "global_image.h"

namespace {

FailedChecks g_checks;

void Check(bool good) {
    g_checks.Check(good);
}

}  // namespace

int main() {
    const DWORD* pixels = GetSurfacePixels(&g_picture);
    Check(pixels != nullptr);
    Check(pixels && pixels[0] == 0x0000C864);
    OpenGraphWindow(100, 80);
    PasteImage(10, 10, &g_picture);
    Check(GetPixelColor(20, 20) == RGB(0, 200, 100));
    CloseGraphWindow();
    SetTargetImage(&g_picture);
    return g_checks.ExitCode();
}
