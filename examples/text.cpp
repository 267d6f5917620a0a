// Text in several fonts and sizes, from UTF-8 string literals. Font heights
// are the height of a character cell in pixels.
#include <kanvo.h>

#include <conio.h>

int main() {
    OpenGraphWindow(640, 360);
    SetBackgroundColor(RGB(255, 255, 240));
    ClearTarget();
    SetFontColor(RGB(20, 20, 20));
    SetBackgroundMode(TRANSPARENT);  // letters over the picture, no boxes behind them

    SetTextFont(48, 0, "Arial");
    WriteText(20, 20, "Hello, Kanvo!");

    // The long form: angle, weight, italic, underline and strike-out too.
    SetTextFont(32, 0, "Times New Roman", 0, 0, FW_BOLD, true, false, false);
    WriteText(20, 90, "Bold italic serif");

    SetTextFont(24, 0, "Courier New", 0, 0, FW_NORMAL, false, false, false);
    WriteText(20, 140, "Monospaced: 0123456789");

    SetFontColor(RGB(200, 0, 0));
    SetTextFont(32, 0, "SimSun");
    WriteText(20, 180, "你好，世界");

    // Several lines need a rectangle: WriteText draws one line only.
    SetFontColor(RGB(0, 90, 160));
    SetTextFont(22, 0, "Arial");
    RECT box = {20, 240, 620, 340};
    WriteTextInRect("Centred in a rectangle,\nline by line.", &box, DT_CENTER);

    while (!_kbhit()) Sleep(20);
    _getch();
    CloseGraphWindow();
    return 0;
}
