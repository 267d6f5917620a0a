// A user's hands for tests: keys and mouse through SendInput, the system's
// own input path, so that they reach whichever window is in front and under
// the pointer, as real input does.
#pragma once

#include <windows.h>

#include <vector>

namespace KanvoTest {

INPUT KeyInput(WORD key, bool down);
INPUT MouseInput(DWORD flags, DWORD data = 0);
// An absolute pointer move to a screen point.
INPUT PointerMoveInput(POINT screen);
void Send(std::vector<INPUT> inputs);

void MovePointerTo(POINT screen);
// A key pressed and released, with `heldKey` (e.g. VK_CONTROL) held around it.
void Press(WORD key, WORD heldKey = 0);
// Lower-case letters and digits, one key each.
void Type(const wchar_t* text);
// A left click at a screen point, or in the middle of a window.
void ClickAt(POINT screen);
void Click(HWND window);

}  // namespace KanvoTest
