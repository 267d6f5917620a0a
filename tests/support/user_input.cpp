#include "user_input.h"

namespace KanvoTest {

INPUT KeyInput(WORD key, bool down) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    return input;
}

INPUT MouseInput(DWORD flags, DWORD data) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.mouseData = data;
    return input;
}

INPUT PointerMoveInput(POINT screen) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
    // Normalised to 0..65535 and rounded up, so that the system's scaling
    // back (x = dx * width / 65536) lands on the wanted pixel.
    input.mi.dx = static_cast<LONG>((screen.x * 65536 + width - 1) / width);
    input.mi.dy = static_cast<LONG>((screen.y * 65536 + height - 1) / height);
    return input;
}

void Send(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void MovePointerTo(POINT screen) { Send({PointerMoveInput(screen)}); }

void Press(WORD key, WORD heldKey) {
    std::vector<INPUT> inputs;
    if (heldKey) inputs.push_back(KeyInput(heldKey, true));
    inputs.push_back(KeyInput(key, true));
    inputs.push_back(KeyInput(key, false));
    if (heldKey) inputs.push_back(KeyInput(heldKey, false));
    Send(inputs);
}

void Type(const wchar_t* text) {
    for (; *text; ++text) Press(static_cast<WORD>(VkKeyScanW(*text) & 0xFF));
}

void ClickAt(POINT screen) {
    Send({PointerMoveInput(screen), MouseInput(MOUSEEVENTF_LEFTDOWN),
          MouseInput(MOUSEEVENTF_LEFTUP)});
}

void Click(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    ClickAt({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

}  // namespace KanvoTest
