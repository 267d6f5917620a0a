// Opens a window and keeps drawing into it until its close box ends the
// process; exits with 3 if that never happens.
#include <kanvo.h>

int main() {
    OpenGraphWindow(200, 100);
    for (int frame = 0; frame < 3000; ++frame) {
        SetInteriorColor(RGB(frame % 256, 0, 0));
        DrawFilledRectangle(0, 0, 199, 99);
        DWORD* pixels = GetSurfacePixels(nullptr);
        if (pixels) pixels[frame % 100] = 0x00FFFFFF;
        Sleep(10);
    }
    return 3;
}
