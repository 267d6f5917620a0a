// Keys typed into the graphics window, written into the program's console
// input as records of the kind the console itself makes, so that _kbhit and
// _getch see them whichever console host shows the console (some have no
// window that messages could be posted to).
#include "graphics_window.h"

#include <algorithm>

namespace Kanvo {
namespace {

DWORD ControlKeyState() {
    DWORD state = 0;
    if (GetKeyState(VK_SHIFT) < 0) state |= SHIFT_PRESSED;
    if (GetKeyState(VK_LCONTROL) < 0) state |= LEFT_CTRL_PRESSED;
    if (GetKeyState(VK_RCONTROL) < 0) state |= RIGHT_CTRL_PRESSED;
    if (GetKeyState(VK_LMENU) < 0) state |= LEFT_ALT_PRESSED;
    if (GetKeyState(VK_RMENU) < 0) state |= RIGHT_ALT_PRESSED;
    if (GetKeyState(VK_CAPITAL) & 1) state |= CAPSLOCK_ON;
    if (GetKeyState(VK_NUMLOCK) & 1) state |= NUMLOCK_ON;
    return state;
}

void WriteKeyRecord(HANDLE input, bool down, WPARAM virtualKey, LPARAM lParam, wchar_t character) {
    INPUT_RECORD record = {};
    record.EventType = KEY_EVENT;
    KEY_EVENT_RECORD& key = record.Event.KeyEvent;
    key.bKeyDown = down;
    key.wRepeatCount = down ? std::max<WORD>(1, LOWORD(lParam)) : 1;
    key.wVirtualKeyCode = static_cast<WORD>(virtualKey);
    key.wVirtualScanCode = static_cast<WORD>((lParam >> 16) & 0xFF);
    key.uChar.UnicodeChar = character;
    key.dwControlKeyState = ControlKeyState();
    DWORD written = 0;
    WriteConsoleInputW(input, &record, 1, &written);
}

// The character of each virtual key's last key-down, repeated in its key-up
// record as the console does. Used on the window thread only.
wchar_t g_characterOfKey[256] = {};

}  // namespace

void ForwardKeyToConsole(HANDLE input, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Ctrl+Break must never reach the program as a key.
    if (!input || wParam == VK_CANCEL) return;
    if (message == WM_KEYDOWN) {
        // TranslateMessage has already queued the key's character, if it has one.
        wchar_t character = 0;
        MSG next;
        if (PeekMessageW(&next, window, WM_CHAR, WM_CHAR, PM_REMOVE) && next.wParam != VK_CANCEL)
            character = static_cast<wchar_t>(next.wParam);
        g_characterOfKey[wParam & 0xFF] = character;
        WriteKeyRecord(input, true, wParam, lParam, character);
    } else if (message == WM_KEYUP) {
        WriteKeyRecord(input, false, wParam, lParam, g_characterOfKey[wParam & 0xFF]);
    } else if (message == WM_CHAR && wParam >= 0x80) {
        // A character without a key of its own (an input method, another
        // program); below 0x80 only the keys' own characters are taken.
        const wchar_t character = static_cast<wchar_t>(wParam);
        WriteKeyRecord(input, true, 0, 0, character);
        WriteKeyRecord(input, false, 0, 0, character);
    }
}

}  // namespace Kanvo
