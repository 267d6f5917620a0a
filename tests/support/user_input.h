// A user's hands for tests: keys and mouse through SendInput, the system's
// own input path, so that they reach whichever window is in front and under
// the pointer, as real input does.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace KanvoTest {

// Polls `condition` every 10 ms until it holds (true) or `timeoutMs` have passed (false).
inline bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000) {
    for (const DWORD start = GetTickCount(); !condition(); Sleep(10))
        if (GetTickCount() - start > timeoutMs) return false;
    return true;
}

inline INPUT KeyInput(WORD key, bool down) {
    INPUT input = {INPUT_KEYBOARD, {}};
    input.ki = {key, 0, static_cast<DWORD>(down ? 0 : KEYEVENTF_KEYUP), 0, 0};
    return input;
}
inline INPUT MouseInput(DWORD flags, DWORD data = 0, LONG x = 0, LONG y = 0) {
    return {INPUT_MOUSE, {{x, y, data, flags, 0, 0}}};
}
// An absolute pointer move to a screen point: normalised to 0..65535 and
// rounded up, so that the system's scaling back (x = dx * width / 65536)
// lands on the wanted pixel.
inline INPUT PointerMoveInput(POINT at) {
    const LONG width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    return MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, 0,
                      (at.x * 65536 + width - 1) / width, (at.y * 65536 + height - 1) / height);
}
inline void Send(std::vector<INPUT> in) {
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

// A key pressed and released, with `heldKey` (e.g. VK_CONTROL) held around it.
inline void Press(WORD key, WORD heldKey = 0) {
    std::vector<INPUT> inputs = {KeyInput(key, true), KeyInput(key, false)};
    if (heldKey) inputs = {KeyInput(heldKey, true), inputs[0], inputs[1], KeyInput(heldKey, false)};
    Send(inputs);
}
// Lower-case letters and digits, one key each.
inline void Type(const wchar_t* text) {
    for (; *text; ++text) Press(static_cast<WORD>(VkKeyScanW(*text) & 0xFF));
}
// A left click in the middle of a window, once the pointer is there (a
// click sent with the move may still land where the pointer was).
inline void Click(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    const POINT at = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    Send({PointerMoveInput(at)});
    WaitUntil(
        [&] {
            POINT p = {};
            return GetCursorPos(&p) && p.x == at.x && p.y == at.y;
        },
        1000);
    Send({MouseInput(MOUSEEVENTF_LEFTDOWN), MouseInput(MOUSEEVENTF_LEFTUP)});
}

}  // namespace KanvoTest
