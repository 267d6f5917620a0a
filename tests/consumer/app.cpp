// Draws into an image and checks one pixel: a user's program built against
// the installed library.
#include <kanvo.h>

#include <cstdio>

int main() {
    IMAGE image(10, 10);
    SetTargetImage(&image);
    SetInteriorColor(RGB(0, 0, 255));
    PaintRectangle(0, 0, 9, 9);
    const COLORREF color = GetPixelColor(5, 5);
    std::printf("%ls 0x%06lX\n", GetLibraryVersion(), static_cast<unsigned long>(color));
    return color == RGB(0, 0, 255) ? 0 : 1;
}
