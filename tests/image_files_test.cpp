// Picture files and resources: formats and extension rules, what reading and
// writing report, sizes on reading, bad files and non-ASCII paths.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "image_checks.h"

namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The bytes of a picture compiled into this program.
std::string Resource(const wchar_t* name) {
    HRSRC resource = FindResourceW(nullptr, name, L"PNG");
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, resource)));
    return bytes ? std::string(bytes, SizeofResource(nullptr, resource)) : std::string();
}

// How many middles of the compiled picture's five areas, scaled to the
// image's size, are farther than `tolerance` from their colours: red, green /
// blue, and a bottom-right quarter whose transparent left half loads as black
// and whose half-transparent white right half as grey.
int FarMiddles(IMAGE& image, int tolerance) {
    const int middles[][3] = {{10, 10, 0xFF0000},
                              {90, 10, 0x00FF00},
                              {10, 90, 0x0000FF},
                              {60, 90, 0},
                              {90, 90, 0x808080}};  // x, y, colour
    const int w = image.Width();
    const int h = image.Height();
    int distant = 0;
    for (const int* m : middles)
        if (!Near(At(image, m[0] * w / 100, m[1] * h / 100), m[2], tolerance)) ++distant;
    return distant;
}

// A folder of this process's own, whose name is not ASCII, removed at the end;
// `picture_` holds the compiled 100 x 100 picture, also written to a.png.
class ImageFiles : public testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(folder_);
        ReadImageResource(&picture_, "PNG", "QUARTERS");  // the UTF-8 form
        WriteBytes(In(L"a.png"), Resource(L"QUARTERS"));
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_.parent_path(), ignored);
    }
    std::wstring In(const std::wstring& name) const { return (folder_ / name).wstring(); }

    const fs::path folder_ = fs::temp_directory_path() /
                             ("kanvo" + std::to_string(GetCurrentProcessId())) / L"\u56fe\u7247.d";
    IMAGE picture_;
};

// The extension chooses the format, in any case; JPEG is lossy: its colours
// are only near at the middles.
TEST_F(ImageFiles, EveryFormatReadsBackWhatWasWritten) {
    const std::pair<const wchar_t*, std::string> cases[] = {
        {L"a.bmp", "BM"},   {L"c.PnG", "\x89PNG"},   {L"d.tif", "II*"},     {L"e.TIFF", "II*"},
        {L"f.gif", "GIF8"}, {L"h.jpeg", "\xFF\xD8"}, {L"g.JPG", "\xFF\xD8"}};
    for (const auto& [name, magic] : cases) {
        SCOPED_TRACE(testing::Message() << name);
        IMAGE loaded;
        EXPECT_TRUE(WriteImageFile(In(name).c_str(), &picture_));
        EXPECT_TRUE(ReadImageFile(&loaded, In(name).c_str()));
        EXPECT_EQ(ReadBytes(In(name)).substr(0, magic.size()), magic);
        EXPECT_EQ(FarMiddles(loaded, 26), 0);
        IMAGE& same = magic == "\xFF\xD8" ? loaded : picture_;
        EXPECT_EQ(Differ(loaded, same, 0), "100x100 0");
    }
}

// Missing, in a folder that does not exist, not a picture, truncated, and
// claiming 40000 x 40000: resized to fit and at a size asked for, the
// destination is black at its size.
TEST_F(ImageFiles, BadFilesLeaveABlackImage) {
    IMAGE empty;
    WriteBytes(In(L"text.png"), "text");
    WriteBytes(In(L"cut.png"), Resource(L"QUARTERS").substr(0, 60));
    WriteBytes(In(L"huge.png"), Resource(L"HUGE"));
    for (const std::wstring& path : {In(L"missing.png"), In(L"none\\a.png"), In(L"text.png"),
                                     In(L"cut.png"), In(L"huge.png")}) {
        SCOPED_TRACE(testing::Message() << fs::path(path).filename());
        IMAGE filled = Patterned(30, 20);
        IMAGE sized;
        EXPECT_FALSE(ReadImageFile(&filled, path.c_str(), 0, 0, true));
        ReadImageFile(&sized, path.c_str(), 12, 8);
        EXPECT_EQ(Differ(filled, empty), "30x20 0");
        EXPECT_EQ(Differ(sized, empty), "12x8 0");
    }
}

// Names without a known extension (the last one counts), a folder that does
// not exist and a resource that does not exist are bad arguments too.
TEST_F(ImageFiles, BadArgumentsReadBlackAndWriteNothing) {
    IMAGE kept = Patterned(30, 20);
    IMAGE empty;
    EXPECT_FALSE(WriteImageFile(In(L"j.ti").c_str(), &kept));
    EXPECT_FALSE(WriteImageFile(In(L"k.png.txt").c_str(), &kept));
    EXPECT_FALSE(WriteImageFile(In(L"none\\b.png").c_str(), &kept));
    EXPECT_FALSE(ReadImageResource(&kept, L"PNG", L"NO_SUCH_PICTURE", 0, 0, true));
    EXPECT_FALSE(ReadImageFile(&kept, nullptr, 0, 0, true));
    EXPECT_FALSE(ReadImageFile(&kept, In(L"a.png").c_str(), -5, 10, true));
    EXPECT_FALSE(ReadImageResource(&kept, nullptr, nullptr, 0, 0, true));
    EXPECT_FALSE(WriteImageFile(In(L"unwritten.png").c_str(), &empty));
    EXPECT_FALSE(WriteImageFile(nullptr, &kept));
    EXPECT_EQ(Differ(kept, empty), "30x20 0");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

// The picture lands at the top left, black elsewhere, whatever the
// destination's origin and scale; a size asked for scales it.
TEST_F(ImageFiles, AnExistingRasterKeepsItsSizeUnlessResizedOrScaled) {
    IMAGE existing = Patterned(200, 200);
    IMAGE scaled;
    SetTargetImage(&existing);
    MoveOrigin(30, 20);
    SetAxisScale(2.0f, 0.5f);
    ReadImageFile(&existing, In(L"a.png").c_str());
    EXPECT_EQ(Differ(existing, picture_), "200x200 0");
    ReadImageFile(&existing, In(L"a.png").c_str(), 0, 0, true);
    EXPECT_EQ(Differ(existing, picture_), "100x100 0");
    ReadImageFile(&scaled, (folder_ / L"a.png").u8string().c_str(), 50, 40);  // the UTF-8 form
    EXPECT_EQ(scaled.Width(), 50);
    EXPECT_EQ(scaled.Height(), 40);
    EXPECT_EQ(FarMiddles(scaled, 2), 0);
}

}  // namespace
