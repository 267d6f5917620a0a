// A fire effect drawn pixel by pixel through the window's surface buffer.
// Surface pixels are 0x00RRGGBB, so colours made with RGB() go through
// ColorToPixel first.
#include <kanvo.h>

#include <conio.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

int main() {
    const int width = 320, height = 200;
    OpenGraphWindow(width, height);
    DWORD palette[256];  // heat 0..255: black, red, yellow, white
    for (int i = 0; i < 256; ++i)
        palette[i] = ColorToPixel(RGB(std::min(255, i * 3), std::clamp(i * 3 - 255, 0, 255),
                                      std::clamp(i * 3 - 510, 0, 255)));
    std::vector<int> heat(width * height, 0);

    BeginBatch();
    while (!_kbhit()) {
        for (int x = 0; x < width; ++x) heat[(height - 1) * width + x] = rand() % 2 ? 255 : 40;
        // Each pixel takes the average of the pixels below it, a little cooler.
        for (int y = 0; y < height - 1; ++y)
            for (int x = 1; x < width - 1; ++x) {
                const int below = (y + 1) * width + x;
                const int sum = heat[below - 1] + heat[below] + heat[below + 1] +
                                heat[std::min(y + 2, height - 1) * width + x];
                heat[y * width + x] = std::max(0, sum / 4 - 1);
            }
        DWORD* pixels = GetSurfacePixels();
        for (int i = 0; i < width * height; ++i) pixels[i] = palette[heat[i]];
        FlushBatch();
        Sleep(15);
    }
    EndBatch();
    _getch();
    CloseGraphWindow();
    return 0;
}
