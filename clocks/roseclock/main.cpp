// roseclock: an analogue clock with smooth hands, a rose curve whose petals
// follow the seconds and minutes, and particles drifting past the face. A key
// pressed in the console ends it (the key is left unread).
#include <kanvo.h>

#include <conio.h>

#include <cstdlib>
#include <ctime>

#include "rose_drawing.h"

int main() {
    OpenGraphWindow(700, 750, OPEN_WITHOUT_MINIMIZE_BOX);
    SetBackgroundColor(kRoseBackground);
    ClearTarget();
    BeginBatch();

    std::srand(static_cast<unsigned>(std::time(nullptr)));
    for (int i = 0; i < kParticleCount; ++i) {
        SpawnParticle(i);
        g_particles[i].x = std::rand() % 700;
    }

    // Passes numbered 1 to 300 and round again; a key is seen after any pass.
    int lastSecond = -1;
    int j = 1;
    while (!_kbhit()) {
        MoveParticles();
        SYSTEMTIME now;
        GetLocalTime(&now);
        DrawTimeStep(now, &j, &lastSecond);
        FlushBatch();
        Sleep(33);
        j = j % 300 + 1;
    }
    EndBatch();
    CloseGraphWindow();
    return 0;
}
