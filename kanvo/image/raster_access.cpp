// The bookkeeping of the direct pixel access (raster_access.h) and the fast
// fill of a whole raster.
#include "raster_access.h"

#include <algorithm>
#include <cstring>

#if defined(_M_IX86) || defined(_M_X64) || defined(__i386__) || defined(__x86_64__)
#include <intrin.h>
#endif

namespace Kanvo {
namespace {

// Origins beyond this many pixels are left to GDI, so that no sum of a
// coordinate and the origin can overflow.
constexpr float kOriginLimit = 1073741824.0f;  // 2^30

// The whole number of pixels a stored origin moves by; false when it is not
// one (or too large).
bool WholePixels(float value, int* pixels) {
    if (!(value >= -kOriginLimit && value <= kOriginLimit)) return false;
    *pixels = static_cast<int>(value);
    return static_cast<float>(*pixels) == value;
}

}  // namespace

void RasterAccess::Refresh(IMAGE& image) {
    image.directWidth_ = 0;
    image.directHeight_ = 0;
    const XFORM& m = image.transform_;
    int originX, originY;
    if (!image.pixels_ || image.contextShared_ || image.clipKind_ == kOtherClip) return;
    if (m.eM11 != 1.0f || m.eM22 != 1.0f || m.eM12 != 0.0f || m.eM21 != 0.0f) return;
    if (!WholePixels(m.eDx, &originX) || !WholePixels(m.eDy, &originY)) return;
    // The visible device pixels: the raster, within the clip rectangle.
    RECT visible = {0, 0, image.width_, image.height_};
    if (image.clipKind_ == kRectangleClip) {
        visible.left = std::max(visible.left, image.clipRect_.left);
        visible.top = std::max(visible.top, image.clipRect_.top);
        visible.right = std::min(visible.right, image.clipRect_.right);
        visible.bottom = std::min(visible.bottom, image.clipRect_.bottom);
    }
    if (visible.left >= visible.right || visible.top >= visible.bottom) return;
    image.directLeft_ = visible.left - originX;
    image.directTop_ = visible.top - originY;
    image.directWidth_ = static_cast<unsigned>(visible.right - visible.left);
    image.directHeight_ = static_cast<unsigned>(visible.bottom - visible.top);
    image.directFirst_ = static_cast<size_t>(visible.top) * static_cast<size_t>(image.width_) +
                         static_cast<size_t>(visible.left);
}

void RasterAccess::ClipRegionSelected(IMAGE& image, HRGN region, int result) {
    RECT box = {};
    if (result == ERROR) {
        // The context may or may not have taken the region.
        image.clipKind_ = kOtherClip;
    } else if (!region) {
        image.clipKind_ = kNoClip;
    } else if (GetRgnBox(region, &box) == SIMPLEREGION) {
        // The context holds a copy of the region, in device pixels: the box
        // of the caller's region is the box of that copy.
        image.clipKind_ = kRectangleClip;
        image.clipRect_ = box;
    } else {
        image.clipKind_ = kOtherClip;
    }
    Refresh(image);
}

void RasterAccess::RasterOpChanged(IMAGE& image) {
    image.rasterOp_ = image.dc_ ? GetROP2(image.dc_) : 0;
}

void RasterAccess::DefaultStateApplied(IMAGE& image) {
    image.clipKind_ = kNoClip;
    Refresh(image);
}

void RasterAccess::ContextShared(IMAGE& image) {
    image.contextShared_ = true;
    Refresh(image);
}

void RasterAccess::FillRaster(IMAGE& image, DWORD value) {
    DWORD* pixels = image.pixels_;
    if (!pixels || image.width_ <= 0 || image.height_ <= 0) return;
    const size_t count = static_cast<size_t>(image.width_) * static_cast<size_t>(image.height_);
    const DWORD b = value & 0xFF, g = (value >> 8) & 0xFF, r = (value >> 16) & 0xFF;
    if (b == g && g == r) {
        // A grey sets every byte, the top one too (as FillPixels does).
        std::memset(pixels, static_cast<int>(b), count * sizeof(DWORD));
        return;
    }
#if defined(_M_IX86) || defined(_M_X64) || defined(__i386__) || defined(__x86_64__)
    // The string store writes whole cache lines without reading them first,
    // which a loop of stores cannot do on these processors.
    __stosd(reinterpret_cast<unsigned long*>(pixels), value, count);
#else
    std::fill(pixels, pixels + count, value);
#endif
}

}  // namespace Kanvo
