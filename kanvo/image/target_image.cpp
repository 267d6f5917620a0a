// Choosing the current target, and access to images' pixels, DCs and sizes.
#include "image_access.h"
#include "../window/library_state.h"
#include "../draw/raster_access.h"

using namespace Kanvo;

void SetTargetImage(IMAGE* image) {
    LockGuard lock;
    if (image) {
        g_state.currentImage = image;
        g_state.currentTarget = g_state.imageTarget.Get();
        g_state.windowDC = nullptr;
        g_state.targetDC = ImageAccess::Dc(*image);
    } else if (GraphWnd* window = Window()) {
        g_state.windowDC = window->hdc;
        g_state.currentImage = window;
        g_state.currentTarget = g_state.windowTarget.Get();
        g_state.targetDC = ImageAccess::Dc(*window);
    }
}

IMAGE* GetTargetImage() {
    return g_state.windowDC ? nullptr : g_state.currentImage;
}

DWORD* GetSurfacePixels(IMAGE* image) {
    if (!image) image = Window();
    return image ? ImageAccess::Pixels(*image) : nullptr;
}

HDC GetSurfaceContext(IMAGE* image) {
    if (!image) image = Window();
    if (!image) return nullptr;
    RasterAccess::ContextShared(*image);
    return ImageAccess::Dc(*image);
}

void SetImageSize(IMAGE* image, int width, int height) {
    if (!image) image = Window();
    if (image) image->SetSize(width, height);
}
