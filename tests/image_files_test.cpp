// Picture files and resources: bad or damaged files, formats and extension
// rules, sizes on reading, transparency, the window and non-ASCII paths.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "image/imaging.h"
#include "image_checks.h"

namespace fs = std::filesystem;

static std::string ReadBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}
static void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The bytes of a picture compiled into this program.
static std::string Resource(const wchar_t* name) {
    HRSRC resource = FindResourceW(nullptr, name, L"PNG");
    const auto* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, resource)));
    return bytes ? std::string(bytes, SizeofResource(nullptr, resource)) : std::string();
}

// How many middles of the compiled picture's five areas, scaled to the
// image's size, are farther than `tolerance` from their colours: red, green /
// blue, and a bottom-right quarter whose transparent left half loads as black
// and whose half-transparent white right half as grey.
static int FarMiddles(IMAGE& image, int tolerance) {
    static const int middles[][3] = {{10, 10, 0xFF0000},
                                     {90, 10, 0x00FF00},
                                     {10, 90, 0x0000FF},
                                     {60, 90, 0},
                                     {90, 90, 0x808080}};  // x, y, colour
    int distant = 0, w = image.Width(), h = image.Height();
    for (const int* m : middles)
        distant += !Near(At(image, m[0] * w / 100, m[1] * h / 100), m[2], tolerance);
    return distant;
}

