// Direct access to an image's pixel array for single pixels and for clearing:
// used only where the result is provably the one GDI's GetPixel and SetPixelV
// give, so that the common case asks GDI nothing. Everything else keeps the
// GDI call. The image records the device context's state that decides this
// (transform, clip region, raster operation, whether the program holds the
// context) and, from it, the box of logical points whose pixels may be used
// directly; the operations that change that state call the hooks below.
#pragma once

#include "../kanvo.h"

namespace Kanvo {

// What the image knows of its device context's clip region.
enum ClipKind : int {
    kNoClip = 0,         // no clip region: the whole raster is visible
    kRectangleClip = 1,  // one rectangle, in device pixels
    kOtherClip = 2,      // empty, complex, or unknown: only GDI can tell
};

struct RasterAccess {
    // The pixel GetPixel would read at logical (x, y), or null when only GDI
    // can answer: a transform other than a shift by whole pixels, a point
    // outside the raster or the clip rectangle, a clip region that is not a
    // rectangle, or a device context the program holds.
    static DWORD* VisiblePixel(const IMAGE& image, int x, int y) {
        // Unsigned differences: a point left of or above the box wraps around
        // to a large value, so one comparison per axis bounds it.
        const unsigned column = static_cast<unsigned>(x) - static_cast<unsigned>(image.directLeft_);
        const unsigned row = static_cast<unsigned>(y) - static_cast<unsigned>(image.directTop_);
        if (column >= image.directWidth_ || row >= image.directHeight_) return nullptr;
        return image.pixels_ + image.directFirst_ + size_t(row) * size_t(image.width_) + column;
    }

    // The pixel SetPixelV would set to `color` at logical (x, y), or null when
    // only GDI can write it: besides VisiblePixel's cases, a raster operation
    // other than R2_COPYPEN, or a colour that is a palette reference rather
    // than plain red, green and blue.
    static DWORD* WritablePixel(IMAGE& image, int x, int y, COLORREF color) {
        if (image.rasterOp_ != R2_COPYPEN || (color >> 24) != 0) return nullptr;
        return VisiblePixel(image, x, y);
    }

    // Hooks, each called after the GDI call that changed the device context.
    // SelectClipRgn(dc, region) gave `result`.
    static void ClipRegionSelected(IMAGE& image, HRGN region, int result);
    // SetROP2 was called.
    static void RasterOpChanged(IMAGE& image);
    // The context went back to its default state (no clip region).
    static void DefaultStateApplied(IMAGE& image);
    // The program has the context: it may change any state behind the
    // library's back, so single pixels go through GDI from now on.
    static void ContextShared(IMAGE& image);
    // The transform, or the raster's size or address, changed.
    static void Refresh(IMAGE& image);

    // Fills the whole raster with the pixel value (ClearTarget): FillPixels'
    // result, written at the speed of the memory.
    static void FillRaster(IMAGE& image, DWORD value);
};

}  // namespace Kanvo
