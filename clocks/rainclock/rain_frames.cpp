// The steps of the clock's loop that change the picture.
#include "rain_drawing.h"

void StartHandsAndRain(const tm& t) {
    SetRasterOp(R2_XORPEN);
    DrawHands(ToAngles(t));
    for (int i = 0; i < kDropCount; ++i) {
        ResetDrop(i);
        DrawDrop(i);
    }
}

void ChangeSecond(const tm& shown, const tm& next) {
    DrawHands(ToAngles(shown));
    DrawHands(ToAngles(next));
    for (int step = 0; step < 20; ++step) {
        for (int k = 0; k < kDropCount; ++k) {
            DrawDrop(k);
            MoveDrop(k);
            DrawDrop(k);
        }
        Sleep(50);
    }
}

void PaintHub() {
    SetRasterOp(R2_COPYPEN);
    SetInteriorColor(kRainHub);
    PaintCircle(300, 300, 10);
    SetRasterOp(R2_XORPEN);
}
