// Checks the library's console handling and exits with 64 plus a bit for
// every failed check: a program that Ctrl+C ended never gets to say 64.
// Started with a console of its own: the console hides while the window takes
// its place, Ctrl+C no longer ends the program, and at close the console comes
// back where the window was. Started without one (told by the argument
// "none"): OPEN_WITH_CONSOLE creates one with working standard streams, and
// closing the window gives it back.
#include <kanvo.h>

#include <cstdio>
#include <utility>

std::pair<LONG, LONG> Corner(HWND w) {
    RECT r = {};
    GetWindowRect(w, &r);
    return {r.left, r.top};
}

int main(int argc, char**) {
    int failures = 0, bit = 1;
    const auto check = [&](bool good) {
        failures |= good ? 0 : bit;
        bit <<= 1;
    };
    HWND console = GetConsoleWindow();
    check((argc > 1) == !console);  // started as told
    if (!console) {
        OpenGraphWindow(200, 100, OPEN_WITH_CONSOLE);
        check(GetConsoleWindow() && IsWindowVisible(GetConsoleWindow()));
        check(std::printf("standard output works\n") > 0 && std::fflush(stdout) == 0);
        CloseGraphWindow();
        check(!GetConsoleWindow());
        return 64 | failures;
    }
    SetWindowPos(console, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const auto consoleAt = Corner(console);
    HWND window = OpenGraphWindow(200, 100, 0);
    check(!IsWindowVisible(console) && Corner(window) == consoleAt);
    GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);  // must be ignored from now on
    Sleep(300);
    SetWindowPos(window, nullptr, 120, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const auto windowAt = Corner(window);
    CloseGraphWindow();
    check(IsWindowVisible(console) && Corner(console) == windowAt);
    return 64 | failures;
}
