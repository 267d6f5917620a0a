// One frame of the digit-tube clock: blobs and sprites added on the float
// canvas, then the canvas copied into the window's pixels.
#include "nixie_drawing.h"

#include <algorithm>

namespace {

constexpr int kDigitX[6] = {20, 180, 420, 580, 820, 980};
constexpr int kDigitY = 20;
constexpr int kDotX[4] = {320, 360, 720, 760};
constexpr int kDotY = 220;

}  // namespace

void AddSprite(Canvas& canvas, const Sprite& sprite, int x, int y) {
    Sprite& target = canvas.buffer;
    // Only the part of the sprite that lies on the canvas.
    const int left = std::max(0, -x), top = std::max(0, -y);
    const int right = std::min(sprite.width, target.width - x);
    const int bottom = std::min(sprite.height, target.height - y);
    for (int m = top; m < bottom; ++m)
        for (int n = left; n < right; ++n) {
            const float* source = sprite.At(n, m);
            float* pixel = target.At(x + n, y + m);
            for (int k = 0; k < 3; ++k)
                if (source[k] > 0) pixel[k] = std::min(pixel[k] + source[k], 255.0f);
        }
}

void ShowTime(TubeDisplay& display, Canvas& canvas) {
    _time64(&display.now);
    _localtime64_s(&display.local, &display.now);
    ShowTimeAt(display, canvas, display.local);
}

void ShowTimeAt(TubeDisplay& display, Canvas& canvas, const tm& t) {
    if (t.tm_sec != display.lastSecond) {
        display.phase = !display.phase;
        display.lastSecond = t.tm_sec;
    }
    const Sprite* sprites = display.sprites;
    if (display.ready) {
        // A time that could not be broken down (its fields are -1) shows no digits.
        const bool valid = t.tm_hour >= 0 && t.tm_hour <= 23 && t.tm_min >= 0 && t.tm_min <= 59 &&
                           t.tm_sec >= 0 && t.tm_sec <= 60;
        const int places[6] = {t.tm_hour / 10, t.tm_hour % 10, t.tm_min / 10,
                               t.tm_min % 10,  t.tm_sec / 10,  t.tm_sec % 10};
        for (int i = 0; valid && i < 6; ++i)
            AddSprite(canvas, sprites[places[i]], kDigitX[i], kDigitY);
        // The outer dots of each pair are lit while the phase is on, the
        // inner ones while it is off.
        const Sprite& outer = sprites[display.phase ? kLitDotSprite : kDimDotSprite];
        const Sprite& inner = sprites[display.phase ? kDimDotSprite : kLitDotSprite];
        AddSprite(canvas, outer, kDotX[0], kDotY);
        AddSprite(canvas, inner, kDotX[1], kDotY);
        AddSprite(canvas, inner, kDotX[2], kDotY);
        AddSprite(canvas, outer, kDotX[3], kDotY);
        return;
    }
    // The start-up test: 100 frames all lit, then 100 frames all dim.
    const bool lit = display.frame < 100;
    const Sprite& digit = sprites[lit ? kAllLitSprite : kAllDimSprite];
    const Sprite& dot = sprites[lit ? kLitDotSprite : kDimDotSprite];
    for (int x : kDigitX) AddSprite(canvas, digit, x, kDigitY);
    for (int x : kDotX) AddSprite(canvas, dot, x, kDotY);
    if (++display.frame >= 200) display.ready = true;
}

void CopyCanvas(const Canvas& canvas) {
    if (!canvas.window) return;
    const Sprite& source = canvas.buffer;
    const size_t count = static_cast<size_t>(source.width) * source.height;
    for (size_t i = 0; i < count; ++i) {
        const float* px = &source.pixels[i * 4];
        const DWORD rgb = (static_cast<DWORD>(px[0]) << 16) | (static_cast<DWORD>(px[1]) << 8) |
                          static_cast<DWORD>(px[2]);
        canvas.window[i] = (canvas.window[i] & 0xFF000000u) | rgb;
    }
}

void DrawFrame(TubeDisplay& display, Canvas& canvas, std::vector<Glow>& glows) {
    std::fill(canvas.buffer.pixels.begin(), canvas.buffer.pixels.end(), 0.0f);
    for (Glow& glow : glows) {
        DriftGlow(glow);
        AddSprite(canvas, glow.sprite, glow.ix, glow.iy);
    }
    ShowTime(display, canvas);
    CopyCanvas(canvas);
}
