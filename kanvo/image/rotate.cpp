// Rotated copies of images: the source turned about its centre, the uncovered
// area in a background colour, sampled nearest-pixel or bilinear.
#include "image_access.h"
#include "pixel_bitmap.h"
#include "../window/library_state.h"

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
            const double floorX = std::floor(x);
            const double floorY = std::floor(y);
            if (floorX < -1 || floorX > source.width - 1 || floorY < -1 ||
                floorY > source.height - 1)
                continue;
            const int ix = static_cast<int>(floorX);
            const int iy = static_cast<int>(floorY);
            const double fx = x - ix;
            const double fy = y - iy;
            const double w00 = (1 - fx) * (1 - fy), w10 = fx * (1 - fy);
            const double w01 = (1 - fx) * fy, w11 = fx * fy;
            const DWORD p00 = at(ix, iy), p10 = at(ix + 1, iy);
            const DWORD p01 = at(ix, iy + 1), p11 = at(ix + 1, iy + 1);
            DWORD blended = 0;  // the top byte stays 0
            for (int shift = 0; shift <= 16; shift += 8) {
                const double value =
                    w00 * ((p00 >> shift) & 0xFF) + w10 * ((p10 >> shift) & 0xFF) +
                    w01 * ((p01 >> shift) & 0xFF) + w11 * ((p11 >> shift) & 0xFF);
                blended |= static_cast<DWORD>(value + kRoundingSlack) << shift;
            }
            row[j] = blended;
        }
    }
}

}  // namespace

void MakeRotatedImage(IMAGE* destination, IMAGE* source, double radians, COLORREF background,
                      bool autoSize, bool highQuality) {
    if (!destination) destination = Window();
    if (!destination || !source || !ImageAccess::Pixels(*source) || !std::isfinite(radians))
        return;
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
        width = static_cast<int>(std::max(std::fabs(W * c + H * s), std::fabs(W * c - H * s)) + 0.5);
        height =
            static_cast<int>(std::max(std::fabs(H * c - W * s), std::fabs(H * c + W * s)) + 0.5);
    }
    // For the window's image this resizes the window as well.
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
    if (destination == Window()) lock.emplace();
    FillPixels(pixels, PixelCount(width, height), backgroundPixel);
    if (highQuality)
        SampleBilinear(raster, map, backgroundPixel, pixels, width, height);
    else
        SampleNearest(raster, map, pixels, width, height);
}
