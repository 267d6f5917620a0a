// Picture files and resources: formats and extension rules, sizes on reading,
// transparency, the window, non-ASCII paths, and bad or damaged files.
#include <kanvo.h>

#include <gtest/gtest.h>

#include "image/imaging.h"
#include "program_driver.h"
#include "resource_counts.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

constexpr DWORD kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kYellow = 0xFFFF00;

// A folder of the test's own under the temporary folder, removed at the end.
struct TempFolder {
    fs::path path = fs::temp_directory_path() / ("kanvo_files_" + std::to_string(GetCurrentProcessId()));
    TempFolder() { fs::create_directories(path / L"图片"); }
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    std::wstring operator/(const wchar_t* name) const { return (path / name).wstring(); }
};

Bytes ReadBytes(const std::wstring& path) {
    std::ifstream file(fs::path(path), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::wstring& path, const Bytes& bytes) {
    std::ofstream(fs::path(path), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Colour bytes of a pixel (0x00RRGGBB).
DWORD At(IMAGE& image, int x, int y) {
    return GetSurfacePixels(&image)[static_cast<size_t>(y) * image.Width() + x] & 0xFFFFFF;
}

bool Near(DWORD actual, DWORD expected, int tolerance) {
    for (int shift = 0; shift <= 16; shift += 8)
        if (std::abs(static_cast<int>((actual >> shift) & 0xFF) -
                     static_cast<int>((expected >> shift) & 0xFF)) > tolerance)
            return false;
    return true;
}

// Four quadrants: red, green / blue, yellow.
IMAGE Quadrants(int width, int height) {
    IMAGE image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            GetSurfacePixels(&image)[y * width + x] =
                y < height / 2 ? (x < width / 2 ? kRed : kGreen) : (x < width / 2 ? kBlue : kYellow);
    return image;
}

// Whether the quadrant centres of a picture drawn into (0, 0, width, height)
// of the image have their colours.
bool HasQuadrants(IMAGE& image, int width, int height, int tolerance = 0) {
    const int l = width / 4, r = width * 3 / 4, t = height / 4, b = height * 3 / 4;
    return Near(At(image, l, t), kRed, tolerance) && Near(At(image, r, t), kGreen, tolerance) &&
           Near(At(image, l, b), kBlue, tolerance) && Near(At(image, r, b), kYellow, tolerance);
}

// The 100 x 100 picture compiled into this program: red, green / blue, and a
// bottom-right quadrant whose left half is transparent and right half
// half-transparent white.
Bytes CompiledPicture() {
    HRSRC resource = FindResourceW(nullptr, L"QUARTERS", L"PNG");
    const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(nullptr, resource)));
    return bytes ? Bytes(bytes, bytes + SizeofResource(nullptr, resource)) : Bytes();
}

void ExpectCompiledPicture(IMAGE& image) {
    ASSERT_EQ(image.Width(), 100);
    ASSERT_EQ(image.Height(), 100);
    EXPECT_EQ(At(image, 10, 10), kRed);
    EXPECT_EQ(At(image, 90, 10), kGreen);
    EXPECT_EQ(At(image, 10, 90), kBlue);
    EXPECT_EQ(At(image, 60, 90), 0u);  // transparent: the black it was cleared to
    EXPECT_TRUE(Near(At(image, 90, 90), 0x808080, 2)) << std::hex << At(image, 90, 90);
}

TEST(ImageFiles, ExtensionsChooseFormatsThatReadBack) {
    TempFolder folder;
    IMAGE picture = Quadrants(64, 48);
    const struct {
        const wchar_t* name;
        std::string magic;  // empty: nothing may be written
    } cases[] = {{L"a.bmp", "BM"},         {L"b.png", "\x89PNG"},    {L"c.PnG", "\x89PNG"},
                 {L"d.tif", "II*"},        {L"e.TIFF", "II*"},       {L"f.gif", "GIF8"},
                 {L"g.jpg", "\xFF\xD8\xFF"}, {L"h.jpeg", "\xFF\xD8\xFF"}, {L"i.image", ""},
                 {L"noextension", ""},     {L"图片.d\\nameless", ""}, {L"j.ti", ""},
                 {L"k.", ""},              {L"l.png.txt", ""}};
    fs::create_directories(folder / L"图片.d");
    for (const auto& c : cases) {
        const std::wstring path = folder / c.name;
        WriteImageFile(path.c_str(), &picture);
        const Bytes bytes = ReadBytes(path);
        EXPECT_EQ(bytes.size() >= c.magic.size() && !bytes.empty() &&
                      std::equal(c.magic.begin(), c.magic.end(), bytes.begin(),
                                 [](char a, unsigned char b) { return static_cast<unsigned char>(a) == b; }),
                  !c.magic.empty())
            << fs::path(c.name).string();
        if (bytes.empty()) continue;
        IMAGE loaded;
        ReadImageFile(&loaded, path.c_str());
        EXPECT_EQ(loaded.Width(), 64);
        EXPECT_TRUE(HasQuadrants(loaded, 64, 48, c.magic[0] == '\xFF' ? 24 : 0)) << c.magic;
    }
    // More than 256 colours in a GIF: each pixel becomes a near palette colour.
    IMAGE gradient(256, 4), loaded;
    for (DWORD i = 0; i < 1024; ++i) GetSurfacePixels(&gradient)[i] = (i % 256) << 16 | (i / 256) * 0x4040 | 7;
    WriteImageFile((folder / L"gradient.gif").c_str(), &gradient);
    ReadImageFile(&loaded, (folder / L"gradient.gif").c_str());
    ASSERT_EQ(loaded.Width(), 256);
    int distant = 0;
    for (int i = 0; i < 1024; ++i) distant += !Near(At(loaded, i % 256, i / 256), At(gradient, i % 256, i / 256), 26);
    EXPECT_EQ(distant, 0);
}

TEST(ImageFiles, ReadingSizesScalesAndPlacesThePicture) {
    TempFolder folder;
    const std::wstring path = folder / L"quadrants.png";
    IMAGE source = Quadrants(100, 100), own, scaled, existing(200, 200);
    WriteImageFile(path.c_str(), &source);
    ReadImageFile(&own, path.c_str());
    EXPECT_EQ(own.Width(), 100);
    EXPECT_EQ(own.Height(), 100);
    ReadImageFile(&scaled, path.c_str(), 50, 40);
    ASSERT_EQ(scaled.Width(), 50);
    ASSERT_EQ(scaled.Height(), 40);
    EXPECT_TRUE(HasQuadrants(scaled, 50, 40));

    // An existing raster keeps its size: the picture at the top left, black
    // elsewhere, whatever the destination's origin, scale and clip region,
    // which stay as they were.
    std::fill(GetSurfacePixels(&existing), GetSurfacePixels(&existing) + 40000, 0x00FFFFFF);
    SetTargetImage(&existing);
    MoveOrigin(30, 20);
    SetAxisScale(2.0f, 0.5f);
    HRGN clip = CreateRectRgn(0, 0, 10, 10);
    SetClipRegion(clip);
    SetTargetImage(nullptr);
    ReadImageFile(&existing, path.c_str());
    ASSERT_EQ(existing.Width(), 200);
    EXPECT_TRUE(HasQuadrants(existing, 100, 100));
    EXPECT_EQ(At(existing, 150, 50) | At(existing, 50, 150) | At(existing, 199, 199), 0u);
    XFORM transform = {};
    GetWorldTransform(GetSurfaceContext(&existing), &transform);
    EXPECT_EQ(transform.eDx, 30.0f);
    EXPECT_EQ(GetClipRgn(GetSurfaceContext(&existing), clip), 1);
    DeleteObject(clip);

    ReadImageFile(&existing, path.c_str(), 0, 0, true);
    EXPECT_EQ(existing.Width(), 100);
    EXPECT_TRUE(HasQuadrants(existing, 100, 100));
}

TEST(ImageFiles, ResourcesByNameAndNumberAndNonAsciiPaths) {
    IMAGE byName, byNumber(100, 100), fromFile, reread;
    ReadImageResource(&byName, L"PNG", L"quarters");
    ExpectCompiledPicture(byName);
    std::fill(GetSurfacePixels(&byNumber), GetSurfacePixels(&byNumber) + 10000, 0x00FFFFFF);
    ReadImageResource(&byNumber, L"PNG", MAKEINTRESOURCEW(7));
    ExpectCompiledPicture(byNumber);
    TempFolder folder;
    WriteBytes(folder / L"图片\\时钟.png", CompiledPicture());
    ReadImageFile(&fromFile, (folder / L"图片\\时钟.png").c_str());
    ExpectCompiledPicture(fromFile);
    WriteImageFile((folder / L"图片\\副本.bmp").c_str(), &fromFile);
    ReadImageFile(&reread, (folder / L"图片\\副本.bmp").c_str());
    ExpectCompiledPicture(reread);
}

// A failed load leaves the destination black at its size; an empty one stays
// empty unless a size was asked for. A failed save writes nothing.
TEST(ImageFiles, BadFilesPathsAndSizesDoNoHarm) {
    TempFolder folder;
    const Bytes png = CompiledPicture();
    Bytes huge = png;  // the header claims 40000 x 40000, with a right checksum
    const unsigned char claim[] = {0, 0, 0x9C, 0x40, 0, 0, 0x9C, 0x40};
    std::copy(std::begin(claim), std::end(claim), huge.begin() + 16);
    DWORD crc = 0xFFFFFFFF;
    for (int i = 12; i < 29; ++i)
        for (int bit = 0, byte = huge[i]; bit < 8; ++bit, byte >>= 1)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - ((crc ^ byte) & 1u)));
    for (int i = 0; i < 4; ++i) huge[29 + i] = static_cast<unsigned char>(~crc >> (24 - 8 * i));
    WriteBytes(folder / L"huge.png", huge);
    WriteBytes(folder / L"empty.png", {});
    WriteBytes(folder / L"truncated.png", Bytes(png.begin(), png.begin() + 60));
    WriteBytes(folder / L"text.png", Bytes(200, 'x'));
    for (const wchar_t* name : {L"missing.png", L"no folder\\a.png", L"empty.png", L"truncated.png",
                                L"text.png", L"huge.png", L"图片"}) {
        IMAGE existing(30, 20), empty, sized;
        std::fill(GetSurfacePixels(&existing), GetSurfacePixels(&existing) + 600, 0x00123456);
        ReadImageFile(&existing, (folder / name).c_str(), 0, 0, true);
        ReadImageFile(&empty, (folder / name).c_str());
        ReadImageFile(&sized, (folder / name).c_str(), 12, 8);
        EXPECT_EQ(existing.Width() * 100 + existing.Height(), 3020) << fs::path(name).string();
        EXPECT_EQ(At(existing, 0, 0) | At(existing, 29, 19), 0u) << fs::path(name).string();
        EXPECT_EQ(GetSurfacePixels(&empty), nullptr);
        EXPECT_EQ(sized.Width() * 100 + sized.Height(), 1208);
    }
    IMAGE existing(30, 20), empty, broken(-4, 4);
    WriteBytes(folder / L"good.png", png);
    ReadImageFile(&existing, (folder / L"good.png").c_str(), 100000, 100000, true);  // too big
    EXPECT_EQ(At(existing, 5, 5), kRed);  // the corner of the picture, drawn huge
    ReadImageFile(&existing, nullptr, 0, 0, true);
    ReadImageFile(&existing, (folder / L"good.png").c_str(), -5, 10, true);
    ReadImageResource(&existing, L"PNG", L"NO_SUCH_PICTURE", 0, 0, true);
    ReadImageResource(&existing, nullptr, nullptr, 0, 0, true);
    EXPECT_EQ(existing.Width() * 100 + existing.Height(), 3020);
    EXPECT_EQ(At(existing, 5, 5), 0u);

    fs::remove_all(folder.path);
    fs::create_directories(folder.path);
    WriteImageFile((folder / L"empty.png").c_str(), &empty);
    WriteImageFile((folder / L"broken.png").c_str(), &broken);
    WriteImageFile((folder / L"window.png").c_str(), nullptr);  // no window yet: no pixels
    WriteImageFile(nullptr, &existing);
    WriteImageFile((folder / L"no folder\\a.png").c_str(), &existing);
    Kanvo::g_imaging.started = false;  // as when the imaging library could not start
    WriteImageFile((folder / L"unstarted.png").c_str(), &existing);
    ReadImageResource(&existing, L"PNG", L"QUARTERS", 0, 0, true);
    Kanvo::g_imaging.started = true;
    EXPECT_TRUE(fs::is_empty(folder.path));
    EXPECT_EQ(existing.Width(), 30);
}

