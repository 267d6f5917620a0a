// A program started as a console host without a window of its own runs it
// (a console created with CREATE_NO_WINDOW): nothing can be posted to its
// console's window, so keys reach its console input only as input records.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>

namespace KanvoTest {

class HeadlessProgram {
public:
    HeadlessProgram() = default;
    HeadlessProgram(const HeadlessProgram&) = delete;
    HeadlessProgram& operator=(const HeadlessProgram&) = delete;
    ~HeadlessProgram();  // ends the program if it still runs

    // Starts `commandLine` in `directory` (empty: the current one), its
    // standard output to `outputPath` (empty: its console).
    bool Start(const std::wstring& commandLine, const std::wstring& outputPath = L"",
               const std::wstring& directory = L"");
    // Its visible graphics window, once it shows; null after the timeout.
    HWND WaitForWindow(DWORD timeoutMs = 15000);
    // Its exit code once it has ended, or STILL_ACTIVE after the timeout.
    DWORD WaitForExit(DWORD timeoutMs);

private:
    PROCESS_INFORMATION info_ = {};
};

}  // namespace KanvoTest
