// The separable blur that spreads a sprite's alpha into a glow.
#include "tube_sprite.h"

#include <algorithm>

namespace {

// Centre tap, then offsets 1 to 7 on both sides.
constexpr float kKernel[8] = {0.22764182f,  0.1934412f,    0.118697f,     0.05259257f,
                              0.016826855f, 0.0038875442f, 0.0006485472f, 0.000078127094f};
constexpr int kReach = 7;

// Blurs across n lines of `length` contiguous values each: line i of `out` is
// the sum over k = -7 ... 7 of kernel(k) x line i + k of `in`, leaving out
// lines past either end. Every value adds its taps in order of k, as a plain
// per-pixel loop would, but a whole line at a time over contiguous memory.
void BlurAcrossLines(const float* in, float* out, int n, int length) {
    std::fill(out, out + static_cast<size_t>(length) * n, 0.0f);
    for (int k = -kReach; k <= kReach; ++k) {
        const float weight = kKernel[k < 0 ? -k : k];
        const int first = std::max(0, -k), last = std::min(n, n - k);
        for (int i = first; i < last; ++i) {
            const float* source = in + static_cast<size_t>(i + k) * length;
            float* target = out + static_cast<size_t>(i) * length;
            for (int j = 0; j < length; ++j) target[j] += weight * source[j];
        }
    }
}

}  // namespace

void BlurAlpha(Sprite& sprite, std::vector<float>& scratch) {
    const int w = sprite.width, h = sprite.height;
    if (w <= 0 || h <= 0) return;
    const size_t count = static_cast<size_t>(w) * h;
    // Alpha plane, transposed (column-major), and a second plane.
    scratch.resize(2 * count);
    float* columns = scratch.data();
    float* blurred = columns + count;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) columns[static_cast<size_t>(x) * h + y] = sprite.At(x, y)[3];
    // Along rows: in the transposed plane each column is a line.
    BlurAcrossLines(columns, blurred, w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            columns[static_cast<size_t>(y) * w + x] = blurred[static_cast<size_t>(x) * h + y];
    // Along columns: each row is a line.
    BlurAcrossLines(columns, blurred, h, w);
    for (size_t i = 0; i < count; ++i) sprite.pixels[i * 4 + 3] = blurred[i];
}
