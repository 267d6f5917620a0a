// rainclock: a landscape dial with wedge hands; for a second after each change
// of second, rain streaks fall across it. A key ends it.
#include "rain_drawing.h"

#include <conio.h>

#include <cstdlib>

int main() {
    std::srand(static_cast<unsigned>(_time64(nullptr)));
    __time64_t now, now_update;
    tm t, t_update;
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
        _time64(&now_update);
        _localtime64_s(&t_update, &now_update);
        if (now_update > now) {
            ChangeSecond(t, t_update);
            t = t_update;
            now = now_update;
        }
        PaintHub();
    }
    _getch();
    CloseGraphWindow();
    return 0;
}
