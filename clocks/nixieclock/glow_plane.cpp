// The alpha plane on which a glow is built: strokes laid over it and the
// separable blur that spreads it, pass after pass.
#include "tube_sprite.h"

#include <algorithm>

// Where the compiler does float arithmetic in SSE registers, the blur works on
// columns four at a time, each adding its taps in the same order as the plain
// loop, which gives the same sums; elsewhere (x87) it keeps the plain loop.
#if defined(__SSE_MATH__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 1)
#define GLOW_PLANE_SSE 1
#include <xmmintrin.h>
#endif

namespace {

// Centre tap, then offsets 1 to 7 on both sides.
constexpr float kKernel[8] = {0.22764182f,  0.1934412f,    0.118697f,     0.05259257f,
                              0.016826855f, 0.0038875442f, 0.0006485472f, 0.000078127094f};
constexpr int kReach = 7;

#ifdef GLOW_PLANE_SSE
// kVectors x 4 adjacent sums of a blur line, held in registers while the
// taps go over them.
template <int kVectors>
void BlurVectors(const float* in, std::ptrdiff_t step, float* out) {
    __m128 sums[kVectors] = {};
    for (int k = -kReach; k <= kReach; ++k) {
        const __m128 weight = _mm_set1_ps(kKernel[k < 0 ? -k : k]);
        const float* source = in + k * step;
        for (int v = 0; v < kVectors; ++v)
            sums[v] = _mm_add_ps(sums[v], _mm_mul_ps(weight, _mm_loadu_ps(source + 4 * v)));
    }
    for (int v = 0; v < kVectors; ++v) _mm_storeu_ps(out + 4 * v, sums[v]);
}
#endif

// One line of a blur: out[j] is the sum over k = -7 ... 7 of kernel(k) x
// in[j + k x step], the taps added in order of k. The taps past the plane's
// edges read zeros from the margins, and adding a zero term leaves a sum of
// non-negative values unchanged, so this equals leaving those taps out.
void BlurLine(const float* in, std::ptrdiff_t step, float* out, int length) {
    int j = 0;
#ifdef GLOW_PLANE_SSE
    for (; j + 32 <= length; j += 32) BlurVectors<8>(in + j, step, out + j);
    for (; j + 4 <= length; j += 4) BlurVectors<1>(in + j, step, out + j);
#endif
    for (; j < length; ++j) {
        float sum = 0.0f;
        for (int k = -kReach; k <= kReach; ++k) sum += kKernel[k < 0 ? -k : k] * in[j + k * step];
        out[j] = sum;
    }
}

// A blurred glow's rim, on its way out to zero, is full of values under
// 1.2e-38 ("denormal"), which the processor multiplies and adds many times
// slower than others. Flushing them to zero while a plane is blurred changes
// no value by more than 1.2e-38, far below what a pixel shows.
class DenormalsFlushed {
public:
#ifdef GLOW_PLANE_SSE
    DenormalsFlushed() : saved_(_mm_getcsr()) {
        _mm_setcsr(saved_ | kFlushToZero | kDenormalsAreZero);
    }
    ~DenormalsFlushed() {
        _mm_setcsr(saved_);
    }

private:
    static constexpr unsigned int kFlushToZero = 0x8000;
    static constexpr unsigned int kDenormalsAreZero = 0x0040;
    unsigned int saved_;
#endif
};

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
    [[maybe_unused]] const DenormalsFlushed flushed;
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
