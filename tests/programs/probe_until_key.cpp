// Opens a window and draws frames into it until a key comes to its console
// (exit code 0) or its close box ends the process (0 as well); exits with 3
// when neither comes within 30 s.
#include <kanvo.h>

#include <conio.h>

int main() {
    OpenGraphWindow(200, 100);
    for (int frame = 0; frame < 3000 && !_kbhit(); ++frame, Sleep(10)) {
        SetInteriorColor(RGB(frame % 256, 0, 0));
        DrawFilledRectangle(0, 0, 199, 99);
        if (DWORD* pixels = GetSurfacePixels(nullptr)) pixels[frame % 100] = 0x00FFFFFF;
    }
    if (!_kbhit()) return 3;
    _getch();
    CloseGraphWindow();
    return 0;
}
