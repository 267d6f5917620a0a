// Shapes and colours: lines, a filled rectangle, a box, and a row of circles
// in every hue. A key pressed in the console (or the window) ends it.
#include <kanvo.h>

#include <conio.h>

int main() {
    OpenGraphWindow(640, 480);

    // Lines in one colour, fanning across the window.
    SetStrokeColor(RGB(255, 200, 0));
    for (int i = 0; i < 12; ++i) DrawLine(20, 20 + i * 30, 620, 460 - i * 30);

    // A filled rectangle: outline in the stroke colour, inside in the interior colour.
    SetStrokeColor(RGB(80, 160, 255));
    SetInteriorColor(RGB(30, 60, 120));
    DrawFilledRectangle(200, 150, 440, 330);
    DrawBox3D(60, 360, 160, 440, 30, true);

    // Circles around the colour wheel: hue in degrees, saturation and value 0..1.
    for (int i = 0; i < 8; ++i) {
        const COLORREF color = ColorFromHSV(i * 45.0f, 1.0f, 1.0f);
        SetStrokeColor(color);
        SetInteriorColor(color);
        DrawFilledCircle(230 + i * 50, 400, 20);
    }

    while (!_kbhit()) Sleep(20);
    _getch();
    CloseGraphWindow();
    return 0;
}
