#include "imaging.h"

#include <objbase.h>

namespace Kanvo {

Imaging g_imaging = {};

namespace {

template <class F>
bool Resolve(F& entry, const char* name) {
    entry = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(g_imaging.module, name)));
    return entry != nullptr;
}

}  // namespace

void StartImaging() {
    g_imaging.comInitialized = SUCCEEDED(CoInitialize(nullptr));
    g_imaging.module = LoadLibraryW(L"gdiplus.dll");
    if (!g_imaging.module) return;
    bool resolved = Resolve(g_imaging.GdiplusStartup, "GdiplusStartup");
    resolved &= Resolve(g_imaging.GdiplusShutdown, "GdiplusShutdown");
    resolved &= Resolve(g_imaging.GdipLoadImageFromStream, "GdipLoadImageFromStream");
    resolved &= Resolve(g_imaging.GdipGetImageWidth, "GdipGetImageWidth");
    resolved &= Resolve(g_imaging.GdipGetImageHeight, "GdipGetImageHeight");
    resolved &= Resolve(g_imaging.GdipCreateFromHDC, "GdipCreateFromHDC");
    resolved &= Resolve(g_imaging.GdipDrawImageRectI, "GdipDrawImageRectI");
    resolved &= Resolve(g_imaging.GdipDisposeImage, "GdipDisposeImage");
    resolved &= Resolve(g_imaging.GdipDeleteGraphics, "GdipDeleteGraphics");
    resolved &= Resolve(g_imaging.GdipGetImageEncodersSize, "GdipGetImageEncodersSize");
    resolved &= Resolve(g_imaging.GdipGetImageEncoders, "GdipGetImageEncoders");
    resolved &= Resolve(g_imaging.GdipCreateBitmapFromGdiDib, "GdipCreateBitmapFromGdiDib");
    resolved &= Resolve(g_imaging.GdipSaveImageToFile, "GdipSaveImageToFile");
    if (!resolved) return;
    const ImagingStartupInput input = {1, nullptr, FALSE, FALSE};
    g_imaging.started = g_imaging.GdiplusStartup(&g_imaging.token, &input, nullptr) == 0;
}

void StopImaging() {
    // The reverse of the start: the imaging library may still hold COM
    // objects, so it goes before COM does.
    if (g_imaging.started) {
        g_imaging.started = false;
        g_imaging.GdiplusShutdown(g_imaging.token);
    }
    if (g_imaging.comInitialized) {
        g_imaging.comInitialized = false;
        CoUninitialize();
    }
}

}  // namespace Kanvo