TEST(ImageFiles, WindowAsDestinationAndSource) {
    TempFolder folder;
    const std::wstring path = folder / L"quarters.png", saved = folder / L"window.bmp";
    WriteBytes(path, CompiledPicture());
    ReadImageFile(nullptr, (folder / L"missing.png").c_str());  // before the window: harmless
    HWND window = OpenGraphWindow(300, 200);
    ASSERT_NE(window, nullptr);
    ReadImageFile(nullptr, path.c_str(), 0, 0, true);
    // The window's image takes the picture's size; its client area too, as
    // far as the system's smallest window width allows.
    EXPECT_EQ(GetTargetWidth() * 1000 + GetTargetHeight(), 100100);
    RECT client = {};
    GetClientRect(window, &client);
    EXPECT_EQ(client.bottom, 100);
    EXPECT_LT(client.right, 300);
    Sleep(100);  // a few refreshes of the window thread
    const KanvoTest::ScreenCapture shown = KanvoTest::CaptureWindowDc(window);
    WriteImageFile(saved.c_str(), nullptr);
    CloseGraphWindow();
    ASSERT_GE(shown.width, 100);
    EXPECT_EQ(shown.At(10, 10), kRed);
    EXPECT_EQ(shown.At(60, 90), 0u);
    IMAGE reread;
    ReadImageFile(&reread, saved.c_str());
    ExpectCompiledPicture(reread);
}

