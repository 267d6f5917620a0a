// ringclock: three fading ring trails for seconds, minutes and hours around
// the time in digits, over the picture "./001.png" of the working directory;
// redrawn once a second until a key is pressed in the console.
#include "ring_drawing.h"

#include <conio.h>

#include <ctime>

namespace {

void ReadClock(__time64_t* now) {
    _time64(now);
}
void ToLocalTime(tm* t, const __time64_t* now) {
    _localtime64_s(t, now);
}

}  // namespace

int main() {
    __time64_t now;
    tm t;
    tm newTime;
    ReadClock(&now);
    ToLocalTime(&t, &now);
    Ring hour = {320 / 3.8, 0};
    Ring min = {320 / 3.15, 0};
    Ring sec = {320 / 2.65, 0};

    OpenGraphWindow(640, 480, 0);
    DrawBackground();
    BeginBatch();
    SelectDigitFont();

    while (!_kbhit()) {
        // Wait for the next second, without the keyboard; the short sleep
        // frees the processor and delays the new picture by 10 ms at most.
        for (;;) {
            ReadClock(&now);
            ToLocalTime(&newTime, &now);
            if (t.tm_sec != newTime.tm_sec) break;
            Sleep(10);
        }
        ReadClock(&now);
        ToLocalTime(&t, &now);
        DrawRingFrame(t, hour, min, sec);
        FlushBatch();
    }

    EndBatch();
    _getch();
    CloseGraphWindow();
    return 0;
}
