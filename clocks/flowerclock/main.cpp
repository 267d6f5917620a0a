// flowerclock: dashed hands over a softened dial with a chain of flowers, and
// a green sparkle that moves each second. A key ends it.
#include "flower_drawing.h"

#include <conio.h>

int main() {
    OpenGraphWindow(640, 480, 0);
    IMAGE background(640, 480);
    SetTargetImage(&background);
    DrawGardenDial();
    SmoothImage(background);
    SetTargetImage(nullptr);
    PasteImage(0, 0, &background, SRCCOPY);
    SetMixMode(R2_XORPEN);

    __time64_t now;
    tm t;
    while (!_kbhit()) {
        _time64(&now);
        _localtime64_s(&t, &now);
        DrawDashedHands(t);
        PlaceSparkle(1);
        Sleep(1000);
        DrawDashedHands(t);  // the same time: removes the hands
        PlaceSparkle(2);
    }
    _getch();
    CloseGraphWindow();
    return 0;
}
