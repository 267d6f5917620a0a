// Picture files and resources: formats and extension rules, sizes on reading,
// transparency, the window, non-ASCII paths, and bad or damaged files.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "image/imaging.h"
#include "image_checks.h"

namespace fs = std::filesystem;

// Each test's files live in a folder of its own, with a subfolder whose name
// is not ASCII, removed at the end. `picture` is the 100 x 100 picture
// compiled into this program, as loaded.
struct ImageFiles : testing::Test {
    const fs::path dir =
        fs::temp_directory_path() / ("kanvo_files_" + std::to_string(GetCurrentProcessId()));
    const std::wstring sub = (dir / L"\u56fe\u7247").wstring() + L"\\";
    IMAGE picture;
    ImageFiles() { fs::create_directories(sub); ReadImageResource(&picture, L"PNG", L"QUARTERS"); }
    ~ImageFiles() override { std::error_code ignored; fs::remove_all(dir, ignored); }
};

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
    static const POINT middles[] = {{10, 10}, {90, 10}, {10, 90}, {60, 90}, {90, 90}};
    static const DWORD colors[] = {0xFF0000, 0x00FF00, 0x0000FF, 0, 0x808080};
    int distant = 0, w = image.Width(), h = image.Height();
    for (const POINT& p : middles)
        distant += !Near(At(image, p.x * w / 100, p.y * h / 100), colors[&p - middles], tolerance);
    return distant;
}

// Every format reads back what was written (JPEG approximately, at the middle
// of each area); a GIF of more than 256 colours gives each pixel a near
// palette colour. Reading gives the picture's own size or the size asked for;
// an existing raster keeps its size unless resizeToFit, and the picture lands
// at its top left, black elsewhere, whatever the destination's origin, scale
// and clip region, which stay as they were. Resources by name and by number; a
// non-ASCII file name. The window's image takes a picture's size (its client
// area too, as far as the system's smallest window width allows) and saves.
TEST_F(ImageFiles, FormatsSizesResourcesAndTheWindow) {
    EXPECT_EQ(FarMiddles(picture, 2), 0);
    const struct { const wchar_t* name; std::string magic; } cases[] = {  // "": nothing written
        {L"a.bmp", "BM"}, {L"b.png", "\x89PNG"}, {L"c.PnG", "\x89PNG"}, {L"d.tif", "II*"},
        {L"e.TIFF", "II*"}, {L"f.gif", "GIF8"}, {L"g.jpg", "\xFF\xD8"}, {L"h.jpeg", "\xFF\xD8"},
        {L"i.image", ""}, {L"noextension", ""}, {L"\u56fe\u7247.d\\nameless", ""}, {L"j.ti", ""},
        {L"k.", ""}, {L"l.png.txt", ""}};
    fs::create_directories(dir / L"\u56fe\u7247.d");
    for (const auto& c : cases) {
        IMAGE loaded; WriteImageFile((dir / c.name).c_str(), &picture);
        const std::string bytes = ReadBytes(dir / c.name);
        EXPECT_EQ(bytes.substr(0, c.magic.empty() ? 8 : c.magic.size()), c.magic) << c.name;
        ReadImageFile(&loaded, (dir / c.name).c_str());
        // JPEG (want "") is lossy: only near at the middles; an unwritten file
        // leaves `loaded` empty.
        const std::string want = c.magic == "\xFF\xD8" ? "" : bytes.empty() ? "0x0 0" : "100x100 0";
        EXPECT_EQ(want.empty() ? FarMiddles(loaded, 26) : 0, 0) << c.name;
        EXPECT_EQ(want.empty() ? want : Differ(loaded, picture, 0), want) << c.name;
    }
    IMAGE colorful = Patterned(256, 4), fromGif;
    WriteImageFile((sub + L"colorful.gif").c_str(), &colorful);
    ReadImageFile(&fromGif, (sub + L"colorful.gif").c_str());
    EXPECT_EQ(Differ(fromGif, colorful, 26), "256x4 0");

    const std::wstring path = sub + L"\u65f6\u949f.png"; WriteBytes(path, Resource(L"QUARTERS"));
    IMAGE own, scaled, byName, saved, existing = Patterned(200, 200), byNumber = Patterned(9, 9);
    ReadImageFile(&own, path.c_str()); ReadImageFile(&scaled, path.c_str(), 50, 40);
    ReadImageResource(&byName, L"PNG", L"quarters");
    ReadImageResource(&byNumber, L"PNG", MAKEINTRESOURCEW(7), 0, 0, true);
    for (IMAGE* image : {&own, &byName, &byNumber}) EXPECT_EQ(Differ(*image, picture), "100x100 0");
    EXPECT_EQ(scaled.Width() * 100 + scaled.Height() + FarMiddles(scaled, 2), 5040);
    SetTargetImage(&existing); MoveOrigin(30, 20); SetAxisScale(2.0f, 0.5f);
    HRGN clip = CreateRectRgn(0, 0, 10, 10); SetClipRegion(clip);
    ReadImageFile(&existing, path.c_str());
    EXPECT_EQ(Differ(existing, picture), "200x200 0");
    XFORM transform = {}; GetWorldTransform(GetSurfaceContext(&existing), &transform);
    EXPECT_EQ(transform.eDx * 10 + GetClipRgn(GetSurfaceContext(&existing), clip), 301);
    DeleteObject(clip); ReadImageFile(&existing, path.c_str(), 0, 0, true);
    EXPECT_EQ(Differ(existing, picture), "100x100 0");

    ASSERT_NE(OpenGraphWindow(300, 200), nullptr);
    ReadImageFile(nullptr, path.c_str(), 0, 0, true);
    RECT client = {}; GetClientRect(GetWindowHandle(), &client);
    EXPECT_EQ(GetTargetWidth() * 1000 + GetTargetHeight(), 100100);
    EXPECT_EQ(client.bottom * 1000 + (client.right < 300), 100001);
    WriteImageFile((sub + L"window.bmp").c_str(), nullptr);
    ReadImageFile(&saved, (sub + L"window.bmp").c_str());
    EXPECT_EQ(Differ(saved, picture, 0), "100x100 0");
}

