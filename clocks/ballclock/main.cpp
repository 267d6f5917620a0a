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

    int ballX = 100, ballY = 250;
    const int ballSize = 40;
    int ballVelocityX = 1, ballVelocityY = 1;

    while (!_kbhit()) {
        g_lastSecond = t.tm_sec;
        _time64(&now);
        _localtime64_s(&t, &now);
        if (t.tm_sec != g_lastSecond) {
            DrawClockFace();
            ScatterStars(400);
            DrawHands(t.tm_hour, t.tm_min, t.tm_sec);
        }
        DrawFlowerBall(ballX, ballY, ballSize, ballVelocityX, ballVelocityY);
        FlushBatch();
    }
    _getch();
    CloseGraphWindow();
    return 0;
}
