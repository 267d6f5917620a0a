// Picture files and resources read into images, and images written to picture
// files, through the system imaging library. Every call into it runs under the
// library lock, since the window thread uses the window's image at any time.
#include "image_files.h"

#include "image_access.h"
#include "imaging.h"
#include "palette_copy.h"
#include "../core/library_state.h"

#include <objbase.h>
#include <shlwapi.h>

#include <climits>
#include <cstring>
#include <cwchar>
#include <memory>
#include <new>
#include <string>

namespace Kanvo {

namespace {

// A picture decoded from a holder's block, with the stream it reads from.
// Empty (no picture, size 0 x 0) when there are no bytes, the imaging library
// is not running, or the bytes are not a picture it can decode.
class DecodedPicture {
public:
    explicit DecodedPicture(const GlobalMemory& holder) {
        if (!holder.Handle() || !g_imaging.started) return;
        // A memory stream of its own copy of the bytes. Not a stream on the
        // global block: on some systems that one reads past the block's end
        // when a decoder seeks beyond it (as a corrupt length in a BMP, PNG
        // or TIFF makes it do), which takes the whole process down.
        const void* bytes = GlobalLock(holder.Handle());
        if (!bytes) return;
        stream_ = SHCreateMemStream(static_cast<const BYTE*>(bytes), holder.Size());
        GlobalUnlock(holder.Handle());
        if (!stream_) return;
        LockGuard lock;
        if (g_imaging.GdipLoadImageFromStream(stream_, &picture_) != 0) picture_ = nullptr;
        if (!picture_) return;
        UINT width = 0, height = 0;
        g_imaging.GdipGetImageWidth(picture_, &width);
        g_imaging.GdipGetImageHeight(picture_, &height);
        if (width <= INT_MAX && height <= INT_MAX) {
            width_ = static_cast<int>(width);
            height_ = static_cast<int>(height);
        }
    }
    DecodedPicture(const DecodedPicture&) = delete;
    DecodedPicture& operator=(const DecodedPicture&) = delete;
    ~DecodedPicture() {
        if (picture_) {
            LockGuard lock;
            g_imaging.GdipDisposeImage(picture_);
        }
        if (stream_) stream_->Release();
    }

    int Width() const { return width_; }
    int Height() const { return height_; }

