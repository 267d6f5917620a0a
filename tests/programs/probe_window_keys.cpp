// Opens a window and prints each key record that reaches its console input,
// one line each: "down" or "up", virtual key, scan code and character, in
// decimal. Ends with exit code 0 at the key-up of F12 (the end mark, not
// printed), with 3 when none comes within 20 s.
#include <kanvo.h>

#include <cstdio>

int main() {
    OpenGraphWindow(200, 100);
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 20000) {
        INPUT_RECORD record = {};
        DWORD read = 0;
        if (WaitForSingleObject(input, 100) != WAIT_OBJECT_0) continue;
        if (!ReadConsoleInputW(input, &record, 1, &read) || read == 0) continue;
        if (record.EventType != KEY_EVENT) continue;
        const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
        if (key.wVirtualKeyCode == VK_F12) {
            if (key.bKeyDown) continue;
            CloseGraphWindow();
            return 0;
        }
        std::printf("%s %u %u %u\n", key.bKeyDown ? "down" : "up", key.wVirtualKeyCode,
                    key.wVirtualScanCode, static_cast<unsigned>(key.uChar.UnicodeChar));
    }
    return 3;
}
