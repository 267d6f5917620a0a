// What differs between 32-bit and 64-bit Windows, checked on both: image sizes
// whose byte count overflows 32-bit arithmetic, the layout of the structures
// the library hands to the imaging library, and the calling convention of the
// functions called through pointers in either direction.
#include <kanvo.h>

#include <gtest/gtest.h>

#include <gdiplus.h>

#include <cstddef>
#include <cwchar>
#include <vector>

#include "image/imaging.h"

namespace {

using Kanvo::g_imaging;

// Enough calls through a pointer of the wrong convention to move the stack
// pointer by megabytes, which no caller survives.
constexpr int kManyCalls = 200000;

// An image that could not be made has no pixels, and the library goes on
// working: the same object then takes a good size.
void ExpectRefusedAndStillUsable(IMAGE& image) {
    EXPECT_EQ(GetSurfacePixels(&image), nullptr);
    SetImageSize(&image, 3, 2);
    ASSERT_NE(GetSurfacePixels(&image), nullptr);
    EXPECT_EQ(image.Width(), 3);
    EXPECT_EQ(image.Height(), 2);
    GetSurfacePixels(&image)[5] = 0x123456;
    EXPECT_EQ(GetSurfacePixels(&image)[5], 0x123456u);
}

// 65536 x 16385 pixels of 4 bytes are 4 GiB + 256 KiB: in 32-bit arithmetic
// only the 256 KiB remain, a raster small enough to be made.
TEST(Portability, ImageWhoseByteCountWrapsAround32BitsIsRefused) {
    IMAGE image(65536, 16385);
    ExpectRefusedAndStillUsable(image);
}

// 65536 x 65536 pixels: the pixel count itself is 0 in 32-bit arithmetic.
TEST(Portability, ImageWhosePixelCountWrapsAround32BitsIsRefused) {
    IMAGE image(65536, 65536);
    ExpectRefusedAndStillUsable(image);
}

// 32768 x 16385 pixels are 2 GiB + 128 KiB: past the 2 GiB limit, though the
// byte count still fits an unsigned 32-bit number.
TEST(Portability, ImageJustPastTwoGibibytesIsRefused) {
    IMAGE image(32768, 16385);
    ExpectRefusedAndStillUsable(image);
}

// A refused resize changes nothing: the image keeps its raster and size.
TEST(Portability, ResizingAnImageToAWrappingSizeKeepsItsRasterAndSize) {
    IMAGE image(4, 4);
    GetSurfacePixels(&image)[15] = 0x123456;
    SetImageSize(&image, 65536, 16385);
    EXPECT_EQ(image.Width(), 4);
    EXPECT_EQ(image.Height(), 4);
    ASSERT_NE(GetSurfacePixels(&image), nullptr);
    EXPECT_EQ(GetSurfacePixels(&image)[15], 0x123456u);
}

// The imaging library reads the start-up record and fills the encoder list in
// its own layout, which the system headers describe for either architecture.
TEST(Portability, ImagingStartupRecordHasTheSystemsSize) {
    EXPECT_EQ(sizeof(Kanvo::ImagingStartupInput), sizeof(Gdiplus::GdiplusStartupInput));
}

TEST(Portability, ImagingStartupRecordFieldsSitWhereTheSystemReadsThem) {
    using Ours = Kanvo::ImagingStartupInput;
    using Theirs = Gdiplus::GdiplusStartupInput;
    EXPECT_EQ(offsetof(Ours, DebugEventCallback), offsetof(Theirs, DebugEventCallback));
    EXPECT_EQ(offsetof(Ours, SuppressBackgroundThread), offsetof(Theirs, SuppressBackgroundThread));
    EXPECT_EQ(offsetof(Ours, SuppressExternalCodecs), offsetof(Theirs, SuppressExternalCodecs));
}

TEST(Portability, EncoderRecordHasTheSystemsSize) {
    EXPECT_EQ(sizeof(Kanvo::ImagingCodecInfo), sizeof(Gdiplus::ImageCodecInfo));
}

TEST(Portability, EncoderRecordFieldsSitWhereTheSystemWritesThem) {
    using Ours = Kanvo::ImagingCodecInfo;
    using Theirs = Gdiplus::ImageCodecInfo;
    EXPECT_EQ(offsetof(Ours, CodecName), offsetof(Theirs, CodecName));
    EXPECT_EQ(offsetof(Ours, MimeType), offsetof(Theirs, MimeType));
    EXPECT_EQ(offsetof(Ours, Flags), offsetof(Theirs, Flags));
    EXPECT_EQ(offsetof(Ours, SigSize), offsetof(Theirs, SigSize));
    EXPECT_EQ(offsetof(Ours, SigMask), offsetof(Theirs, SigMask));
}

// The list as the system fills it, read through the library's record: every
// entry's strings must be where the record says.
TEST(Portability, EncoderListReadThroughTheLibrarysRecordNamesThePngEncoder) {
    ASSERT_TRUE(g_imaging.started);
    UINT count = 0;
    UINT bytes = 0;
    ASSERT_EQ(g_imaging.GdipGetImageEncodersSize(&count, &bytes), 0);
    ASSERT_GT(count, 0u);
    ASSERT_GE(bytes, count * sizeof(Kanvo::ImagingCodecInfo));
    std::vector<unsigned char> storage(bytes);
    auto* encoders = reinterpret_cast<Kanvo::ImagingCodecInfo*>(storage.data());
    ASSERT_EQ(g_imaging.GdipGetImageEncoders(count, bytes, encoders), 0);
    int pngEncoders = 0;
    for (UINT i = 0; i < count; ++i) {
        ASSERT_NE(encoders[i].MimeType, nullptr);
        if (std::wcscmp(encoders[i].MimeType, L"image/png") == 0) ++pngEncoders;
    }
    EXPECT_EQ(pngEncoders, 1);
}

// The library calls the imaging library's stdcall entry points through
// pointers it casts from GetProcAddress, which no compiler checks. On 32 bits
// a pointer declared with the caller-cleans convention would leave the stack
// off by the arguments' size after every call.
TEST(Portability, ImagingEntryPointsCalledManyTimesKeepTheCallersStack) {
    ASSERT_TRUE(g_imaging.started);
    UINT firstCount = 0;
    UINT firstBytes = 0;
    ASSERT_EQ(g_imaging.GdipGetImageEncodersSize(&firstCount, &firstBytes), 0);
    int sameAnswers = 0;
    for (int call = 0; call < kManyCalls; ++call) {
        UINT count = 0;
        UINT bytes = 0;
        const int status = g_imaging.GdipGetImageEncodersSize(&count, &bytes);
        if (status == 0 && count == firstCount && bytes == firstBytes) ++sameAnswers;
    }
    EXPECT_EQ(sameAnswers, kManyCalls);
}

// The system calls the window's procedure as a stdcall function. Called here
// directly, as a WNDPROC, it must leave the stack as the convention says (the
// system's own dispatch would repair the stack and hide a wrong one).
TEST(Portability, WindowProcedureCalledDirectlyManyTimesKeepsTheCallersStack) {
    HWND window = OpenGraphWindow(64, 48);
    ASSERT_NE(window, nullptr);
    const auto procedure = reinterpret_cast<WNDPROC>(GetClassLongPtrW(window, GCLP_WNDPROC));
    ASSERT_NE(procedure, nullptr);
    int answered = 0;
    for (int call = 0; call < kManyCalls; ++call) {
        if (procedure(window, WM_NULL, 0, 0) == 0) ++answered;
    }
    EXPECT_EQ(answered, kManyCalls);
    CloseGraphWindow();
}

}  // namespace
