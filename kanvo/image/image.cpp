// IMAGE: construction, copying, resizing and destruction of the raster.
#include "current_target.h"
#include "image_access.h"
#include "pixel_bitmap.h"
#include "raster_access.h"

#include <algorithm>
#include <cstring>

using namespace Kanvo;

IMAGE::IMAGE(int width, int height) {
    {
        LockGuard lock;
        dc_ = CreateCompatibleDC(g_state.windowDC);
    }
    IMAGE::ResetDrawingState();
    if (width != 0 && height != 0) {
        DWORD* pixels;
        HBITMAP bitmap = CreatePixelBitmap(width, height, &pixels);
        if (bitmap) {
            LockGuard lock;
            ImageAccess::ReplaceBitmap(*this, bitmap, pixels, width, height);
        }
        // The system zero-fills a new DIB section: it is already black, the
        // default background, so no fill is needed here.
    }
}

IMAGE::IMAGE(const IMAGE& other) : IMAGE(0, 0) {
    SetSize(other.width_, other.height_);
    if (pixels_ && other.pixels_ && width_ == other.width_ && height_ == other.height_) {
        GdiFlush();
        std::memcpy(pixels_, other.pixels_, PixelCount(width_, height_) * sizeof(DWORD));
    }
}

IMAGE& IMAGE::operator=(const IMAGE& other) {
    if (this == &other) return *this;
    SetSize(other.width_, other.height_);
    if (pixels_ && other.pixels_) {
        // Copy the pixels one to one: the overlap of both rasters, row by row
        // (the same as a BitBlt with SRCCOPY through the identity transform).
        GdiFlush();
        const int columns = std::min(width_, other.width_);
        const int rows = std::min(height_, other.height_);
        for (int y = 0; y < rows; ++y) {
            std::memcpy(pixels_ + static_cast<size_t>(y) * width_,
                        other.pixels_ + static_cast<size_t>(y) * other.width_,
                        static_cast<size_t>(columns) * sizeof(DWORD));
        }
    }
    return *this;
}

IMAGE::~IMAGE() {
    {
        LockGuard lock;
        if (g_state.currentImage == this) {
            // Never leave a dangling target: fall back to the window, or to
            // no target at all when the window object itself goes.
            IMAGE* window = g_state.windowImage;
            if (window && window != this) {
                ChooseTargetLocked(nullptr);
            } else {
                ClearTargetLocked();
            }
        }
        if (dc_) {
            DeleteObject(SelectObject(dc_, GetStockObject(WHITE_PEN)));
            DeleteObject(SelectObject(dc_, GetStockObject(BLACK_BRUSH)));
            DeleteObject(SelectObject(dc_, GetStockObject(SYSTEM_FONT)));
            DeleteDC(dc_);  // deselects the bitmap, which can then be deleted
            dc_ = nullptr;
        }
        if (bitmap_) DeleteObject(bitmap_);
        bitmap_ = nullptr;
        pixels_ = nullptr;
    }
}

void IMAGE::SetSize(int width, int height) {
    ResizeBase(width, height);
}

bool IMAGE::ResizeBase(int width, int height) {
    if (width == 0 || height == 0) return false;
    DWORD* newPixels;
    HBITMAP newBitmap = CreatePixelBitmap(width, height, &newPixels);
    // A refused size changes nothing: the image keeps its raster and the size
    // of that raster (0 x 0 when it has none).
    if (!newBitmap) return false;
    LockGuard lock;
    GdiFlush();
    const DWORD background = SwapRedBlue(backgroundColor_);
    if (bitmap_ && pixels_) {
        const int columns = std::min(width, width_);
        const int rows = std::min(height, height_);
        if (background != 0) {
            // The area outside the old raster takes the background colour.
            FillPixels(newPixels, PixelCount(width, height), background);
        }
        for (int y = 0; y < rows; ++y) {
            std::memcpy(newPixels + static_cast<size_t>(y) * width,
                        pixels_ + static_cast<size_t>(y) * width_,
                        static_cast<size_t>(columns) * sizeof(DWORD));
        }
    } else if (background != 0) {
        FillPixels(newPixels, PixelCount(width, height), background);
    }
    ImageAccess::ReplaceBitmap(*this, newBitmap, newPixels, width, height);
    return true;
}

void ImageAccess::ReplaceBitmap(IMAGE& image, HBITMAP bitmap, DWORD* pixels, int width,
                                int height) {
    HGDIOBJ previous = SelectObject(image.dc_, bitmap);
    if (image.bitmap_ && previous == image.bitmap_) DeleteObject(image.bitmap_);
    image.bitmap_ = bitmap;
    image.pixels_ = pixels;
    image.width_ = width;
    image.height_ = height;
    RasterAccess::Refresh(image);
}
