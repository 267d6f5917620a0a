// Started without a console: OPEN_WITH_CONSOLE must create one with working
// standard streams, and closing the window must give it back. Each failed
// check is a bit of the exit code (0 = all good).
#include <kanvo.h>

#include <cstdio>

int main() {
    int failures = 0;
    if (GetConsoleWindow()) return 1;
    OpenGraphWindow(200, 100, OPEN_WITH_CONSOLE);
    HWND console = GetConsoleWindow();
    if (!console) failures |= 2;
    if (console && !IsWindowVisible(console)) failures |= 4;
    if (std::printf("standard output works\n") <= 0 || std::fflush(stdout) != 0) failures |= 8;
    CloseGraphWindow();
    if (GetConsoleWindow()) failures |= 16;
    return failures;
}
