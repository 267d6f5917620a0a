// Opens a window, draws, and waits for a key in its console like a clock does;
// exits with 0 after reading the key, with 3 if the wait ends otherwise.
#include <kanvo.h>

#include <conio.h>

int main() {
    OpenGraphWindow(200, 100);
    SetInteriorColor(RGB(255, 0, 0));
    DrawFilledRectangle(10, 10, 50, 50);
    for (int i = 0; i < 3000 && !_kbhit(); ++i) Sleep(10);
    if (!_kbhit()) return 3;
    _getch();
    CloseGraphWindow();
    return 0;
}
