// spiralclock: bar hands, a running second dot and thirty particles that
// spiral out of the centre, about thirty frames a second. A key pressed in
// the console ends it; the library closes the window as the program ends.
#include <kanvo.h>

#include <conio.h>
#include <time.h>

#include <cstdlib>

#include "spiral_drawing.h"

int main() {
    std::srand(static_cast<unsigned>(_time64(nullptr)));
    OpenGraphWindow(640, 480, 0);
    DrawFace();
    for (int i = 0; i < kParticleCount; ++i) ResetParticle(i);

    __time64_t IT;
    tm t;
    while (!_kbhit()) {
        for (int j = 0; j < kParticleCount; ++j) MoveParticle(320, 240, j);
        _time64(&IT);
        _localtime64_s(&t, &IT);
        DrawHandsAndFlush(t.tm_hour, t.tm_min, t.tm_sec);
    }
    return 0;
}