// First the bad input. Damaged, empty, huge-claiming and missing files, a
// folder, a path into a missing folder, bad arguments and a stopped imaging
// library: the process survives, a destination is black at its size (an empty
// one stays empty unless a size was asked for), a failed save writes nothing,
// and no GDI object or handle is left behind. The files live in a folder of
// this process's own, with a subfolder whose name is not ASCII.
TEST(ImageFiles, BadFilesFormatsSizesResourcesAndTheWindow) {
    const auto dir = fs::temp_directory_path() / ("kanvo" + std::to_string(GetCurrentProcessId()));
    const std::wstring sub = (dir / L"\u56fe\u7247.d").wstring() + L"\\";  // a full stop too
    IMAGE picture, target(50, 50), kept(30, 20), empty, broken(-4, 4);     // picture: 100 x 100
    fs::create_directories(sub);
    ReadImageResource(&picture, L"PNG", L"QUARTERS");
    std::vector<std::string> originals = {Resource(L"QUARTERS")};
    for (const wchar_t* name : {L"base.jpg", L"base.gif", L"base.bmp"})
        WriteImageFile((dir / name).c_str(), &picture), originals.push_back(ReadBytes(dir / name));
    // Missing, in a folder that does not exist, empty, not a picture, a folder,
    // truncated, and claiming 40000 x 40000.
    const std::pair<fs::path, std::string> bad[] = {{L"missing.png", ""},
                                                    {L"none\\a.png", ""},
                                                    {L"empty.png", ""},
                                                    {L"text.png", "text"},
                                                    {sub, ""},
                                                    {L"cut.png", originals[0].substr(0, 60)},
                                                    {L"huge.png", Resource(L"HUGE")}};
    for (const auto& file : bad) WriteBytes(dir / file.first, file.second);
    fs::remove(dir / L"missing.png");
    std::pair<int, int> before;
    std::minstd_rand random(12345);
    std::string wrong;
    for (int i = -4; i < 320; ++i) {  // first the undamaged files: first uses set up lasting state
        if (i == 0) before = SettledCounts();
        std::string bytes = originals[(i + 4) % originals.size()];
        if (i >= 0 && i % 3 != 1) bytes.resize(random() % bytes.size());  // truncated
        for (size_t flips = i < 0 || i % 3 ? 0 : 1 + random() % 8; flips && !bytes.empty(); --flips)
            bytes[random() % bytes.size()] ^= static_cast<char>(1 + random() % 255);
        WriteBytes(dir / L"damaged", bytes);
        IMAGE fresh;
        ReadImageFile(i % 2 ? &fresh : &target, (dir / L"damaged").c_str(), 0, 0, i % 2 != 0);
    }
    for (const auto& file : bad) {  // resized to fit, into an empty image, at a size asked for
        IMAGE filled = Patterned(30, 20), none, sized;
        const fs::path path = dir / file.first;
        ReadImageFile(&filled, path.c_str(), 0, 0, true);
        ReadImageFile(&none, path.c_str());
        ReadImageFile(&sized, path.c_str(), 12, 8);
        const std::string seen = Differ(filled, empty) + Differ(none, empty) + Differ(sized, empty);
        if (seen != "30x20 00x0 012x8 0") wrong += seen + ";";
    }
    // A size too big for the system: the picture's red top-left corner stays.
    ReadImageFile(&kept, (dir / L"base.bmp").c_str(), 100000, 100000, true);
    const DWORD corner = At(kept, 29, 19) & 0xFFFFFF;
    ReadImageFile(&kept, nullptr, 0, 0, true);
    ReadImageFile(&kept, (dir / L"base.bmp").c_str(), -5, 10, true);
    ReadImageResource(&kept, L"PNG", L"NO_SUCH_PICTURE", 0, 0, true);
    ReadImageResource(&kept, nullptr, nullptr, 0, 0, true);
    ReadImageFile(nullptr, (dir / L"missing.png").c_str());  // the window's image, no window yet
    for (IMAGE* image : {static_cast<IMAGE*>(nullptr), &empty, &broken})
        WriteImageFile((sub + L"unwritten.png").c_str(), image);
    // No path, and a path into a folder "x" that does not exist.
    WriteImageFile(nullptr, &kept);
    WriteImageFile((sub + L"x\\a.png").c_str(), &kept);
    // As when the imaging library could not start:
    Kanvo::g_imaging.started = false;
    WriteImageFile((sub + L"unstarted.png").c_str(), &kept);
    ReadImageResource(&kept, L"PNG", L"QUARTERS", 0, 0, true);
    Kanvo::g_imaging.started = true;
    EXPECT_EQ(SettledCounts(), before);
    EXPECT_EQ(target.Width() * 1000 + corner, 50000 + 0xFF0000u);
    EXPECT_EQ(wrong + Differ(kept, empty), "30x20 0");  // the failed loads above, then `kept`
    EXPECT_TRUE(fs::is_empty(sub));

    // Every format reads back what was written (JPEG approximately, at the
    // middles of the areas); a GIF of more than 256 colours gives each pixel a
    // near palette colour. An unwritten file leaves `loaded` empty.
    EXPECT_EQ(FarMiddles(picture, 2), 0);  // the oracle itself
    const struct {
        std::wstring name;
        std::string magic;
    } cases[] = {
        // "": nothing written
        {L"a.bmp", "BM"},   {L"b.png", "\x89PNG"}, {L"c.PnG", "\x89PNG"},   {L"d.tif", "II*"},
        {L"e.TIFF", "II*"}, {L"f.gif", "GIF8"},    {L"g.jpg", "\xFF\xD8"},  {L"h.jpeg", "\xFF\xD8"},
        {L"i.image", ""},   {L"noextension", ""},  {sub + L"nameless", ""}, {L"j.ti", ""},
        {L"k.", ""},        {L"l.png.txt", ""}};
    for (const auto& c : cases) {
        const fs::path file = dir / c.name;
        IMAGE loaded;
        WriteImageFile(file.c_str(), &picture);
        const std::string bytes = ReadBytes(file);
        ReadImageFile(&loaded, file.c_str());
        EXPECT_EQ(bytes.substr(0, c.magic.empty() ? 8 : c.magic.size()), c.magic) << c.name;
        // JPEG is lossy: its size is checked, its colours only near at the middles.
        IMAGE& same = c.magic == "\xFF\xD8" ? loaded : picture;
        EXPECT_EQ(Differ(loaded, same, 0), bytes.empty() ? "0x0 0" : "100x100 0") << c.name;
        EXPECT_TRUE(bytes.empty() || FarMiddles(loaded, 26) == 0) << c.name;
    }
    IMAGE colorful = Patterned(256, 4), fromGif;
    const std::wstring gif = sub + L"colorful.gif";
    WriteImageFile(gif.c_str(), &colorful);
    ReadImageFile(&fromGif, gif.c_str());
    EXPECT_EQ(Differ(fromGif, colorful, 26), "256x4 0");

    // Reading gives the picture's own size or the size asked for; an existing
    // raster keeps its size unless resizeToFit, and the picture lands at its
    // top left, black elsewhere, whatever the destination's origin, scale and
    // clip region, which stay as they were. Resources by name and by number; a
    // non-ASCII file name.
    const std::wstring path = sub + L"\u65f6\u949f.png";
    WriteBytes(path, Resource(L"QUARTERS"));
    IMAGE scaled, byName, saved, existing = Patterned(200, 200), byNumber = Patterned(9, 9);
    ReadImageFile(&scaled, path.c_str(), 50, 40);
    ReadImageResource(&byName, L"PNG", L"quarters");
    ReadImageResource(&byNumber, L"PNG", MAKEINTRESOURCEW(7), 0, 0, true);
    for (IMAGE* image : {&byName, &byNumber}) EXPECT_EQ(Differ(*image, picture), "100x100 0");
    EXPECT_EQ(scaled.Width() * 100 + scaled.Height() + FarMiddles(scaled, 2), 5040);
    SetTargetImage(&existing);
    MoveOrigin(30, 20);
    SetAxisScale(2.0f, 0.5f);
    HRGN clip = CreateRectRgn(0, 0, 10, 10);
    SetClipRegion(clip);
    ReadImageFile(&existing, path.c_str());
    EXPECT_EQ(Differ(existing, picture), "200x200 0");
    XFORM transform = {};
    GetWorldTransform(GetSurfaceContext(&existing), &transform);
    EXPECT_EQ(transform.eDx * 10 + GetClipRgn(GetSurfaceContext(&existing), clip), 301);
    DeleteObject(clip);
    ReadImageFile(&existing, path.c_str(), 0, 0, true);
    EXPECT_EQ(Differ(existing, picture), "100x100 0");

    // The window's image takes a picture's size (its client area too, as far
    // as the system's smallest window width allows) and saves.
    EXPECT_NE(OpenGraphWindow(300, 200), nullptr);  // no window: the checks below fail
    ReadImageFile(nullptr, path.c_str(), 0, 0, true);
    RECT client = {};
    GetClientRect(GetWindowHandle(), &client);
    EXPECT_EQ(GetTargetWidth() * 1000 + GetTargetHeight(), 100100);
    EXPECT_EQ(client.bottom * 1000 + (client.right < 300), 100001);
    const std::wstring shot = sub + L"window.bmp";
    WriteImageFile(shot.c_str(), nullptr);
    ReadImageFile(&saved, shot.c_str());
    EXPECT_EQ(Differ(saved, picture, 0), "100x100 0");
    std::error_code ignored;
    fs::remove_all(dir, ignored);
}
