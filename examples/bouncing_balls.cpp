// 200 balls bouncing in a box: each frame is drawn whole in batch mode and
// shown at once by FlushBatch, so nothing flickers; about 30 frames a second.
#include <kanvo.h>

#include <conio.h>

#include <cstdlib>
#include <vector>

struct Ball {
    float x, y, dx, dy;
    COLORREF color;
};

int main() {
    const int width = 640, height = 480, radius = 8;
    OpenGraphWindow(width, height);
    std::vector<Ball> balls(200);
    for (Ball& b : balls) {
        b = {float(20 + rand() % 600), float(20 + rand() % 440), float(rand() % 7 - 3),
             float(rand() % 7 - 3), ColorFromHSV(float(rand() % 360), 0.8f, 1.0f)};
    }

    BeginBatch();  // from here on the window changes only at FlushBatch
    DWORD nextFrame = GetTickCount();
    while (!_kbhit()) {
        ClearTarget();
        SetStrokeColor(RGB(255, 255, 255));
        DrawRectangle(0, 0, width - 1, height - 1);
        for (Ball& b : balls) {
            b.x += b.dx;
            b.y += b.dy;
            if (b.x < radius || b.x > width - radius) b.dx = -b.dx;
            if (b.y < radius || b.y > height - radius) b.dy = -b.dy;
            SetStrokeColor(b.color);
            SetInteriorColor(b.color);
            DrawFilledCircle(int(b.x), int(b.y), radius);
        }
        FlushBatch();
        // Frame pacing: wait for the next 33 ms step, or skip ahead when late.
        nextFrame += 33;
        const DWORD now = GetTickCount();
        if (int(nextFrame - now) > 0)
            Sleep(nextFrame - now);
        else
            nextFrame = now;
    }
    EndBatch();
    _getch();
    CloseGraphWindow();
    return 0;
}
