// Block copies between the current target and images.
#include "image_access.h"
#include "pixel_bitmap.h"
#include "../window/library_state.h"

using namespace Kanvo;

void CaptureImage(IMAGE* destination, int x, int y, int width, int height) {
    if (!destination || !g_state.targetDC) return;
    DWORD* pixels;
    HBITMAP bitmap = CreatePixelBitmap(width, height, &pixels);
    if (!bitmap) return;  // nothing is half-changed
    LockGuard lock;
    ImageAccess::ReplaceBitmap(*destination, bitmap, pixels, width, height);
    // The part outside the current target stays as the new bitmap is: black.
    BitBlt(ImageAccess::Dc(*destination), 0, 0, width, height, g_state.targetDC, x, y, SRCCOPY);
}

void PasteImage(int x, int y, const IMAGE* source, DWORD rop) {
    if (!source || !g_state.targetDC) return;
    LockGuard lock;
    BitBlt(g_state.targetDC, x, y, source->Width(), source->Height(), ImageAccess::Dc(*source), 0,
           0, rop);
}

void PasteImage(int x, int y, int width, int height, const IMAGE* source, int sourceX,
                int sourceY, DWORD rop) {
    if (!source || !g_state.targetDC) return;
    LockGuard lock;
    BitBlt(g_state.targetDC, x, y, width, height, ImageAccess::Dc(*source), sourceX, sourceY, rop);
}
