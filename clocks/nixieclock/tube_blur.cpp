// The separable blur that spreads a sprite's alpha into a glow.
#include "tube_sprite.h"

#include <algorithm>
#include <cstddef>

namespace {

// Centre tap, then offsets 1 to 7 on both sides.
constexpr float kKernel[8] = {0.22764182f,  0.1934412f,    0.118697f,     0.05259257f,
                              0.016826855f, 0.0038875442f, 0.0006485472f, 0.000078127094f};
constexpr int kReach = 7;

// One line of a blur: out[j] is the sum over k = -7 ... 7 of kernel(k) x
// in[j + k x step], the taps added in order of k. The taps past the sprite's
// edges read zeros from the padding, and adding a zero term leaves a sum of
// non-negative values unchanged, so this equals leaving those taps out. The
// line's sums stay in the first-level cache while the taps go over them.
void BlurLine(const float* in, std::ptrdiff_t step, float* out, int length) {
    std::fill(out, out + length, 0.0f);
    for (int k = -kReach; k <= kReach; ++k) {
        const float weight = kKernel[k < 0 ? -k : k];
        const float* source = in + k * step;
        for (int j = 0; j < length; ++j) out[j] += weight * source[j];
    }
}

}  // namespace

void BlurAlpha(Sprite& sprite, std::vector<float>& scratch) {
    const int w = sprite.width;
    const int h = sprite.height;
    if (w <= 0 || h <= 0) return;
    // The alpha plane with kReach zero columns either side, then the plane
    // blurred along rows with kReach zero rows above and below, then one row.
    const std::size_t paddedWidth = static_cast<std::size_t>(w) + 2 * kReach;
    const std::size_t paddedHeight = static_cast<std::size_t>(h) + 2 * kReach;
    const std::size_t alphaSize = paddedWidth * h;
    const std::size_t rowsBlurredSize = paddedHeight * w;
    scratch.assign(alphaSize + rowsBlurredSize + w, 0.0f);
    float* alpha = scratch.data();
    float* rowsBlurred = alpha + alphaSize;
    float* row = rowsBlurred + rowsBlurredSize;
    for (int y = 0; y < h; ++y) {
        float* line = alpha + y * paddedWidth + kReach;
        for (int x = 0; x < w; ++x) line[x] = sprite.At(x, y)[3];
    }
    for (int y = 0; y < h; ++y)
        BlurLine(alpha + y * paddedWidth + kReach, 1, rowsBlurred + (y + kReach) * w, w);
    for (int y = 0; y < h; ++y) {
        BlurLine(rowsBlurred + (y + kReach) * w, w, row, w);
        for (int x = 0; x < w; ++x) sprite.At(x, y)[3] = row[x];
    }
}
