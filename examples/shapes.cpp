// A first Kanvo program: a few lines and rectangles, until a key is pressed.
#include <kanvo.h>

#include <conio.h>

int main() {
    OpenGraphWindow(640, 480);
    SetStrokeColor(RGB(255, 200, 0));
    for (int i = 0; i < 12; ++i) DrawLine(20, 20 + i * 30, 620, 460 - i * 30);
    SetStrokeColor(RGB(80, 160, 255));
    SetInteriorColor(RGB(30, 60, 120));
    DrawFilledRectangle(200, 150, 440, 330);
    DrawBox3D(60, 360, 160, 440, 30, true);
    while (!_kbhit()) Sleep(20);
    _getch();
    CloseGraphWindow();
    return 0;
}
