// Corrupted and truncated picture files of every format: reading each one
// returns promptly, leaves the destination either holding a picture or black
// at its size (the failure path), and leaks no GDI object or handle.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "image_checks.h"

namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 24;
constexpr int kHeight = 16;
constexpr int kMutations = 320;

// The bytes of a good picture, written in the format of the path's extension.
std::string SeedPicture(const fs::path& path) {
    IMAGE image = Patterned(kWidth, kHeight);
    WriteImageFile(path.c_str(), &image);
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A corruption of `bytes`: cut short, a few bytes changed, or a run of bytes
// set to 0xFF (lengths and sizes that claim far too much).
std::string Mutation(std::string bytes, int n, std::minstd_rand& random) {
    const size_t at = random() % bytes.size();
    const size_t run = 1 + random() % 16;
    if (n % 3 == 0) bytes.resize(at);
    if (n % 3 == 1) bytes[at] = static_cast<char>(random());
    if (n % 3 == 1) bytes[random() % bytes.size()] = static_cast<char>(random());
    if (n % 3 == 2) bytes.replace(at, run, run, '\xFF');
    return bytes;
}

// How many corruptions of `seed` left the destination neither holding a
// picture nor black at its size.
int UnsoundReads(const std::string& seed, const fs::path& path) {
    std::minstd_rand random(2024);
    int unsound = 0;
    for (int n = 0; n < kMutations; ++n) {
        std::ofstream(path, std::ios::binary) << Mutation(seed, n, random);
        IMAGE image = Patterned(kWidth, kHeight);
        const bool read = ReadImageFile(&image, path.c_str());
        unsound += Differ(image, [](int, int) { return 0u; }) != "24x16 0" && !read;
        unsound += image.Width() != kWidth;
        unsound += image.Height() != kHeight;
    }
    return unsound;
}

// Two passes over the corruptions: the first loads what the decoders keep
// for the whole process, the second must then leave the counts flat.
TEST(PictureFuzz, CorruptFilesOfEveryFormatAreReadSoundlyWithoutLeaks) {
    for (const wchar_t* extension : {L"bmp", L"png", L"jpg", L"gif", L"tif"}) {
        SCOPED_TRACE(testing::Message() << extension);
        const fs::path path = fs::temp_directory_path() /
                              (std::to_wstring(GetCurrentProcessId()) + L"_fuzz." + extension);
        const std::string seed = SeedPicture(path);
        ASSERT_GT(seed.size(), 64u);
        EXPECT_EQ(UnsoundReads(seed, path), 0);
        const auto before = SettledCounts();
        EXPECT_EQ(UnsoundReads(seed, path), 0);
        EXPECT_EQ(SettledCounts(), before);
        fs::remove(path);
    }
}

}  // namespace
