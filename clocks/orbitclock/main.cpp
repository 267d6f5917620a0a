// orbitclock: the local time as a small planetary system, redrawn whenever
// the seconds change. A key pressed in the console ends it.
#include <kanvo.h>

#include <conio.h>
#include <time.h>

#include "orbit_drawing.h"

namespace {

void ReadClock(__time64_t* now) {
    _time64(now);
}
void ToLocalTime(const __time64_t* now, tm* local) {
    _localtime64_s(local, now);
}

}  // namespace

int main() {
    __time64_t now;
    tm t;
    tm newTime;
    ReadClock(&now);
    ToLocalTime(&now, &t);
    OpenGraphWindow(640, 480, 0);
    DrawDialFrame();

    // Polls the clock, pausing 10 ms between polls so as not to keep the
    // processor busy, and draws one frame per change of the seconds field.
    while (!_kbhit()) {
        ReadClock(&now);
        ToLocalTime(&now, &newTime);
        if (t.tm_sec == newTime.tm_sec) {
            Sleep(10);
            continue;
        }
        t = newTime;
        DrawOrbitFrame(t);
    }
    _getch();
    CloseGraphWindow();
    return 0;
}
