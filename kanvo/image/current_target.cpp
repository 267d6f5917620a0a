// Choosing the current target, and access to images' pixels, DCs and sizes.
#include "current_target.h"

#include "image_access.h"
#include "raster_access.h"

namespace Kanvo {

void ChooseTargetLocked(IMAGE* image) {
    if (image) {
        g_state.currentImage = image;
        g_state.currentTarget = g_state.imageTarget;
        g_state.windowDC = nullptr;
        g_state.targetDC = ImageAccess::Dc(*image);
    } else if (IMAGE* window = g_state.windowImage) {
        g_state.windowDC = g_state.windowScreenDC;
        g_state.currentImage = window;
        g_state.currentTarget = g_state.windowTarget;
        g_state.targetDC = ImageAccess::Dc(*window);
    }
}

void ClearTargetLocked() {
    g_state.currentImage = nullptr;
    g_state.currentTarget = nullptr;
    g_state.windowDC = nullptr;
    g_state.targetDC = nullptr;
}

}  // namespace Kanvo

using namespace Kanvo;

void SetTargetImage(IMAGE* image) {
    LockGuard lock;
    ChooseTargetLocked(image);
}

IMAGE* GetTargetImage() {
    return g_state.windowDC ? nullptr : g_state.currentImage;
}

DWORD* GetSurfacePixels(IMAGE* image) {
    if (!image) image = g_state.windowImage;
    if (!image) return nullptr;
    if (image == g_state.windowImage) g_state.windowBufferShared = true;
    return ImageAccess::Pixels(*image);
}

HDC GetSurfaceContext(IMAGE* image) {
    if (!image) image = g_state.windowImage;
    if (!image) return nullptr;
    if (image == g_state.windowImage) g_state.windowBufferShared = true;
    RasterAccess::ContextShared(*image);
    return ImageAccess::Dc(*image);
}

void SetImageSize(IMAGE* image, int width, int height) {
    if (!image) image = g_state.windowImage;
    if (image) image->SetSize(width, height);
}
