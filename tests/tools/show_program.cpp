// Shows a program as a user would run it: with a console of its own, until
// Enter arrives on standard input (or for a number of seconds, or until it
// ends by itself), then types a key into its console and reports how it
// ended. Optionally saves a picture of its window once it has run for a
// while (2500 ms unless --delay says otherwise).
//
//   show_program <program.exe> [--cwd <dir>] [--seconds <n>] [--delay <ms>]
//                [--screenshot <file.png>]
#include "program_driver.h"

#include <cstdio>
#include <string>
#include <thread>

int wmain(int argc, wchar_t** argv) {
    // The values of --cwd, --screenshot, --seconds and --delay.
    const std::wstring names[4] = {L"--cwd", L"--screenshot", L"--seconds", L"--delay"};
    std::wstring options[4] = {L"", L"", L"0", L"2500"};
    for (int i = 2; i + 1 < argc; i += 2)
        for (int k = 0; k < 4; ++k) options[k] = argv[i] == names[k] ? argv[i + 1] : options[k];
    const std::wstring program = argc > 1 ? argv[1] : L"";
    KanvoTest::ProgramDriver driver;
    const bool started = argc > 1 && driver.Start(L"\"" + program + L"\"", options[0]);
    HWND window = started ? driver.WaitForWindow() : nullptr;
    if (!window) {
        std::fwprintf(stderr,
                      L"usage: show_program <program.exe> [--cwd <dir>] [--seconds <n>] "
                      L"[--delay <ms>] [--screenshot <file.png>]\n%ls opened no window\n",
                      program.c_str());
        return 2;
    }
    const int seconds = _wtoi(options[2].c_str()), delayMs = _wtoi(options[3].c_str());
    if (!options[1].empty()) {
        Sleep(static_cast<DWORD>(delayMs > 0 ? delayMs : 0));
        if (KanvoTest::SavePicture(KanvoTest::CaptureClientArea(window), options[1]))
            std::fwprintf(stderr, L"picture of the window: %ls\n", options[1].c_str());
    }
    // Until Enter, the time given or the program's own end. The event lives
    // as long as this process: the thread that reads Enter may still set it.
    HANDLE stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (seconds <= 0)
        std::thread([stop] {
            std::getchar();
            SetEvent(stop);
        }).detach();
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, driver.ProcessId());
    HANDLE waits[2] = {stop, process};
    WaitForMultipleObjects(process ? 2 : 1, waits, FALSE, seconds > 0 ? seconds * 1000u : INFINITE);
    if (process) CloseHandle(process);
    driver.TypeKeyInConsole(L' ');
    const DWORD code = driver.WaitForExit(10000);
    std::fwprintf(stderr, L"%ls ended with exit code %lu\n", program.c_str(), code);
    return code == 0 ? 0 : 1;
}