// A few hundred damaged files of four formats: the process survives, and no
// GDI object or handle is left behind.
TEST(ImageFiles, DamagedFilesLeakNothing) {
    TempFolder folder;
    IMAGE picture = Quadrants(40, 30), target(50, 50);
    std::vector<Bytes> originals = {CompiledPicture()};
    for (const wchar_t* name : {L"base.jpg", L"base.gif", L"base.bmp"}) {
        WriteImageFile((folder / name).c_str(), &picture);
        originals.push_back(ReadBytes(folder / name));
    }
    const std::wstring path = folder / L"damaged";
    for (const Bytes& original : originals) {  // first uses set up lasting state
        WriteBytes(path, original);
        ReadImageFile(&target, path.c_str());
    }
    const int gdiBefore = KanvoTest::FreeGdiSlots();
    const int handlesBefore = KanvoTest::OpenHandleCount();
    unsigned seed = 12345;
    const auto next = [&seed](size_t range) {
        seed = seed * 1103515245u + 12345u;
        return range ? (seed >> 8) % range : 0;
    };
    for (int i = 0; i < 320; ++i) {
        Bytes bytes = originals[i % originals.size()];
        if (i % 3 != 1) bytes.resize(next(bytes.size()));  // truncated
        for (size_t flips = i % 3 ? 0 : 1 + next(8); flips > 0 && !bytes.empty(); --flips)
            bytes[next(bytes.size())] ^= static_cast<unsigned char>(1 + next(255));
        WriteBytes(path, bytes);
        IMAGE fresh;
        ReadImageFile(i % 2 ? &fresh : &target, path.c_str(), 0, 0, i % 2 != 0);
    }
    const int gdiAfter = KanvoTest::FreeGdiSlots();
    const int handlesAfter = KanvoTest::OpenHandleCount();
    EXPECT_EQ(gdiAfter, gdiBefore);
    EXPECT_EQ(handlesAfter, handlesBefore);
    EXPECT_EQ(target.Width(), 50);
}

}  // namespace
