// Asks for a name with the input dialog and greets it. The char form of
// PromptForText gives the typed text as UTF-8.
#include <kanvo.h>

#include <conio.h>

#include <string>

int main() {
    OpenGraphWindow(480, 160);
    char name[64] = "stranger";  // Cancel leaves the buffer as it was
    PromptForText(name, sizeof name, "What is your name?", "Hello", "World");
    const std::string greeting = std::string("Hello, ") + name + "!";

    SetBackgroundColor(RGB(240, 240, 255));
    ClearTarget();
    SetFontColor(RGB(0, 0, 160));
    SetTextFont(40, 0, "Arial");
    WriteText(20, 50, greeting.c_str());

    while (!_kbhit()) Sleep(20);
    _getch();
    CloseGraphWindow();
    return 0;
}
