// Keys typed into the graphics window reach the program's console input as
// key records (key-down and key-up, with virtual key, scan code and
// character); Ctrl+Break never does.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "program_driver.h"

namespace {

using namespace KanvoTest;

struct KeyMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// lParam of a key message: repeat count 1, the scan code, and for a key-up
// the previous-state and transition bits.
LPARAM KeyParameter(UINT scanCode, bool up) {
    return static_cast<LPARAM>(1u | (scanCode << 16) | (up ? 0xC0000000u : 0u));
}

// The key records that the console of the probe program, which has no window,
// receives when `messages` and
// then F12 (its end mark) are sent to its window.
std::string RecordsFor(const std::vector<KeyMessage>& messages) {
    const std::wstring output = ProgramDirectory() + L"probe_window_keys_" +
                                std::to_wstring(GetCurrentProcessId()) + L".txt";
    ProgramDriver program;
    program.SendOutputTo(output);
    const std::wstring command = L"\"" + ProgramDirectory() + L"probe_window_keys.exe\"";
    if (!program.Start(command, L"", ProgramDriver::Console::kWithoutWindow)) return "no start";
    const HWND window = program.WaitForWindow();
    if (!window) return "no window";
    for (const KeyMessage& m : messages) PostMessageW(window, m.message, m.wParam, m.lParam);
    PostMessageW(window, WM_KEYDOWN, VK_F12, KeyParameter(0x58, false));
    PostMessageW(window, WM_KEYUP, VK_F12, KeyParameter(0x58, true));
    const DWORD exitCode = program.WaitForExit(15000);
    const std::string records = FileText(output);
    DeleteFileW(output.c_str());
    return exitCode == 0 ? records : "no end mark";
}

TEST(WindowKeys, KeyReachesTheConsoleAsKeyDownAndKeyUpWithItsCharacter) {
    const std::string records = RecordsFor(
        {{WM_KEYDOWN, 'Q', KeyParameter(0x10, false)}, {WM_KEYUP, 'Q', KeyParameter(0x10, true)}});
    EXPECT_EQ(records, "down 81 16 113\nup 81 16 113\n");
}

TEST(WindowKeys, CharacterFrom0x80UpReachesTheConsole) {
    const std::string records = RecordsFor({{WM_CHAR, 0xE9, KeyParameter(0, false)}});
    EXPECT_EQ(records, "down 0 0 233\nup 0 0 233\n");
}

TEST(WindowKeys, CharacterBelow0x80WithoutItsKeyDoesNotReachTheConsole) {
    const std::string records = RecordsFor({{WM_CHAR, 'q', KeyParameter(0x10, false)}});
    EXPECT_EQ(records, "");
}

TEST(WindowKeys, CtrlBreakDoesNotReachTheConsole) {
    const std::string records = RecordsFor({{WM_KEYDOWN, VK_CANCEL, KeyParameter(0x46, false)},
                                            {WM_KEYUP, VK_CANCEL, KeyParameter(0x46, true)}});
    EXPECT_EQ(records, "");
}

}  // namespace
