#include "program_driver.h"

#include <kanvo.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace KanvoTest {
namespace {

struct WindowSearch {
    DWORD processId;
    const wchar_t* windowClass;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (owner == search->processId && IsWindowVisible(window) &&
        lstrcmpW(className, search->windowClass) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindVisibleWindow(DWORD processId, const wchar_t* windowClass) {
    WindowSearch search = {processId, windowClass, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

namespace {

ScreenCapture CaptureFrom(HWND window, bool fromScreen) {
    ScreenCapture capture;
    RECT client = {};
    if (!GetClientRect(window, &client)) return capture;
    POINT origin = {0, 0};
    if (fromScreen) ClientToScreen(window, &origin);
    capture.width = client.right;
    capture.height = client.bottom;
    if (capture.width <= 0 || capture.height <= 0) return capture;
    capture.pixels.resize(static_cast<size_t>(capture.width) * capture.height);

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = capture.width;
    info.bmiHeader.biHeight = -capture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HWND source = fromScreen ? nullptr : window;
    HDC screen = GetDC(source);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, capture.width, capture.height, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    memcpy(capture.pixels.data(), bits, capture.pixels.size() * sizeof(DWORD));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(source, screen);
    return capture;
}

}  // namespace

ScreenCapture CaptureClientArea(HWND window) { return CaptureFrom(window, true); }
ScreenCapture CaptureWindowDc(HWND window) { return CaptureFrom(window, false); }

bool SavePicture(const ScreenCapture& capture, const std::wstring& path) {
    if (capture.width <= 0 || capture.height <= 0) return false;
    IMAGE picture(capture.width, capture.height);
    DWORD* pixels = GetSurfacePixels(&picture);
    if (!pixels) return false;
    std::copy(capture.pixels.begin(), capture.pixels.end(), pixels);
    DeleteFileW(path.c_str());
    WriteImageFile(path.c_str(), &picture);
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

ProgramDriver::~ProgramDriver() {
    if (info_.hProcess) {
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(info_.hProcess, 1);
            WaitForSingleObject(info_.hProcess, 5000);
        }
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
    }
}

bool ProgramDriver::Start(const std::wstring& commandLine, const std::wstring& workingDirectory,
                          bool withConsole) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    HANDLE output = INVALID_HANDLE_VALUE;
    if (!outputPath_.empty()) {
        SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
        output = CreateFileW(outputPath_.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inheritable,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (output == INVALID_HANDLE_VALUE) return false;
        // Input stays unset: the console keyboard functions open the console
        // themselves.
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
    }
    std::wstring mutableLine = commandLine;
    const bool started =
        CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr,
                       output != INVALID_HANDLE_VALUE,
                       withConsole ? CREATE_NEW_CONSOLE : DETACHED_PROCESS, nullptr,
                       workingDirectory.empty() ? nullptr : workingDirectory.c_str(), &startup,
                       &info_) != FALSE;
    if (output != INVALID_HANDLE_VALUE) CloseHandle(output);
    return started;
}

HWND ProgramDriver::WaitForWindow(const wchar_t* windowClass, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if (HWND found = FindVisibleWindow(info_.dwProcessId, windowClass)) return window_ = found;
        if (WaitForSingleObject(info_.hProcess, 20) == WAIT_OBJECT_0) break;
    }
    return nullptr;
}

bool ProgramDriver::TypeKeyInConsole(wchar_t key) {
    FreeConsole();
    if (!AttachConsole(info_.dwProcessId)) return false;
    HANDLE input = CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    bool ok = false;
    if (input != INVALID_HANDLE_VALUE) {
        INPUT_RECORD records[2] = {};
        for (int i = 0; i < 2; ++i) {
            records[i].EventType = KEY_EVENT;
            records[i].Event.KeyEvent.bKeyDown = i == 0;
            records[i].Event.KeyEvent.wRepeatCount = 1;
            records[i].Event.KeyEvent.wVirtualKeyCode = static_cast<WORD>(VkKeyScanW(key) & 0xFF);
            records[i].Event.KeyEvent.uChar.UnicodeChar = key;
        }
        DWORD written = 0;
        ok = WriteConsoleInputW(input, records, 2, &written) && written == 2;
        CloseHandle(input);
    }
    FreeConsole();
    return ok;
}

bool ProgramDriver::PressCloseBox() {
    return window_ && PostMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
}

DWORD ProgramDriver::WaitForExit(DWORD timeoutMs) {
    if (WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

std::wstring ProgramDirectory() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring directory = path;
    return directory.substr(0, directory.find_last_of(L'\\') + 1);
}

bool SetFakeTime(const char* localTime) {
    const char* file = std::getenv("FAKETIME_TIMESTAMP_FILE");
    if (!file || file[0] != '/') return false;
    // The Unix path as Wine's drive Z: sees it.
    std::string path = std::string("Z:") + file;
    for (char& c : path)
        if (c == '/') c = '\\';
    // This process reads the file too, whenever its cached copy runs out, and
    // faketime ends a process that finds the file empty: write a new file
    // beside it and put it in place with one rename, so that no reader ever
    // sees it half written.
    const std::string written = path + ".new";
    FILE* out = std::fopen(written.c_str(), "w");
    if (!out) return false;
    const bool ok = std::fprintf(out, "@%s\n", localTime) > 0;
    if (std::fclose(out) != 0 || !ok) return false;
    return MoveFileExA(written.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
}

std::wstring ClockProgramDirectory(const std::wstring& name) {
    return ProgramDirectory() + L"..\\..\\clocks\\" + name + L"\\";
}

std::wstring ClockProgramPath(const std::wstring& name) {
    return ClockProgramDirectory(name) + name + L".exe";
}

HWND StartClockAt(ProgramDriver& program, const std::wstring& name, const char* localTime,
                  const std::wstring& directory) {
    if (!SetFakeTime(localTime) ||
        !program.Start(L"\"" + ClockProgramPath(name) + L"\"",
                       directory.empty() ? ClockProgramDirectory(name) : directory))
        return nullptr;
    return program.WaitForWindow();
}

std::wstring WindowTitle(HWND window) {
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    return title;
}

bool WaitForPixel(HWND window, int x, int y, DWORD pixel, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    do {
        const ScreenCapture shown = CaptureClientArea(window);
        if (x < shown.width && y < shown.height && shown.At(x, y) == pixel) return true;
        Sleep(50);
    } while (GetTickCount() - start < timeoutMs);
    return false;
}

}  // namespace KanvoTest
