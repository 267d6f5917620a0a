// rainclock: a landscape dial with wedge hands; for a second after each change
// of second, rain streaks fall across it. A key ends it.
#include "rain_drawing.h"

#include <conio.h>

#include <cstdlib>

int main() {
    std::srand(static_cast<unsigned>(_time64(nullptr)));
    __time64_t now;
    __time64_t latest;
    tm t;
    tm latestTime;
    _time64(&now);
    _localtime64_s(&t, &now);

    OpenGraphWindow(600, 600, 0);
    DrawScenery();
    int starting = 1;

    while (!_kbhit()) {
        // The start-up hands and drops are drawn once: the first change of
        // second then removes exactly these, and nothing stale stays behind.
        if (starting) {
            StartHandsAndRain(t);
            starting = 0;
        }
        _time64(&latest);
        _localtime64_s(&latestTime, &latest);
        if (latest > now) {
            ChangeSecond(t, latestTime);
            t = latestTime;
            now = latest;
        }
        PaintHub();
    }
    _getch();
    CloseGraphWindow();
    return 0;
}
