// Starts a program in its own folder with a console that has no window (so
// that keys reach it only as input records), prints "window" once its graphics window shows and
// waits for it to end: exits with the program's exit code, 2 when it shows no window, 124 when it
// has not ended within the seconds given (it is then ended).
//
//   wait_for_program <program.exe> <seconds>
#include "program_driver.h"

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) return 2;
    const std::wstring program = argv[1];
    const std::wstring folder = program.substr(0, program.find_last_of(L'\\') + 1);
    KanvoTest::ProgramDriver driver;
    using Console = KanvoTest::ProgramDriver::Console;
    if (!driver.Start(L"\"" + program + L"\"", folder, Console::kWithoutWindow)) return 2;
    const HWND window = driver.WaitForWindow();
    if (!window) return 2;
    // Focused, as a user's click would leave it: the display server then
    // sends it the keys typed.
    SetForegroundWindow(window);
    std::printf("window\n");
    std::fflush(stdout);
    const DWORD code = driver.WaitForExit(static_cast<DWORD>(_wtoi(argv[2])) * 1000);
    return code == STILL_ACTIVE ? 124 : static_cast<int>(code);
}
