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
    if (argc < 2) {
        std::fwprintf(stderr, L"usage: show_program <program.exe> [--cwd <dir>] [--seconds <n>] "
                              L"[--delay <ms>] [--screenshot <file.png>]\n");
        return 2;
    }
    const std::wstring program = argv[1];
    std::wstring directory, screenshot;
    int seconds = 0, delayMs = 2500;
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::wstring option = argv[i];
        if (option == L"--cwd") directory = argv[i + 1];
        if (option == L"--screenshot") screenshot = argv[i + 1];
        if (option == L"--seconds") seconds = _wtoi(argv[i + 1]);
        if (option == L"--delay") delayMs = _wtoi(argv[i + 1]);
    }
    KanvoTest::ProgramDriver driver;
    const bool started = driver.Start(L"\"" + program + L"\"", directory);
    HWND window = started ? driver.WaitForWindow() : nullptr;
    if (!window) {
        std::fwprintf(stderr, L"%ls opened no window\n", program.c_str());
        return 2;
    }
    if (!screenshot.empty()) {
        Sleep(static_cast<DWORD>(delayMs > 0 ? delayMs : 0));
        if (KanvoTest::SavePicture(KanvoTest::CaptureClientArea(window), screenshot))
            std::fwprintf(stderr, L"picture of the window: %ls\n", screenshot.c_str());
    }
    // Until Enter, the time given or the program's own end. The event lives
    // as long as this process: the thread that reads Enter may still set it.
    HANDLE stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (seconds <= 0) std::thread([stop] { std::getchar(); SetEvent(stop); }).detach();
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, driver.ProcessId());
    HANDLE waits[2] = {stop, process};
    WaitForMultipleObjects(process ? 2 : 1, waits, FALSE, seconds > 0 ? seconds * 1000u : INFINITE);
    if (process) CloseHandle(process);
    driver.TypeKeyInConsole(L' ');
    const DWORD code = driver.WaitForExit(10000);
    std::fwprintf(stderr, L"%ls ended with exit code %lu\n", program.c_str(), code);
    return code == 0 ? 0 : 1;
}
