// Paint with the mouse: drag with the left button to draw, click the right
// button to start again. A key pressed in the console ends it.
#include <kanvo.h>

#include <conio.h>

int main() {
    OpenGraphWindow(640, 480);
    SetBackgroundColor(RGB(255, 255, 255));
    ClearTarget();
    SetStrokeColor(RGB(200, 0, 0));
    SetStrokeStyle(PS_SOLID | PS_ENDCAP_ROUND, 5);

    while (!_kbhit()) {
        MOUSEMSG m;
        // Take every message that came since the last look, then rest a little.
        while (PollMouseEvent(&m)) {
            if (m.message == WM_LBUTTONDOWN) MovePenTo(m.x, m.y);
            if (m.message == WM_MOUSEMOVE && m.leftDown) DrawSegmentTo(m.x, m.y);
            if (m.message == WM_RBUTTONDOWN) ClearTarget();
        }
        Sleep(10);
    }
    _getch();
    CloseGraphWindow();
    return 0;
}
