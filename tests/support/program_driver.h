// Drives a real program the way a user would: starts it with a console of its
// own, finds its graphics window, reads the window's pixels from the screen,
// types a key into its console or uses the window's close box.
#pragma once

// Without it, MSVC's <windows.h> makes min and max macros that break std::max.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>
#include <vector>

namespace KanvoTest {

struct ScreenCapture {
    int width = 0, height = 0;
    std::vector<DWORD> pixels;  // 0x00RRGGBB, rows top to bottom
    DWORD At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
    // The same, or 0xFF000000 (no pixel value) outside the capture.
    DWORD operator()(int x, int y) const {
        return x >= 0 && y >= 0 && x < width && y < height ? At(x, y) : 0xFF000000u;
    }
};

// The pixels of a window's client area as the screen shows them.
ScreenCapture CaptureClientArea(HWND window);
// The pixels of a window of this process through its own device context
// (independent of other windows that may cover it on the screen).
ScreenCapture CaptureWindowDc(HWND window);
// A visible window of the class that belongs to the process, or null.
HWND FindVisibleWindow(DWORD processId, const wchar_t* windowClass);
// Saves a capture in the format of the path's extension; false when no file was written.
bool SavePicture(const ScreenCapture& capture, const std::wstring& path);
// Directory of the running test program, with a trailing backslash.
std::wstring ProgramDirectory();
// The window's title.
std::wstring WindowTitle(HWND window);
// The whole text of a file (a program's standard output); empty when it cannot be read.
std::string FileText(const std::wstring& path);

class ProgramDriver {
public:
    ProgramDriver() = default;
    ProgramDriver(const ProgramDriver&) = delete;
    ProgramDriver& operator=(const ProgramDriver&) = delete;
    ~ProgramDriver();  // ends the program if it still runs

    // The console a started program gets: a new one with its window; a new
    // one without a window, which nothing can post keys to, so that keys reach
    // its input only as input records; or none.
    enum class Console { kNew, kWithoutWindow, kNone };
    // Starts `commandLine` in `workingDirectory` (empty = the current one).
    bool Start(const std::wstring& commandLine, const std::wstring& workingDirectory = L"",
               Console console = Console::kNew);
    // Makes the next Start send the program's standard output to `path`
    // (created anew) instead of its console; empty for the console again.
    void SendOutputTo(const std::wstring& path) { outputPath_ = path; }
    // Waits until the program shows a visible window of `windowClass`.
    HWND WaitForWindow(const wchar_t* windowClass = L"KanvoWnd", DWORD timeoutMs = 15000);
    // Types one key into the program's console (a key-down and key-up record);
    // false when its console could not be reached in about a second, or the
    // program has ended.
    bool TypeKeyInConsole(wchar_t key);
    // Uses the window's close box (the system menu's close command).
    bool PressCloseBox() { return window_ && PostMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0); }
    // Waits for the program to end; its exit code, or STILL_ACTIVE.
    DWORD WaitForExit(DWORD timeoutMs);
    DWORD ProcessId() const { return info_.dwProcessId; }
    HWND Window() const { return window_; }

private:
    PROCESS_INFORMATION info_ = {};
    HWND window_ = nullptr;
    std::wstring outputPath_;
};

}  // namespace KanvoTest
