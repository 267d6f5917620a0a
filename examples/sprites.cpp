// Sprites with masks over a background, and a picture file written and read
// back. The mask is white where the background shows and black where the
// sprite is: pasted with SRCAND it cuts a hole, the sprite with SRCPAINT fills it.
#include <kanvo.h>

#include <conio.h>

int main() {
    OpenGraphWindow(640, 480);
    for (int y = 0; y < 480; ++y) {  // a background from green to blue
        SetStrokeColor(RGB(0, 200 - y * 200 / 480, 80 + y * 175 / 480));
        DrawLine(0, y, 639, y);
    }

    IMAGE sprite(64, 64), mask(64, 64);
    SetTargetImage(&sprite);  // a yellow face on black (black adds nothing with SRCPAINT)
    SetStrokeColor(RGB(255, 220, 0));
    SetInteriorColor(RGB(255, 220, 0));
    DrawFilledCircle(32, 32, 30);
    SetInteriorColor(RGB(0, 0, 0));
    PaintCircle(22, 24, 5);
    PaintCircle(42, 24, 5);
    SetTargetImage(&mask);
    SetBackgroundColor(RGB(255, 255, 255));
    ClearTarget();
    SetStrokeColor(RGB(0, 0, 0));
    SetInteriorColor(RGB(0, 0, 0));
    DrawFilledCircle(32, 32, 30);
    SetTargetImage(nullptr);  // back to the window

    for (int i = 0; i < 6; ++i) {
        PasteImage(40 + i * 95, 120 + (i % 2) * 80, &mask, SRCAND);
        PasteImage(40 + i * 95, 120 + (i % 2) * 80, &sprite, SRCPAINT);
    }

    // The window as a picture file, read back at a quarter of its size.
    IMAGE thumbnail;
    if (WriteImageFile("sprites.png") && ReadImageFile(&thumbnail, "sprites.png", 160, 120))
        PasteImage(460, 340, &thumbnail);

    while (!_kbhit()) Sleep(20);
    _getch();
    CloseGraphWindow();
    return 0;
}
