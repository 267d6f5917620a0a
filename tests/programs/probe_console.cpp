// Checks the console handling of a program started with a console of its own
// and reports every failed check as a bit of its exit code (0 = all good):
// the console hides while the window takes its place, Ctrl+C no longer ends
// the program, and at close the console comes back where the window was.
#include <kanvo.h>

namespace {

bool SamePlace(const RECT& a, const RECT& b) { return a.left == b.left && a.top == b.top; }

}  // namespace

int main() {
    int failures = 0;
    HWND console = GetConsoleWindow();
    if (!console) return 1;
    SetWindowPos(console, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RECT consoleRect = {};
    GetWindowRect(console, &consoleRect);

    HWND window = OpenGraphWindow(200, 100, 0);
    RECT windowRect = {};
    GetWindowRect(window, &windowRect);
    if (IsWindowVisible(console)) failures |= 2;
    if (!SamePlace(windowRect, consoleRect)) failures |= 4;

    GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);  // must be ignored from now on
    Sleep(300);

    SetWindowPos(window, nullptr, 120, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    GetWindowRect(window, &windowRect);
    CloseGraphWindow();
    GetWindowRect(console, &consoleRect);
    if (!IsWindowVisible(console)) failures |= 8;
    if (!SamePlace(consoleRect, windowRect)) failures |= 16;
    return failures;
}
