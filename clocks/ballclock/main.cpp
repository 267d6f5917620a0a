// ballclock: an analogue clock on a framed panel among random white dots,
// while a flower-shaped ball bounces across the window. A key ends it.
#include "ball_drawing.h"

#include <conio.h>
#include <time.h>

int main() {
    __time64_t now;
    tm t;
    _time64(&now);
    _localtime64_s(&t, &now);

    OpenGraphWindow(kBallWindowWidth, kBallWindowHeight, 0);
    DrawClockFace();
    ScatterStars(400);
    BeginBatch();

    int ball_x = 100, ball_y = 250;
    const int ball_size = 40;
    int ball_vx = 1, ball_vy = 1;

    while (!_kbhit()) {
        last_second = t.tm_sec;
        _time64(&now);
        _localtime64_s(&t, &now);
        if (t.tm_sec != last_second) {
            DrawClockFace();
            ScatterStars(400);
            DrawHands(t.tm_hour, t.tm_min, t.tm_sec);
        }
        DrawFlowerBall(ball_x, ball_y, ball_size, ball_vx, ball_vy);
        FlushBatch();
    }
    _getch();
    CloseGraphWindow();
    return 0;
}
