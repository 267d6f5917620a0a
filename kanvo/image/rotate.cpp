// Rotated copies of images: the source turned about its centre, the uncovered
// area in a background colour, sampled nearest-pixel or bilinear.
#include "image_access.h"
#include "pixel_bitmap.h"
#include "../core/library_state.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

using namespace Kanvo;

namespace {

// The four weights sum to 1 only up to rounding, so a blend of four equal
// bytes can come out a hair below the byte and truncate to one less; a uniform
// area would then change colour. The slack is far below any real fraction.
constexpr double kRoundingSlack = 1e-9;

struct SourceRaster {
    const DWORD* pixels;
    int width;
    int height;
};

// Destination pixel (column j, row i) samples the source at
// (x0 + j*c + i*s, y0 + i*c - j*s).
struct Mapping {
    double c;
    double s;
    double x0;
    double y0;
    double X(int j, int i) const { return x0 + j * c + i * s; }
    double Y(int j, int i) const { return y0 + i * c - j * s; }
};

// Each destination pixel becomes the source pixel (all 32 bits) nearest to
// its point, or keeps the background where that lies outside the source.
void SampleNearest(const SourceRaster& source, const Mapping& map, DWORD* destination, int width,
                   int height) {
    for (int i = 0; i < height; ++i) {
        DWORD* row = destination + static_cast<size_t>(i) * width;
        for (int j = 0; j < width; ++j) {
            const int column = static_cast<int>(map.X(j, i) + 0.5);
            const int line = static_cast<int>(map.Y(j, i) + 0.5);
            if (column >= 0 && column < source.width && line >= 0 && line < source.height)
                row[j] = source.pixels[static_cast<size_t>(line) * source.width + column];
        }
    }
}

// floor() for values well inside the int range, without a library call.
inline int FloorToInt(double value) {
    const int truncated = static_cast<int>(value);
    return truncated > value ? truncated - 1 : truncated;
}

// The three colour bytes of four neighbours weighted by the point's fractions
// (fx, fy) within them; the top byte of the result is 0.
inline DWORD Blend(DWORD p00, DWORD p10, DWORD p01, DWORD p11, double fx, double fy) {
    const double w00 = (1 - fx) * (1 - fy), w10 = fx * (1 - fy);
    const double w01 = (1 - fx) * fy, w11 = fx * fy;
    DWORD blended = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double value = w00 * ((p00 >> shift) & 0xFF) + w10 * ((p10 >> shift) & 0xFF) +
                             w01 * ((p01 >> shift) & 0xFF) + w11 * ((p11 >> shift) & 0xFF);
        blended |= static_cast<DWORD>(value + kRoundingSlack) << shift;
    }
    return blended;
}

// Each destination pixel within one pixel of the source blends the four
// nearest source pixels, weighted by distance; neighbours outside the source
// count as the background, which gives the picture a one-pixel soft edge.
void SampleBilinear(const SourceRaster& source, const Mapping& map, DWORD background,
                    DWORD* destination, int width, int height) {
    const auto at = [&](int x, int y) {
        return x >= 0 && x < source.width && y >= 0 && y < source.height
                   ? source.pixels[static_cast<size_t>(y) * source.width + x]
                   : background;
    };
    for (int i = 0; i < height; ++i) {
        DWORD* row = destination + static_cast<size_t>(i) * width;
        for (int j = 0; j < width; ++j) {
            const double x = map.X(j, i);
            const double y = map.Y(j, i);
            // Points more than a pixel outside keep the background.
            if (!(x >= -1 && x < source.width && y >= -1 && y < source.height)) continue;
            const int ix = FloorToInt(x);
            const int iy = FloorToInt(y);
            const double fx = x - ix;
            const double fy = y - iy;
            DWORD p00, p10, p01, p11;
            if (ix >= 0 && iy >= 0 && ix + 1 < source.width && iy + 1 < source.height) {
                const DWORD* top = source.pixels + static_cast<size_t>(iy) * source.width + ix;
                p00 = top[0];
                p10 = top[1];
                p01 = top[source.width];
                p11 = top[source.width + 1];
            } else {
                p00 = at(ix, iy);
                p10 = at(ix + 1, iy);
                p01 = at(ix, iy + 1);
                p11 = at(ix + 1, iy + 1);
            }
            row[j] = Blend(p00, p10, p01, p11, fx, fy);
        }
    }
}

}  // namespace

void MakeRotatedImage(IMAGE* destination, IMAGE* source, double radians, COLORREF background,
                      bool autoSize, bool highQuality) {
    if (!destination) destination = g_state.windowImage;
    if (!destination || !source || !ImageAccess::Pixels(*source) || !std::isfinite(radians)) return;
    // Rotating an image into itself reads from a copy of it.
    std::unique_ptr<IMAGE> copy;
    if (destination == source) {
        copy = std::make_unique<IMAGE>();
        *copy = *source;
        source = copy.get();
        if (!ImageAccess::Pixels(*source)) return;
    }
    const int W = source->Width();
    const int H = source->Height();
    const double c = std::cos(-radians);
    const double s = std::sin(-radians);

    int width = W, height = H;
    if (autoSize) {
        // The bounding box of the turned rectangle.
        width =
            static_cast<int>(std::max(std::fabs(W * c + H * s), std::fabs(W * c - H * s)) + 0.5);
        height =
            static_cast<int>(std::max(std::fabs(H * c - W * s), std::fabs(H * c + W * s)) + 0.5);
    }
    // For the window's image this resizes the window as well. A destination
    // of the right size keeps its bitmap: every pixel is written anyway.
    if (destination->Width() != width || destination->Height() != height ||
        !ImageAccess::Pixels(*destination))
        destination->SetSize(width, height);
    DWORD* pixels = ImageAccess::Pixels(*destination);
    // A size the system could not give leaves the destination as it was.
    if (!pixels || destination->Width() != width || destination->Height() != height) return;

    const Mapping map = {c, s, W / 2.0 - (c * width / 2.0 + s * height / 2.0),
                         H / 2.0 + s * width / 2.0 - c * height / 2.0};
    const SourceRaster raster = {ImageAccess::Pixels(*source), W, H};
    const DWORD backgroundPixel = SwapRedBlue(background);
    GdiFlush();
    // Off-screen images need no lock; the window's image does, so that the
    // window thread never shows a half-written picture.
    std::optional<LockGuard> lock;
    if (destination == g_state.windowImage) lock.emplace();
    FillPixels(pixels, PixelCount(width, height), backgroundPixel);
    if (highQuality)
        SampleBilinear(raster, map, backgroundPixel, pixels, width, height);
    else
        SampleNearest(raster, map, pixels, width, height);
}