    // Draws the picture scaled into the pixels (0, 0, width, height) of the
    // device context, blended over them. Loading is a pixel operation like
    // copying an image: the context's transform and clip region, which the
    // imaging library would apply, are set aside meanwhile. Call under the
    // library lock.
    // True when the picture was drawn.
    bool DrawLocked(HDC dc, int width, int height) const {
        if (!picture_) return false;
        const int saved = SaveDC(dc);
        if (!saved) return false;
        const XFORM identity = {1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f};
        SetWorldTransform(dc, &identity);
        SelectClipRgn(dc, nullptr);
        bool drawn = false;
        GpGraphics* graphics = nullptr;
        if (g_imaging.GdipCreateFromHDC(dc, &graphics) == 0 && graphics) {
            drawn = g_imaging.GdipDrawImageRectI(graphics, picture_, 0, 0, width, height) == 0;
            g_imaging.GdipDeleteGraphics(graphics);
        }
        RestoreDC(dc, saved);
        return drawn;
    }

private:
    IStream* stream_ = nullptr;
    GpImage* picture_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// The encoder of GIF files, which takes palette pictures only.
constexpr CLSID kGifEncoder = {
    0x557CF402, 0x1A04, 0x11D3, {0x9A, 0x73, 0x00, 0x00, 0xF8, 0x1E, 0xF3, 0x2E}};

// Saves a bitmap over the given header and bits with the encoder; true when saved.
bool SaveBitmap(const BITMAPINFO* info, void* bits, const wchar_t* path, const CLSID& encoder) {
    LockGuard lock;
    GpBitmap* bitmap = nullptr;
    if (g_imaging.GdipCreateBitmapFromGdiDib(info, bits, &bitmap) != 0 || !bitmap) return false;
    const bool saved = g_imaging.GdipSaveImageToFile(bitmap, path, &encoder, nullptr) == 0;
    g_imaging.GdipDisposeImage(bitmap);
    return saved;
}

}  // namespace

bool DecodeImageFromMemory(const GlobalMemory& holder, IMAGE* destination, int width, int height,
                           bool resizeToFit) {
    if (!destination) destination = g_state.windowImage;
    if (!destination) return false;
    const DecodedPicture picture(holder);
    const int drawWidth = width ? width : picture.Width();
    const int drawHeight = height ? height : picture.Height();
    // A negative size is not a size: such a load draws nothing and resizes
    // nothing, like a load of a missing picture.
    const bool drawable = drawWidth > 0 && drawHeight > 0;
    if (drawable && (!ImageAccess::Bitmap(*destination) ||
                     (resizeToFit && (drawWidth != destination->Width() ||
                                      drawHeight != destination->Height())))) {
        // For the window's image this resizes the window as well. A size the
        // system cannot give leaves the destination's raster as it was.
        destination->SetSize(drawWidth, drawHeight);
    }
    DWORD* pixels = ImageAccess::Pixels(*destination);
    if (!pixels) return false;
    GdiFlush();
    // Clearing and drawing under one hold of the lock, so that the window
    // never shows the cleared picture alone.
    LockGuard lock;
    std::memset(pixels, 0,
                static_cast<size_t>(destination->Width()) * destination->Height() * sizeof(DWORD));
    return drawable && picture.DrawLocked(ImageAccess::Dc(*destination), drawWidth, drawHeight);
}

int FindEncoderForExtension(const wchar_t* extension, CLSID* encoder) {
    if (!extension || !encoder || !g_imaging.started) return -1;
    UINT count = 0, bytes = 0;
    {
        LockGuard lock;
        if (g_imaging.GdipGetImageEncodersSize(&count, &bytes) != 0) return -1;
    }
    if (bytes == 0 || count == 0 || static_cast<size_t>(count) * sizeof(ImagingCodecInfo) > bytes)
        return -1;
    // The list is one block: the records, then the strings they point to.
    std::unique_ptr<unsigned char[]> list(new (std::nothrow) unsigned char[bytes]);
    if (!list) return -1;
    auto* encoders = reinterpret_cast<ImagingCodecInfo*>(list.get());
    {
        LockGuard lock;
        if (g_imaging.GdipGetImageEncoders(count, bytes, encoders) != 0) return -1;
    }

    // "*.EXT;" found in "*.A;*.B;" matches whole entries only: TIF is not
    // found inside TIFF.
    std::wstring pattern = std::wstring(L"*.") + extension + L";";
    CharUpperBuffW(&pattern[0], static_cast<DWORD>(pattern.size()));
    for (UINT i = 0; i < count; ++i) {
        if (!encoders[i].FilenameExtension) continue;
        std::wstring entries = std::wstring(encoders[i].FilenameExtension) + L";";
        CharUpperBuffW(&entries[0], static_cast<DWORD>(entries.size()));
        if (entries.find(pattern) != std::wstring::npos) {
            *encoder = encoders[i].Clsid;
            return 0;
        }
    }
    return -1;
}

}  // namespace Kanvo

using namespace Kanvo;

bool ReadImageFile(IMAGE* destination, const wchar_t* path, int width, int height,
                   bool resizeToFit) {
    GlobalMemory holder;
    holder.LoadFromFile(path);
    return DecodeImageFromMemory(holder, destination, width, height, resizeToFit);
}

bool ReadImageResource(IMAGE* destination, const wchar_t* type, const wchar_t* name, int width,
                       int height, bool resizeToFit) {
    GlobalMemory holder;
    holder.LoadFromResource(type, name);
    return DecodeImageFromMemory(holder, destination, width, height, resizeToFit);
}

bool WriteImageFile(const wchar_t* path, IMAGE* image) {
    if (!image) image = g_state.windowImage;
    if (!path || !image) return false;
    DWORD* pixels = ImageAccess::Pixels(*image);
    if (!pixels) return false;

    // The format follows the text after the last full stop; the longest
    // extension an encoder is looked up for has four characters.
    const wchar_t* dot = std::wcsrchr(path, L'.');
    if (!dot) return false;
    const size_t length = std::wcslen(dot + 1);
    if (length > 4) return false;
    wchar_t extension[5] = {};
    std::wmemcpy(extension, dot + 1, length);
    CLSID encoder = {};
    if (FindEncoderForExtension(extension, &encoder) != 0) return false;

    GdiFlush();
    if (IsEqualCLSID(encoder, kGifEncoder)) {
        const PaletteCopy copy(pixels, image->Width(), image->Height());
        return copy.Valid() && SaveBitmap(copy.Info(), copy.Bits(), path, encoder);
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = image->Width();
    info.bmiHeader.biHeight = -image->Height();  // rows top to bottom
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return SaveBitmap(&info, pixels, path, encoder);
}
