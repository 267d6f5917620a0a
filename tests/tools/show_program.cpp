// Shows a program as a user would run it: with a console of its own, until
// Enter arrives on standard input (or for a number of seconds), then types a
// key into its console and reports how it ended. Optionally saves a picture
// of its window.
//
//   show_program <program.exe> [--cwd <dir>] [--seconds <n>] [--screenshot <file.png>]
#include "program_driver.h"

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

DWORD WINAPI WaitForEnter(LPVOID event) {
    char buffer[64];
    DWORD read = 0;
    ReadFile(GetStdHandle(STD_INPUT_HANDLE), buffer, sizeof buffer, &read, nullptr);
    SetEvent(static_cast<HANDLE>(event));
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fwprintf(stderr, L"usage: show_program <program.exe> [--cwd <dir>] [--seconds <n>] [--delay <ms>] "
                              L"[--screenshot <file.png>]\n");
        return 2;
    }
    std::wstring program = argv[1], directory, screenshot;
    int seconds = 0;
    DWORD delayMs = 2500;  // let the program draw a few frames first
    for (int i = 2; i + 1 < argc; i += 2) {
        if (!std::wcscmp(argv[i], L"--cwd")) directory = argv[i + 1];
        else if (!std::wcscmp(argv[i], L"--seconds")) seconds = _wtoi(argv[i + 1]);
        else if (!std::wcscmp(argv[i], L"--screenshot")) screenshot = argv[i + 1];
        else if (!std::wcscmp(argv[i], L"--delay")) delayMs = static_cast<DWORD>(_wtoi(argv[i + 1]));
    }

    KanvoTest::ProgramDriver driver;
    if (!driver.Start(L"\"" + program + L"\"", directory)) {
        std::fwprintf(stderr, L"cannot start %ls\n", program.c_str());
        return 2;
    }
    HWND window = driver.WaitForWindow();
    if (!window) {
        std::fwprintf(stderr, L"%ls opened no window\n", program.c_str());
        return 2;
    }
    if (!screenshot.empty()) {
        Sleep(delayMs);
        if (KanvoTest::SavePicture(KanvoTest::CaptureClientArea(window), screenshot))
            std::fwprintf(stderr, L"picture of the window: %ls\n", screenshot.c_str());
    }

    HANDLE stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (seconds <= 0) CloseHandle(CreateThread(nullptr, 0, WaitForEnter, stop, 0, nullptr));
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, driver.ProcessId());
    HANDLE waits[2] = {stop, process};
    WaitForMultipleObjects(process ? 2 : 1, waits, FALSE,
                           seconds > 0 ? static_cast<DWORD>(seconds) * 1000 : INFINITE);
    if (process) CloseHandle(process);
    CloseHandle(stop);

    driver.TypeKeyInConsole(L' ');
    const DWORD code = driver.WaitForExit(10000);
    std::fwprintf(stderr, L"%ls ended with exit code %lu\n", program.c_str(), code);
    return code == 0 ? 0 : 1;
}
