// Whether reading and writing picture files worked: false for a missing,
// corrupt or unknown file and an unwritable folder, true for a good file.
#include <gtest/gtest.h>

#include <kanvo.h>

#include <cstdio>
#include <string>

namespace {

// A path in the temporary folder, unique to this process.
std::wstring TemporaryPath(const std::wstring& name) {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return folder + std::to_wstring(GetCurrentProcessId()) + L"_" + name;
}

void WriteBytes(const std::wstring& path, const char* bytes, size_t count) {
    if (FILE* file = _wfopen(path.c_str(), L"wb")) {
        std::fwrite(bytes, 1, count, file);
        std::fclose(file);
    }
}

TEST(ImageFilesResult, WritingAGoodPictureGivesTrue) {
    IMAGE image(8, 6);
    const std::wstring path = TemporaryPath(L"good.png");
    EXPECT_TRUE(WriteImageFile(path.c_str(), &image));
    DeleteFileW(path.c_str());
}

TEST(ImageFilesResult, ReadingAGoodPictureGivesTrue) {
    IMAGE written(8, 6);
    const std::wstring path = TemporaryPath(L"good.bmp");
    ASSERT_TRUE(WriteImageFile(path.c_str(), &written));
    IMAGE read;
    EXPECT_TRUE(ReadImageFile(&read, path.c_str()));
    DeleteFileW(path.c_str());
}

TEST(ImageFilesResult, ReadingAMissingFileGivesFalse) {
    IMAGE image(8, 6);
    EXPECT_FALSE(ReadImageFile(&image, TemporaryPath(L"missing.png").c_str()));
}

TEST(ImageFilesResult, ReadingACorruptFileGivesFalse) {
    const std::wstring path = TemporaryPath(L"corrupt.png");
    const char bytes[] = "\x89PNG\r\n\x1a\n this is no picture";
    WriteBytes(path, bytes, sizeof bytes - 1);
    IMAGE image(8, 6);
    EXPECT_FALSE(ReadImageFile(&image, path.c_str()));
    DeleteFileW(path.c_str());
}

TEST(ImageFilesResult, ReadingAMissingResourceGivesFalse) {
    IMAGE image(8, 6);
    EXPECT_FALSE(ReadImageResource(&image, L"PICTURE", L"NO_SUCH_PICTURE"));
}

TEST(ImageFilesResult, WritingAnUnknownExtensionGivesFalse) {
    IMAGE image(8, 6);
    const std::wstring path = TemporaryPath(L"picture.xyz");
    EXPECT_FALSE(WriteImageFile(path.c_str(), &image));
    EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(ImageFilesResult, WritingIntoAMissingFolderGivesFalse) {
    IMAGE image(8, 6);
    const std::wstring path = TemporaryPath(L"no_such_folder\\picture.png");
    EXPECT_FALSE(WriteImageFile(path.c_str(), &image));
}

}  // namespace
