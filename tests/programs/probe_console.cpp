// Checks the library's console handling and exits with 64 plus a bit (128
// and up) for every failed check: a program that Ctrl+C ended never gets to
// say 64. Started with a console of its own: the console hides while the
// window takes its place, Ctrl+C no longer ends the program, and at close the
// console comes back where the window was. Started without one (told by the
// argument "none"): every opening with OPEN_WITH_CONSOLE creates a visible
// console to which printf succeeds, and every close gives it back.
#include <kanvo.h>

#include <cstdio>
#include <utility>

#include "failed_checks.h"

namespace {

FailedChecks g_checks;

void Check(bool good) {
    g_checks.Check(good);
}

std::pair<LONG, LONG> Corner(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return {rect.left, rect.top};
}

// Opens a window that asks for a console, writes through standard output and
// closes it again.
void OpenWithConsoleAndClose() {
    OpenGraphWindow(200, 100, OPEN_WITH_CONSOLE);
    const HWND console = GetConsoleWindow();
    Check(console != nullptr);
    Check(IsWindowVisible(console));
    Check(std::printf("standard output works\n") > 0);
    Check(std::fflush(stdout) == 0);
    CloseGraphWindow();
    Check(GetConsoleWindow() == nullptr);
}

void HideAndRestoreTheConsole(HWND console) {
    SetWindowPos(console, nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const auto consoleAt = Corner(console);
    const HWND window = OpenGraphWindow(200, 100, 0);
    Check(!IsWindowVisible(console));
    Check(Corner(window) == consoleAt);
    GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);  // must be ignored from now on
    Sleep(300);
    SetWindowPos(window, nullptr, 120, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const auto windowAt = Corner(window);
    CloseGraphWindow();
    Check(IsWindowVisible(console));
    Check(Corner(console) == windowAt);
}

}  // namespace

int main(int argc, char**) {
    const bool toldNone = argc > 1;
    const HWND console = GetConsoleWindow();
    Check(toldNone == (console == nullptr));
    if (console) {
        HideAndRestoreTheConsole(console);
    } else {
        OpenWithConsoleAndClose();
        OpenWithConsoleAndClose();
    }
    return g_checks.ExitCode();
}
