// Draws into an image, checks one pixel and saves the image: a user's program
// built against the installed library, reaching its picture file code too.
#include <kanvo.h>

#include <cstdio>

int main() {
    IMAGE image(10, 10);
    SetTargetImage(&image);
    SetInteriorColor(RGB(0, 0, 255));
    PaintRectangle(0, 0, 9, 9);
    const COLORREF color = GetPixelColor(5, 5);
    const bool saved = WriteImageFile(L"app.png", &image);
    std::printf("%ls 0x%06lX\n", GetLibraryVersion(), static_cast<unsigned long>(color));
    return color == RGB(0, 0, 255) && saved ? 0 : 1;
}
