// Starting a program whose console has no window.
#include "headless_program.h"

#include "program_driver.h"

namespace KanvoTest {

HeadlessProgram::~HeadlessProgram() {
    if (!info_.hProcess) return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, 5000);
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
}

bool HeadlessProgram::Start(const std::wstring& commandLine, const std::wstring& outputPath,
                            const std::wstring& directory) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    const HANDLE output = outputPath.empty()
                              ? nullptr
                              : CreateFileW(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                            &inheritable, CREATE_ALWAYS, 0, nullptr);
    if (output == INVALID_HANDLE_VALUE) return false;
    if (output) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
    }
    std::wstring line = commandLine;  // CreateProcessW may write into it
    const bool started =
        CreateProcessW(nullptr, line.data(), nullptr, nullptr, output != nullptr, CREATE_NO_WINDOW,
                       nullptr, directory.empty() ? nullptr : directory.c_str(), &startup,
                       &info_) != FALSE;
    if (output) CloseHandle(output);
    return started;
}

HWND HeadlessProgram::WaitForWindow(DWORD timeoutMs) {
    for (const DWORD start = GetTickCount(); GetTickCount() - start < timeoutMs;) {
        if (HWND found = FindVisibleWindow(info_.dwProcessId, L"KanvoWnd")) return found;
        if (WaitForSingleObject(info_.hProcess, 20) == WAIT_OBJECT_0) break;
    }
    return nullptr;
}

DWORD HeadlessProgram::WaitForExit(DWORD timeoutMs) {
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

}  // namespace KanvoTest
