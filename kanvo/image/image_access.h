// Library-internal access to an IMAGE's raster and drawing state.
#pragma once

#include "../kanvo.h"

namespace Kanvo {

struct ImageAccess {
    static HDC Dc(const IMAGE& image) { return image.dc_; }
    static HBITMAP Bitmap(const IMAGE& image) { return image.bitmap_; }
    static DWORD* Pixels(const IMAGE& image) { return image.pixels_; }
    static const XFORM& Transform(const IMAGE& image) { return image.transform_; }
    static COLORREF BackgroundColor(const IMAGE& image) { return image.backgroundColor_; }
    static bool ResizeBase(IMAGE& image, int width, int height) {
        return image.ResizeBase(width, height);
    }

    // Selects a new bitmap of the given size into the image and deletes the
    // one it replaces. Call under the library lock.
    static void ReplaceBitmap(IMAGE& image, HBITMAP bitmap, DWORD* pixels, int width, int height);
};

}  // namespace Kanvo
