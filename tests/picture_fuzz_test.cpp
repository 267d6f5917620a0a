// Corrupted and truncated picture files of every format: reading each one
// returns promptly, leaves the destination either holding a picture or black
// at its size (the failure path), and leaks no GDI object or handle.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <kanvo.h>

#include "resource_counts.h"

namespace {

using namespace KanvoTest;

constexpr int kWidth = 24, kHeight = 16;
constexpr int kMutations = 320;
constexpr DWORD kFill = 0x00336699;

std::wstring TemporaryPath(const std::wstring& name) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return folder + std::to_wstring(GetCurrentProcessId()) + L"_" + name;
}

std::vector<char> FileBytes(const std::wstring& path) {
    std::vector<char> bytes;
    if (FILE* file = _wfopen(path.c_str(), L"rb")) {
        char buffer[4096];
        for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
            bytes.insert(bytes.end(), buffer, buffer + got);
        std::fclose(file);
    }
    return bytes;
}

void WriteBytes(const std::wstring& path, const std::vector<char>& bytes) {
    if (FILE* file = _wfopen(path.c_str(), L"wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
}

// A good picture in the format of the extension: a few shapes in colour.
std::vector<char> SeedPicture(const std::wstring& extension) {
    IMAGE image(kWidth, kHeight);
    SetTargetImage(&image);
    SetInteriorColor(RGB(200, 40, 90));
    DrawFilledCircle(8, 8, 6);
    SetStrokeColor(RGB(20, 220, 60));
    DrawLine(0, 15, 23, 0);
    SetTargetImage(nullptr);
    const std::wstring path = TemporaryPath(L"seed." + extension);
    WriteImageFile(path.c_str(), &image);
    std::vector<char> bytes = FileBytes(path);
    DeleteFileW(path.c_str());
    return bytes;
}

// The n-th corruption of `seed`, from a small fixed generator: bytes changed,
// the file cut short, a run of bytes set to 0xFF or to 0.
std::vector<char> Mutation(const std::vector<char>& seed, unsigned n) {
    unsigned state = n * 2654435761u + 12345u;
    auto next = [&state](size_t below) {
        state = state * 1664525u + 1013904223u;
        return below ? (state >> 8) % below : 0;
    };
    std::vector<char> bytes = seed;
    const size_t at = next(bytes.size());
    switch (n % 4) {
        case 0:
            for (size_t k = 0, count = 1 + next(8); k < count; ++k)
                bytes[next(bytes.size())] = static_cast<char>(next(256));
            break;
        case 1:
            bytes.resize(at);
            break;
        case 2:
        case 3:
            for (size_t k = at; k < bytes.size() && k < at + 1 + next(32); ++k)
                bytes[k] = n % 4 == 2 ? '\xFF' : '\0';
            break;
    }
    return bytes;
}

// True when the image is black at its size, or holds a picture.
bool SoundAfterRead(IMAGE& image, bool read) {
    if (image.Width() != kWidth || image.Height() != kHeight) return false;
    if (read) return true;
    const DWORD* pixels = GetSurfacePixels(&image);
    for (int i = 0; i < kWidth * kHeight; ++i)
        if (pixels[i] != 0) return false;
    return true;
}

// What reading every corruption of a good picture gave: the reads whose
// destination is neither a picture nor black, and the ones that worked.
struct FuzzPass {
    int unsound = 0;
    int pictures = 0;
};

FuzzPass ReadEveryMutation(const std::vector<char>& seed, const std::wstring& path) {
    FuzzPass pass;
    IMAGE image(kWidth, kHeight);
    for (int n = 0; n < kMutations; ++n) {
        WriteBytes(path, Mutation(seed, n));
        std::fill_n(GetSurfacePixels(&image), kWidth * kHeight, kFill);
        const bool read = ReadImageFile(&image, path.c_str());
        pass.pictures += read;
        pass.unsound += !SoundAfterRead(image, read);
    }
    return pass;
}

// Two passes over the corruptions: the first loads what the decoders keep
// for the whole process, the second must then leave the counts flat.
void ExpectSoundFuzz(const std::wstring& extension) {
    const std::vector<char> seed = SeedPicture(extension);
    ASSERT_GT(seed.size(), 64u);
    const std::wstring path = TemporaryPath(L"fuzz." + extension);
    const FuzzPass first = ReadEveryMutation(seed, path);
    const int gdiBefore = FreeGdiSlots();
    const int handlesBefore = OpenHandleCount();
    const FuzzPass second = ReadEveryMutation(seed, path);
    const int gdiAfter = FreeGdiSlots();
    const int handlesAfter = OpenHandleCount();
    DeleteFileW(path.c_str());
    std::printf("%ls: %d corrupted files, %d read as a picture\n", extension.c_str(), kMutations,
                first.pictures);
    EXPECT_EQ(first.unsound, 0);
    EXPECT_EQ(second.unsound, 0);
    EXPECT_EQ(gdiAfter, gdiBefore);
    EXPECT_EQ(handlesAfter, handlesBefore);
}

TEST(PictureFuzz, CorruptBmpFilesAreReadSoundly) {
    ExpectSoundFuzz(L"bmp");
}

TEST(PictureFuzz, CorruptPngFilesAreReadSoundly) {
    ExpectSoundFuzz(L"png");
}

TEST(PictureFuzz, CorruptJpegFilesAreReadSoundly) {
    ExpectSoundFuzz(L"jpg");
}

TEST(PictureFuzz, CorruptGifFilesAreReadSoundly) {
    ExpectSoundFuzz(L"gif");
}

TEST(PictureFuzz, CorruptTiffFilesAreReadSoundly) {
    ExpectSoundFuzz(L"tif");
}

}  // namespace
