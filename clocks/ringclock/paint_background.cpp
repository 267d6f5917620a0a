// Paints the ring clock's background picture and saves it as a PNG file:
//   ringclock_background <file.png>
// A night sky with a glow where the clock's rings stand, scattered stars and
// two ranges of hills. The clock pastes it so that picture point (680, 305)
// lies at the window's centre; 1000 x 545 pixels cover the whole window.
#include <kanvo.h>

#include <algorithm>
#include <cmath>

namespace {

const int kWidth = 1000, kHeight = 545;
const double kFocusX = 680, kFocusY = 305;

// A small fixed pseudo-random sequence, the same on every system.
unsigned NextRandom(unsigned& state) {
    state = state * 1103515245u + 12345u;
    return (state >> 16) & 0x7FFF;
}

int Mix(int a, int b, double weight) {
    return static_cast<int>(a + (b - a) * weight);
}

// The sky from deep blue at the top to violet at the horizon, with a soft
// teal glow around the focus.
void PaintSky() {
    DWORD* pixels = GetSurfacePixels(GetTargetImage());
    for (int y = 0; y < kHeight; ++y) {
        const double down = static_cast<double>(y) / kHeight;
        for (int x = 0; x < kWidth; ++x) {
            const double dx = x - kFocusX, dy = y - kFocusY;
            const double glow = std::exp(-(dx * dx + dy * dy) / (2 * 150.0 * 150.0));
            const int red = Mix(Mix(8, 58, down), 40, glow * 0.6);
            const int green = Mix(Mix(14, 28, down), 110, glow * 0.6);
            const int blue = Mix(Mix(42, 92, down), 150, glow * 0.6);
            pixels[y * kWidth + x] = static_cast<DWORD>(red << 16 | green << 8 | blue);
        }
    }
}

void PaintStars() {
    unsigned state = 20210224u;
    for (int i = 0; i < 420; ++i) {
        const int x = static_cast<int>(NextRandom(state) % kWidth);
        const int y = static_cast<int>(NextRandom(state) % (kHeight - 120));
        const int level = 120 + static_cast<int>(NextRandom(state) % 136);
        if (std::hypot(x - kFocusX, y - kFocusY) < 140) continue;  // keep the glow clear
        SetInteriorColor(RGB(level, level, std::min(255, level + 30)));
        if (NextRandom(state) % 9 == 0)
            PaintCircle(x, y, 2);
        else
            SetPixelColor(x, y, RGB(level, level, std::min(255, level + 30)));
    }
}

// A range of hills: a polygon along a sum of two waves, closed at the bottom.
void PaintHills(int base, double height, double phase, COLORREF color) {
    POINT outline[kWidth / 10 + 3];
    int count = 0;
    for (int x = 0; x <= kWidth; x += 10) {
        const double wave = std::sin(x / 97.0 + phase) + 0.5 * std::sin(x / 41.0 + 2 * phase);
        outline[count++] = {x, base - static_cast<int>(height * (1 + wave))};
    }
    outline[count++] = {kWidth, kHeight};
    outline[count++] = {0, kHeight};
    SetInteriorColor(color);
    PaintPolygon(outline, count);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) return 2;
    IMAGE picture(kWidth, kHeight);
    SetTargetImage(&picture);
    PaintSky();
    PaintStars();
    PaintHills(480, 30, 0.7, RGB(34, 24, 60));
    PaintHills(520, 22, 2.9, RGB(16, 12, 32));
    SetTargetImage(nullptr);
    WriteImageFile(argv[1], &picture);
    return 0;
}
