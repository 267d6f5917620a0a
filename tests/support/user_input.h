// A user's hands for tests: keys through SendInput, the system's own input
// path, so that they reach whichever window is in front, as real input does;
// and a wait for what they bring about.
#pragma once

#include <windows.h>

#include <functional>

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
// A key pressed and released.
inline void Press(WORD key) {
    INPUT inputs[] = {KeyInput(key, true), KeyInput(key, false)};
    SendInput(2, inputs, sizeof(INPUT));
}
// Lower-case letters and digits, one key each.
inline void Type(const wchar_t* text) {
    for (; *text; ++text) Press(static_cast<WORD>(VkKeyScanW(*text) & 0xFF));
}

}  // namespace KanvoTest
