// Picture files and resources: formats and extension rules, sizes and scaling
// on reading, transparency, the window as destination, non-ASCII paths, and
// bad, missing, corrupt and truncated files.
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
class TempFolder {
public:
    TempFolder() {
        path_ = fs::temp_directory_path() /
                (L"kanvo_files_" + std::to_wstring(GetCurrentProcessId()));
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    std::wstring operator/(const std::wstring& name) const { return (path_ / name).wstring(); }

private:
    fs::path path_;
};

Bytes ReadBytes(const std::wstring& path) {
    std::ifstream file(fs::path(path), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::wstring& path, const Bytes& bytes) {
    std::ofstream file(fs::path(path), std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

bool StartsWith(const Bytes& bytes, const std::string& magic) {
    return bytes.size() >= magic.size() &&
           std::equal(magic.begin(), magic.end(), bytes.begin(),
                      [](char a, unsigned char b) { return static_cast<unsigned char>(a) == b; });
}

// The colour bytes of a pixel (0x00RRGGBB).
DWORD At(IMAGE& image, int x, int y) {
    return GetSurfacePixels(&image)[static_cast<size_t>(y) * image.Width() + x] & 0xFFFFFF;
}

bool Near(DWORD actual, DWORD expected, int tolerance) {
    for (int shift = 0; shift <= 16; shift += 8) {
        const int difference = static_cast<int>((actual >> shift) & 0xFF) -
                               static_cast<int>((expected >> shift) & 0xFF);
        if (std::abs(difference) > tolerance) return false;
    }
    return true;
}

// Four quadrants: red, green / blue, yellow.
void PaintQuadrants(IMAGE& image) {
    const int width = image.Width(), height = image.Height();
    DWORD* pixels = GetSurfacePixels(&image);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[y * width + x] = y < height / 2 ? (x < width / 2 ? kRed : kGreen)
                                                   : (x < width / 2 ? kBlue : kYellow);
}

// Checks the quadrant centres of a picture of PaintQuadrants drawn into the
// rectangle (0, 0, width, height) of the image.
void ExpectQuadrants(IMAGE& image, int width, int height, int tolerance) {
    const int left = width / 4, right = width * 3 / 4, top = height / 4, bottom = height * 3 / 4;
    EXPECT_TRUE(Near(At(image, left, top), kRed, tolerance)) << std::hex << At(image, left, top);
    EXPECT_TRUE(Near(At(image, right, top), kGreen, tolerance)) << std::hex << At(image, right, top);
    EXPECT_TRUE(Near(At(image, left, bottom), kBlue, tolerance)) << std::hex << At(image, left, bottom);
    EXPECT_TRUE(Near(At(image, right, bottom), kYellow, tolerance))
        << std::hex << At(image, right, bottom);
}

// The 100 x 100 picture compiled into this program: red, green / blue, and a
// bottom-right quadrant whose left half is fully transparent and right half
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
    EXPECT_EQ(At(image, 60, 90), 0u);  // transparent over black
    EXPECT_TRUE(Near(At(image, 90, 90), 0x808080, 2)) << std::hex << At(image, 90, 90);
}

TEST(ImageFiles, EveryFormatWritesAndReadsBack) {
    TempFolder folder;
    IMAGE picture(64, 48);
    PaintQuadrants(picture);
    struct Format {
        const wchar_t* extension;
        std::string magic;
        bool lossless;
    };
    const Format formats[] = {{L"bmp", "BM", true},          {L"png", "\x89PNG", true},
                              {L"tif", "II*", true},         {L"gif", "GIF8", true},
                              {L"jpg", "\xFF\xD8\xFF", false}};
    for (const Format& format : formats) {
        SCOPED_TRACE(std::string(format.magic));
        const std::wstring path = folder / (std::wstring(L"picture.") + format.extension);
        WriteImageFile(path.c_str(), &picture);
        EXPECT_TRUE(StartsWith(ReadBytes(path), format.magic));
        IMAGE loaded;
        ReadImageFile(&loaded, path.c_str());
        ASSERT_EQ(loaded.Width(), 64);
        ASSERT_EQ(loaded.Height(), 48);
        if (format.lossless) {
            int differing = 0;
            for (int y = 0; y < 48; ++y)
                for (int x = 0; x < 64; ++x) differing += At(loaded, x, y) != At(picture, x, y);
            EXPECT_EQ(differing, 0);
        }
        ExpectQuadrants(loaded, 64, 48, format.lossless ? 0 : 24);
    }

    // More than 256 colours in a GIF: each pixel becomes a near palette colour.
    IMAGE gradient(256, 4);
    for (int i = 0; i < 256 * 4; ++i)
        GetSurfacePixels(&gradient)[i] = static_cast<DWORD>(i % 256) * 0x010000 + (i / 256) * 0x4040 + 7;
    const std::wstring path = folder / L"gradient.gif";
    WriteImageFile(path.c_str(), &gradient);
    IMAGE loaded;
    ReadImageFile(&loaded, path.c_str());
    ASSERT_EQ(loaded.Width(), 256);
    int distant = 0;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 256; ++x) distant += !Near(At(loaded, x, y), At(gradient, x, y), 26);
    EXPECT_EQ(distant, 0);
}

TEST(ImageFiles, ExtensionChoosesTheEncoderByWholeEntry) {
    TempFolder folder;
    IMAGE picture(8, 8);
    fs::create_directories(folder / L"dir.d");
    struct Case {
        const wchar_t* name;
        std::string magic;  // empty: nothing is written
    };
    const Case cases[] = {
        {L"a.png", "\x89PNG"},      {L"b.PnG", "\x89PNG"},        {L"c.jpeg", "\xFF\xD8\xFF"},
        {L"d.jpg", "\xFF\xD8\xFF"}, {L"e.TIFF", "II*"},           {L"f.image", ""},
        {L"noextension", ""},       {L"dir.d\\nameless", ""},     {L"g.ti", ""},
        {L"h.xyz", ""},             {L"i.", ""},                  {L"j.png.txt", ""},
    };
    for (const Case& c : cases) {
        const std::wstring path = folder / c.name;
        WriteImageFile(path.c_str(), &picture);
        const bool written = fs::exists(path);
        EXPECT_EQ(written, !c.magic.empty()) << fs::path(c.name).string();
        if (written) {
            EXPECT_TRUE(StartsWith(ReadBytes(path), c.magic)) << fs::path(c.name).string();
        }
    }
}

TEST(ImageFiles, ReadingSizesScalesAndPlacesThePicture) {
    TempFolder folder;
    const std::wstring path = folder / L"quadrants.png";
    IMAGE source(100, 100);
    PaintQuadrants(source);
    WriteImageFile(path.c_str(), &source);

    IMAGE own;
    ReadImageFile(&own, path.c_str());
    EXPECT_EQ(own.Width(), 100);
    EXPECT_EQ(own.Height(), 100);

    IMAGE scaled;
    ReadImageFile(&scaled, path.c_str(), 50, 40);
    ASSERT_EQ(scaled.Width(), 50);
    ASSERT_EQ(scaled.Height(), 40);
    ExpectQuadrants(scaled, 50, 40, 0);

    // An existing raster keeps its size: the picture in its top-left quarter,
    // black elsewhere (whatever was there before).
    IMAGE existing(200, 200);
    std::fill(GetSurfacePixels(&existing), GetSurfacePixels(&existing) + 200 * 200, 0x00FFFFFF);
    ReadImageFile(&existing, path.c_str());
    ASSERT_EQ(existing.Width(), 200);
    ExpectQuadrants(existing, 100, 100, 0);
    EXPECT_EQ(At(existing, 150, 50), 0u);
    EXPECT_EQ(At(existing, 50, 150), 0u);
    EXPECT_EQ(At(existing, 199, 199), 0u);

    // The destination's own origin, scale and clip region do not move or cut
    // the picture, and stay in place for later drawing.
    SetTargetImage(&existing);
    MoveOrigin(30, 20);
    SetAxisScale(2.0f, 0.5f);
    HRGN clip = CreateRectRgn(0, 0, 10, 10);
    SetClipRegion(clip);
    DeleteObject(clip);
    SetTargetImage(nullptr);
    ReadImageFile(&existing, path.c_str());
    ExpectQuadrants(existing, 100, 100, 0);
    EXPECT_EQ(At(existing, 150, 50), 0u);
    XFORM transform = {};
    GetWorldTransform(GetSurfaceContext(&existing), &transform);
    EXPECT_EQ(transform.eDx, 30.0f);
    EXPECT_EQ(transform.eM11, 2.0f);
    HRGN kept = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetClipRgn(GetSurfaceContext(&existing), kept), 1);
    RECT box = {};
    GetRgnBox(kept, &box);
    DeleteObject(kept);
    EXPECT_EQ(box.right, 10);

    ReadImageFile(&existing, path.c_str(), 0, 0, true);  // resizeToFit
    EXPECT_EQ(existing.Width(), 100);
    EXPECT_EQ(existing.Height(), 100);
    ExpectQuadrants(existing, 100, 100, 0);
}

TEST(ImageFiles, ResourcesLoadByNameAndNumberAndTransparencyIsBlack) {
    IMAGE byName;
    ReadImageResource(&byName, L"PNG", L"quarters");
    ExpectCompiledPicture(byName);
    IMAGE byNumber(100, 100);
    std::fill(GetSurfacePixels(&byNumber), GetSurfacePixels(&byNumber) + 100 * 100, 0x00FFFFFF);
    ReadImageResource(&byNumber, L"PNG", MAKEINTRESOURCEW(7));
    ExpectCompiledPicture(byNumber);

    // The same picture from a file, at a path that is not ASCII.
    TempFolder folder;
    fs::create_directories(folder / L"图片");
    const std::wstring path = folder / L"图片\\时钟.png";
    WriteBytes(path, CompiledPicture());
    IMAGE fromFile(100, 100);
    ReadImageFile(&fromFile, path.c_str());
    ExpectCompiledPicture(fromFile);
    const std::wstring copy = folder / L"图片\\副本.bmp";
    WriteImageFile(copy.c_str(), &fromFile);
    IMAGE reread;
    ReadImageFile(&reread, copy.c_str());
    ExpectCompiledPicture(reread);
}

// Every failed load leaves the destination black at its size; an empty one
// stays empty unless a size was asked for.
TEST(ImageFiles, FailedLoadsClearAndKeepTheSize) {
    TempFolder folder;
    const Bytes png = CompiledPicture();
    WriteBytes(folder / L"empty.png", {});
    WriteBytes(folder / L"truncated.png", Bytes(png.begin(), png.begin() + 60));
    WriteBytes(folder / L"text.png", Bytes(200, 'x'));
    const std::wstring paths[] = {folder / L"missing.png", folder / L"no folder\\a.png",
                                  folder / L"empty.png", folder / L"truncated.png",
                                  folder / L"text.png", folder / L""};
    for (const std::wstring& path : paths) {
        SCOPED_TRACE(fs::path(path).string());
        IMAGE existing(30, 20);
        std::fill(GetSurfacePixels(&existing), GetSurfacePixels(&existing) + 600, 0x00123456);
        ReadImageFile(&existing, path.c_str(), 0, 0, true);
        ASSERT_EQ(existing.Width(), 30);
        ASSERT_EQ(existing.Height(), 20);
        EXPECT_EQ(At(existing, 0, 0), 0u);
        EXPECT_EQ(At(existing, 29, 19), 0u);
        IMAGE empty;
        ReadImageFile(&empty, path.c_str());
        EXPECT_EQ(GetSurfacePixels(&empty), nullptr);
        IMAGE sized;
        ReadImageFile(&sized, path.c_str(), 12, 8);
        EXPECT_EQ(sized.Width(), 12);
        ASSERT_NE(GetSurfacePixels(&sized), nullptr);
        EXPECT_EQ(At(sized, 11, 7), 0u);
    }
    IMAGE existing(30, 20);
    ReadImageFile(&existing, nullptr, 0, 0, true);
    ReadImageFile(&existing, (folder / L"truncated.png").c_str(), -5, 10, true);
    ReadImageResource(&existing, L"PNG", L"NO_SUCH_PICTURE", 0, 0, true);
    ReadImageResource(&existing, nullptr, nullptr, 0, 0, true);
    EXPECT_EQ(existing.Width(), 30);
    EXPECT_EQ(existing.Height(), 20);
}

TEST(ImageFiles, BadWritesWriteNothing) {
    TempFolder folder;
    IMAGE empty;
    IMAGE broken(-4, 4);
    WriteImageFile((folder / L"empty.png").c_str(), &empty);
    WriteImageFile((folder / L"broken.png").c_str(), &broken);
    WriteImageFile((folder / L"window.png").c_str(), nullptr);  // no window yet: no pixels
    IMAGE picture(4, 4);
    WriteImageFile(nullptr, &picture);
    WriteImageFile((folder / L"no folder\\a.png").c_str(), &picture);
    EXPECT_TRUE(fs::is_empty(folder / L""));
}

// Pictures claiming sizes far beyond what can be allocated, and a requested
// size too large to create.
TEST(ImageFiles, HugeClaimsAndHugeSizesAreRefusedCleanly) {
    TempFolder folder;
    // 40000 x 40000 in the PNG header, with the header's checksum made right.
    Bytes png = CompiledPicture();
    const unsigned char claim[] = {0, 0, 0x9C, 0x40, 0, 0, 0x9C, 0x40};
    std::copy(std::begin(claim), std::end(claim), png.begin() + 16);
    unsigned long crc = 0xFFFFFFFF;
    for (int i = 12; i < 29; ++i) {  // chunk type and data
        crc ^= png[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    crc ^= 0xFFFFFFFF;
    for (int i = 0; i < 4; ++i) png[29 + i] = static_cast<unsigned char>(crc >> (24 - 8 * i));
    WriteBytes(folder / L"huge.png", png);
    Bytes bmp(54, 0);
    const unsigned char header[] = {'B', 'M', 54, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0,
                                    0x40, 0x9C, 0, 0, 0x40, 0x9C, 0, 0, 1, 0, 32, 0};
    std::copy(std::begin(header), std::end(header), bmp.begin());
    WriteBytes(folder / L"huge.bmp", bmp);

    for (const wchar_t* name : {L"huge.png", L"huge.bmp"}) {
        IMAGE existing(30, 20);
        ReadImageFile(&existing, (folder / name).c_str(), 0, 0, true);
        EXPECT_EQ(existing.Width(), 30);
        EXPECT_EQ(existing.Height(), 20);
    }
    const std::wstring good = folder / L"good.png";
    WriteBytes(good, CompiledPicture());
    IMAGE existing(30, 20);
    ReadImageFile(&existing, good.c_str(), 100000, 100000, true);
    EXPECT_EQ(existing.Width(), 30);
    EXPECT_EQ(existing.Height(), 20);
    EXPECT_EQ(At(existing, 5, 5), kRed);  // the picture's corner, drawn huge
}

TEST(ImageFiles, WindowAsDestinationAndSource) {
    TempFolder folder;
    const std::wstring path = folder / L"quarters.png";
    WriteBytes(path, CompiledPicture());
    ReadImageFile(nullptr, (folder / L"missing.png").c_str());  // before the window: harmless

    HWND window = OpenGraphWindow(300, 200);
    ASSERT_NE(window, nullptr);
    ReadImageFile(nullptr, path.c_str(), 0, 0, true);
    // The window's image takes the picture's size; the window's client area
    // too, as far as the system's smallest window width allows.
    EXPECT_EQ(GetTargetWidth(), 100);
    EXPECT_EQ(GetTargetHeight(), 100);
    RECT client = {};
    GetClientRect(window, &client);
    EXPECT_EQ(client.bottom, 100);
    EXPECT_LT(client.right, 300);
    Sleep(100);  // a few refreshes of the window thread
    const KanvoTest::ScreenCapture shown = KanvoTest::CaptureWindowDc(window);
    ASSERT_GE(shown.width, 100);
    EXPECT_EQ(shown.At(10, 10), kRed);
    EXPECT_EQ(shown.At(90, 10), kGreen);
    EXPECT_EQ(shown.At(60, 90), 0u);

    const std::wstring saved = folder / L"window.bmp";
    WriteImageFile(saved.c_str(), nullptr);
    CloseGraphWindow();
    IMAGE reread;
    ReadImageFile(&reread, saved.c_str());
    ExpectCompiledPicture(reread);
    ReadImageFile(nullptr, path.c_str(), 0, 0, true);  // after closing: harmless
}

TEST(ImageFiles, WithoutTheImagingLibraryNothingHarmfulHappens) {
    TempFolder folder;
    const std::wstring path = folder / L"quarters.png";
    WriteBytes(path, CompiledPicture());
    Kanvo::g_imaging.started = false;  // as when it could not be loaded or started
    IMAGE existing(30, 20);
    std::fill(GetSurfacePixels(&existing), GetSurfacePixels(&existing) + 600, 0x00123456);
    ReadImageFile(&existing, path.c_str(), 0, 0, true);
    WriteImageFile((folder / L"out.png").c_str(), &existing);
    Kanvo::g_imaging.started = true;
    EXPECT_EQ(existing.Width(), 30);
    EXPECT_EQ(At(existing, 3, 3), 0u);
    EXPECT_FALSE(fs::exists(folder / L"out.png"));
}

// A few hundred damaged files of four formats: the process survives, and no
// GDI object or handle is left behind.
TEST(ImageFiles, DamagedFilesLeakNothing) {
    TempFolder folder;
    IMAGE picture(40, 30);
    PaintQuadrants(picture);
    std::vector<Bytes> originals = {CompiledPicture()};
    for (const wchar_t* name : {L"base.jpg", L"base.gif", L"base.bmp"}) {
        WriteImageFile((folder / name).c_str(), &picture);
        originals.push_back(ReadBytes(folder / name));
    }
    const std::wstring path = folder / L"damaged";
    IMAGE target(50, 50);
    for (const Bytes& original : originals) {  // first use sets up lasting state
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
    int survived = 0;
    for (int i = 0; i < 320; ++i) {
        Bytes bytes = originals[i % originals.size()];
        if (i % 3 != 1) bytes.resize(next(bytes.size()));  // truncated
        for (int flips = i % 3 ? 0 : 1 + static_cast<int>(next(8)); flips > 0; --flips) {
            if (!bytes.empty()) bytes[next(bytes.size())] ^= static_cast<unsigned char>(1 + next(255));
        }
        WriteBytes(path, bytes);
        if (i % 2) {
            IMAGE fresh;
            ReadImageFile(&fresh, path.c_str(), 0, 0, true);
        } else {
            ReadImageFile(&target, path.c_str(), 0, 0, false);
        }
        ++survived;
    }
    const int gdiAfter = KanvoTest::FreeGdiSlots();
    const int handlesAfter = KanvoTest::OpenHandleCount();
    EXPECT_EQ(survived, 320);
    EXPECT_EQ(gdiAfter, gdiBefore);
    EXPECT_EQ(handlesAfter, handlesBefore);
    EXPECT_EQ(target.Width(), 50);
}

}  // namespace