// Damaged, empty, huge-claiming and missing files, a folder, a path into a
// missing folder, bad arguments and a stopped imaging library: the process
// survives, a destination is black at its size (an empty one stays empty
// unless a size was asked for), a failed save writes nothing, and no GDI
// object or handle is left behind.
TEST_F(ImageFiles, BadInputDoesNoHarm) {
    IMAGE target(50, 50), existing(30, 20), empty, broken(-4, 4);
    std::vector<std::string> originals = {Resource(L"QUARTERS")};
    for (const wchar_t* name : {L"base.jpg", L"base.gif", L"base.bmp"})
        WriteImageFile((dir / name).c_str(), &picture), originals.push_back(ReadBytes(dir / name));
    const std::pair<const wchar_t*, std::string> bad[] = {
        {L"missing.png", ""}, {L"no folder\\a.png", ""}, {L"empty.png", ""},
        {L"truncated.png", originals[0].substr(0, 60)}, {L"text.png", "text"},
        {L"huge.png", Resource(L"HUGE")}, {L"\u56fe\u7247", ""}};  // claims 40000 x 40000; a folder
    for (const auto& file : bad) WriteBytes(dir / file.first, file.second);
    fs::remove(dir / L"missing.png");
    std::pair<int, int> before; std::minstd_rand random(12345);
    std::string seen, expected;
    for (int i = -4; i < 320; ++i) {  // first the undamaged files: first uses set up lasting state
        if (i == 0) before = SettledCounts();
        std::string bytes = originals[(i + 4) % originals.size()];
        if (i >= 0 && i % 3 != 1) bytes.resize(random() % bytes.size());  // truncated
        for (size_t flips = i < 0 || i % 3 ? 0 : 1 + random() % 8; flips && !bytes.empty(); --flips)
            bytes[random() % bytes.size()] ^= static_cast<char>(1 + random() % 255);
        WriteBytes(dir / L"damaged", bytes); IMAGE fresh;
        ReadImageFile(i % 2 ? &fresh : &target, (dir / L"damaged").c_str(), 0, 0, i % 2 != 0);
    }
    for (const auto& file : bad) {
        IMAGE filled = Patterned(30, 20), none, sized;
        ReadImageFile(&filled, (dir / file.first).c_str(), 0, 0, true);
        ReadImageFile(&none, (dir / file.first).c_str());
        ReadImageFile(&sized, (dir / file.first).c_str(), 12, 8);
        for (IMAGE* image : {&filled, &none, &sized}) seen += Differ(*image, Black) + ";";
        expected += "30x20 0;0x0 0;12x8 0;";
    }
    // A size too big for the system: the picture's red top-left corner stays.
    ReadImageFile(&existing, (dir / L"base.bmp").c_str(), 100000, 100000, true);
    const DWORD corner = At(existing, 29, 19) & 0xFFFFFF;
    ReadImageFile(&existing, nullptr, 0, 0, true);
    ReadImageFile(&existing, (dir / L"base.bmp").c_str(), -5, 10, true);
    ReadImageResource(&existing, L"PNG", L"NO_SUCH_PICTURE", 0, 0, true);
    ReadImageResource(&existing, nullptr, nullptr, 0, 0, true);
    ReadImageFile(nullptr, (dir / L"missing.png").c_str());  // the window's image, no window yet
    for (IMAGE* image : {static_cast<IMAGE*>(nullptr), &empty, &broken})
        WriteImageFile((sub + L"unwritten.png").c_str(), image);
    // No path, and a path into a folder "x" that does not exist.
    WriteImageFile(nullptr, &existing); WriteImageFile((sub + L"x\\a.png").c_str(), &existing);
    Kanvo::g_imaging.started = false;  // as when the imaging library could not start
    WriteImageFile((sub + L"unstarted.png").c_str(), &existing);
    ReadImageResource(&existing, L"PNG", L"QUARTERS", 0, 0, true); Kanvo::g_imaging.started = true;
    EXPECT_EQ(SettledCounts(), before);
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(target.Width() * 1000 + corner, 50000 + 0xFF0000u);
    EXPECT_EQ(Differ(existing, Black), "30x20 0");
    EXPECT_TRUE(fs::is_empty(sub));
}
