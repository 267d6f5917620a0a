// Binding to the system imaging library (GDI+), loaded by name at start-up
// and called through its flat entry points.
#pragma once

#include <windows.h>

namespace Kanvo {

// Opaque GDI+ object pointers of the flat interface.
using GpImage = void;
using GpGraphics = void;
using GpBitmap = void;

struct ImagingStartupInput {
    UINT32 GdiplusVersion;
    void* DebugEventCallback;
    BOOL SuppressBackgroundThread;
    BOOL SuppressExternalCodecs;
};

// One entry of the encoder list (GDI+'s ImageCodecInfo).
struct ImagingCodecInfo {
    CLSID Clsid;
    GUID FormatID;
    const WCHAR* CodecName;
    const WCHAR* DllName;
    const WCHAR* FormatDescription;
    const WCHAR* FilenameExtension;
    const WCHAR* MimeType;
    DWORD Flags;
    DWORD Version;
    DWORD SigCount;
    DWORD SigSize;
    const BYTE* SigPattern;
    const BYTE* SigMask;
};

struct Imaging {
    using Status = int;  // 0 = Ok
    Status(WINAPI* GdiplusStartup)(ULONG_PTR* token, const ImagingStartupInput* input,
                                   void* output);
    void(WINAPI* GdiplusShutdown)(ULONG_PTR token);
    Status(WINAPI* GdipLoadImageFromStream)(IStream* stream, GpImage** image);
    Status(WINAPI* GdipGetImageWidth)(GpImage* image, UINT* width);
    Status(WINAPI* GdipGetImageHeight)(GpImage* image, UINT* height);
    Status(WINAPI* GdipCreateFromHDC)(HDC hdc, GpGraphics** graphics);
    Status(WINAPI* GdipDrawImageRectI)(GpGraphics* graphics, GpImage* image, INT x, INT y,
                                       INT width, INT height);
    Status(WINAPI* GdipDisposeImage)(GpImage* image);
    Status(WINAPI* GdipDeleteGraphics)(GpGraphics* graphics);
    Status(WINAPI* GdipGetImageEncodersSize)(UINT* count, UINT* size);
    Status(WINAPI* GdipGetImageEncoders)(UINT count, UINT size, ImagingCodecInfo* encoders);
    Status(WINAPI* GdipCreateBitmapFromGdiDib)(const BITMAPINFO* info, void* bits,
                                               GpBitmap** bitmap);
    Status(WINAPI* GdipSaveImageToFile)(GpImage* image, const WCHAR* path, const CLSID* encoder,
                                        const void* parameters);

    HMODULE module;
    ULONG_PTR token;
    bool started;         // every entry point resolved and GdiplusStartup succeeded
    bool comInitialized;  // CoInitialize succeeded and wants its CoUninitialize
};

extern Imaging g_imaging;

// Loads and starts the imaging library; when it cannot, `started` stays false
// and loading and saving pictures do nothing.
void StartImaging();
void StopImaging();

}  // namespace Kanvo
