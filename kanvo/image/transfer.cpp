// Block copies between the current target and images.
#include "image_access.h"
#include "pixel_bitmap.h"
#include "../core/library_state.h"

using namespace Kanvo;

void CaptureImage(IMAGE* destination, int x, int y, int width, int height) {
    if (!destination || !g_state.targetDC) return;
    DWORD* pixels;
    HBITMAP bitmap = CreatePixelBitmap(width, height, &pixels);
    if (!bitmap) return;  // nothing is half-changed
    LockGuard lock;
    // The copy goes through a device context of its own before the bitmap
    // joins the destination: so it lands at pixel (0, 0) whatever the
    // destination's transform, and it reads the old pixels even when the
    // destination is the current target itself. The part outside the current
    // target stays as the new bitmap is: black.
    HDC copyDc = CreateCompatibleDC(nullptr);
    if (!copyDc) {
        DeleteObject(bitmap);
        return;
    }
    HGDIOBJ previous = SelectObject(copyDc, bitmap);
    BitBlt(copyDc, 0, 0, width, height, g_state.targetDC, x, y, SRCCOPY);
    SelectObject(copyDc, previous);
    DeleteDC(copyDc);
    ImageAccess::ReplaceBitmap(*destination, bitmap, pixels, width, height);
}

// A source without pixels (empty, or its bitmap could not be made) pastes
// nothing rather than its device context's placeholder bitmap.
void PasteImage(int x, int y, const IMAGE* source, DWORD rop) {
    if (!source || !ImageAccess::Bitmap(*source) || !g_state.targetDC) return;
    LockGuard lock;
    BitBlt(g_state.targetDC, x, y, source->Width(), source->Height(), ImageAccess::Dc(*source), 0,
           0, rop);
}

void PasteImage(int x, int y, int width, int height, const IMAGE* source, int sourceX, int sourceY,
                DWORD rop) {
    if (!source || !ImageAccess::Bitmap(*source) || !g_state.targetDC) return;
    LockGuard lock;
    BitBlt(g_state.targetDC, x, y, width, height, ImageAccess::Dc(*source), sourceX, sourceY, rop);
}
