// The alpha plane on which a glow is built: strokes laid over it and the
// separable blur that spreads it, pass after pass.
#include "tube_sprite.h"

#include <algorithm>

namespace {

// Centre tap, then offsets 1 to 7 on both sides.
constexpr float kKernel[8] = {0.22764182f,  0.1934412f,    0.118697f,     0.05259257f,
                              0.016826855f, 0.0038875442f, 0.0006485472f, 0.000078127094f};
constexpr int kReach = 7;

// One line of a blur: out[j] is the sum over k = -7 ... 7 of kernel(k) x
// in[j + k x step], the taps added in order of k. The taps past the plane's
// edges read zeros from the margins, and adding a zero term leaves a sum of
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

GlowPlane::GlowPlane(int width, int height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      paddedWidth_(static_cast<std::size_t>(width_) + 2 * kReach),
      alpha_(paddedWidth_ * height_, 0.0f),
      rowsBlurred_((static_cast<std::size_t>(height_) + 2 * kReach) * width_, 0.0f) {}

float* GlowPlane::Row(int y) {
    return alpha_.data() + y * paddedWidth_ + kReach;
}

const float* GlowPlane::Row(int y) const {
    return alpha_.data() + y * paddedWidth_ + kReach;
}

std::vector<PlaneCell> GlowPlane::Place(const StrokeCoverage& strokes) const {
    std::vector<PlaneCell> cells;
    if (strokes.width != width_ || strokes.height != height_) return cells;
    cells.reserve(strokes.cells.size());
    for (const CoverageCell& cell : strokes.cells) {
        const std::size_t y = static_cast<std::size_t>(cell.pixel / width_);
        const std::size_t x = static_cast<std::size_t>(cell.pixel % width_);
        cells.push_back({y * paddedWidth_ + kReach + x, cell.coverage});
    }
    return cells;
}

void GlowPlane::LayOver(const std::vector<PlaneCell>& cells) {
    for (const PlaneCell& cell : cells) {
        float& alpha = alpha_[cell.place];
        alpha = std::max(alpha - alpha * cell.coverage + cell.coverage, 1e-20f);
    }
}

void GlowPlane::Fill(int left, int top, int right, int bottom) {
    for (int y = std::max(top, 0); y <= std::min(bottom, height_ - 1); ++y)
        for (int x = std::max(left, 0); x <= std::min(right, width_ - 1); ++x) Row(y)[x] = 1.0f;
}

// Along the rows into the plane with kReach zero rows above and below, then
// down its columns back into the rows of the alpha plane.
void GlowPlane::Blur() {
    for (int y = 0; y < height_; ++y)
        BlurLine(Row(y), 1, rowsBlurred_.data() + (y + kReach) * width_, width_);
    for (int y = 0; y < height_; ++y)
        BlurLine(rowsBlurred_.data() + (y + kReach) * width_, width_, Row(y), width_);
}

void GlowPlane::TintInto(Sprite& sprite, const Rgb& color) const {
    if (sprite.width != width_ || sprite.height != height_) return;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            float* pixel = sprite.At(x, y);
            pixel[3] = Row(y)[x];
            pixel[0] = pixel[3] * color.red;
            pixel[1] = pixel[3] * color.green;
            pixel[2] = pixel[3] * color.blue;
        }
}
