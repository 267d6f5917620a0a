// The regression net for shapes: one drawing script through every shape
// family and style on an IMAGE, the pixels hashed after each step (the buffer
// reset to a sentinel colour in between, the drawing state carried along),
// checked against the table in golden/shapes.txt.
//
// After a deliberate change of what shapes draw, regenerate the table with
// KANVO_REGENERATE_GOLDEN=1 set in the environment and review the diff.
#include <kanvo.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>

namespace {

constexpr int kWidth = 96, kHeight = 72;
constexpr DWORD kSentinel = 0x00A5C3E1;
constexpr double kPi = 3.14159265358979323846;

const POINT kStar[] = {{48, 4}, {20, 68}, {90, 28}, {6, 28}, {76, 68}};
const POINT kWave[] = {{4, 36}, {20, 0}, {36, 72}, {52, 36}, {68, 0}, {84, 72}, {92, 36}};

// Every closed shape of one variant family, each at a place of its own.
template <class Rect, class Circle, class Ellipse, class Round, class Pie, class Polygon>
void AllClosed(Rect rect, Circle circle, Ellipse ellipse, Round round, Pie pie, Polygon polygon) {
    const POINT triangle[] = {{68, 36}, {93, 68}, {66, 66}};
    rect(3, 3, 30, 25);
    circle(47, 15, 12);
    ellipse(90, 3, 63, 30);
    round(3, 35, 33, 68, 12, 8);
    pie(36, 35, 64, 68, 0.25, 4.5);
    polygon(triangle, 3);
}

void DrawAll() {
    AllClosed(DrawRectangle, DrawCircle, DrawEllipse, DrawRoundRect, DrawPie, DrawPolygon);
}
void FilledAll() {
    AllClosed(DrawFilledRectangle, DrawFilledCircle, DrawFilledEllipse, DrawFilledRoundRect,
              DrawFilledPie, DrawFilledPolygon);
}
void PaintAll() {
    AllClosed(PaintRectangle, PaintCircle, PaintEllipse, PaintRoundRect, PaintPie, PaintPolygon);
}
void EraseAll() {
    AllClosed(EraseRectangle, EraseCircle, EraseEllipse, EraseRoundRect, ErasePie, ErasePolygon);
}

void Lines() {
    for (int i = 0; i < 8; ++i) DrawLine(4 + i * 11, 4, 92 - i * 11, 68);
    DrawPolyline(kStar, 5);
}

void ClipToRoundRect() {
    HRGN region = CreateRoundRectRgn(10, 6, 86, 66, 30, 30);
    SetClipRegion(region);
    DeleteObject(region);
}

using Step = std::pair<const char*, void (*)()>;

// The script. The drawing state carries over from step to step.
const Step kScript[] = {
    {"default-lines", Lines},
    {"default-filled-shapes", FilledAll},
    {"coloured-outlines", [] { SetStrokeColor(RGB(250, 200, 20)); DrawAll(); }},
    {"coloured-fills", [] { SetInteriorColor(RGB(20, 90, 200)); FilledAll(); }},
    {"fill-only", PaintAll},
    {"background-fill", [] { SetBackgroundColor(RGB(90, 10, 40)); EraseAll(); }},
    {"dash-styles", [] {
         const DWORD dashes[] = {6, 2, 1, 2};
         for (int style = PS_DASH; style <= PS_DASHDOTDOT; ++style) {
             SetStrokeStyle(style, style);
             DrawRoundRect(4 * style, 4 * style, 95 - 4 * style, 71 - 4 * style, 20, 20);
         }
         SetStrokeStyle(PS_USERSTYLE, 2, dashes, 4);
         Lines();
     }},
    {"flat-caps-bevel-joins", [] { SetStrokeStyle(PS_ENDCAP_FLAT | PS_JOIN_BEVEL, 5); Lines(); }},
    {"square-caps-miter-joins",
     [] { SetStrokeStyle(PS_ENDCAP_SQUARE | PS_JOIN_MITER, 5); DrawAll(); }},
    {"inside-frame", [] { SetStrokeStyle(PS_INSIDEFRAME, 4); FilledAll(); }},
    {"null-pen", [] { SetStrokeStyle(PS_NULL, 1); FilledAll(); }},
    {"hatches", [] {
         SetStrokeStyle(PS_SOLID, 1);
         for (int hatch = HS_HORIZONTAL; hatch <= HS_DIAGCROSS; ++hatch) {
             SetInteriorStyle(BS_HATCHED, hatch);
             DrawFilledRectangle(2 + hatch * 15, 2, 16 + hatch * 15, 40);
         }
         DrawFilledCircle(48, 56, 14);
     }},
    {"hatches-transparent", [] {
         SetBackgroundMode(TRANSPARENT);
         SetInteriorStyle(BS_HATCHED, HS_DIAGCROSS);
         FilledAll();
     }},
    {"pattern-rows", [] {
         const BYTE rows[] = {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81};
         SetBackgroundMode(OPAQUE);
         SetFontColor(RGB(0, 200, 120));
         SetInteriorStyle(rows);
         FilledAll();
     }},
    {"pattern-image", [] {
         static IMAGE pattern(6, 5);
         IMAGE* script = GetTargetImage();
         SetTargetImage(&pattern);
         SetStrokeColor(RGB(255, 0, 0));
         DrawLine(0, 0, 6, 5);
         SetPixelColor(4, 1, 0);
         SetTargetImage(script);
         SetInteriorStyle(BS_PATTERN, 0, &pattern);
         FilledAll();
         SetInteriorStyle(BS_DIBPATTERN, 0, &pattern);
         EraseAll();
         PaintPie(0, 0, 95, 71, 1, 2);
     }},
    {"alternate-star", [] { SetInteriorStyle(BS_SOLID); DrawFilledPolygon(kStar, 5); }},
    {"winding-star", [] { SetPolygonFillMode(WINDING); DrawFilledPolygon(kStar, 5); }},
    {"arcs", [] {
         DrawArc(4, 4, 92, 68, 0, kPi / 2);
         DrawArc(10, 10, 86, 62, -kPi / 3, 3 * kPi);
         DrawArc(86, 62, 10, 10, 2, 1);
         DrawArc(20, 20, 76, 51, 1.25, 1.25);
     }},
    {"pies", [] {
         DrawFilledPie(0, 0, 95, 71, kPi, 1.5 * kPi);
         PaintPie(20, 10, 75, 61, -1, 1);
         DrawPie(30, 20, 65, 51, 4, 0.5);
     }},
    {"beziers", [] { DrawBezier(kWave, 7); DrawBezier(kStar, 4); }},
    {"flood-border", [] {
         DrawEllipse(10, 10, 86, 62);
         FillAreaAt(48, 36, GetStrokeColor(), FLOODFILLBORDER);
     }},
    {"flood-surface", [] {
         DrawRectangle(20, 20, 70, 50);
         FillAreaAt(2, 2, GetPixelColor(2, 2), FLOODFILLSURFACE);
     }},
    {"pixels", [] {
         for (int i = 0; i < 40; ++i) SetPixelColor(i * 2 + 4, i + 10, RGB(i * 6, 250 - i * 6, 9));
     }},
    {"xor-pen", [] { FilledAll(); SetRasterOp(R2_XORPEN); Lines(); FilledAll(); }},
    {"not", [] { SetRasterOp(R2_COPYPEN); FilledAll(); SetRasterOp(R2_NOT); Lines(); PaintAll(); }},
    {"mask-pen", [] { SetRasterOp(R2_COPYPEN); Lines(); SetRasterOp(R2_MASKPEN); FilledAll(); }},
    {"origin-and-scale", [] {
         SetRasterOp(R2_COPYPEN);
         MoveOrigin(48, 36);
         SetAxisScale(0.5f, -0.5f);
         FilledAll();
         Lines();
     }},
    {"clip-region", [] {
         MoveOrigin(0, 0);
         SetAxisScale(1, 1);
         ClipToRoundRect();
         FilledAll();
         Lines();
         SetClipRegion(nullptr);
     }},
};

std::uint64_t HashPixels(const DWORD* pixels, size_t count) {
    std::uint64_t hash = 14695981039346656037ull;  // 64-bit FNV-1a
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(pixels);
    for (size_t i = 0; i < count * sizeof(DWORD); ++i) hash = (hash ^ bytes[i]) * 1099511628211ull;
    return hash;
}

TEST(ShapesGolden, ScriptMatchesTheTable) {
    IMAGE image(kWidth, kHeight);
    DWORD* pixels = GetSurfacePixels(&image);
    ASSERT_NE(pixels, nullptr);
    const size_t count = static_cast<size_t>(kWidth) * kHeight;
    std::fill(pixels, pixels + count, kSentinel);
    const std::uint64_t untouched = HashPixels(pixels, count);

    std::ostringstream table;
    std::string silentSteps;
    for (const Step& step : kScript) {
        SetTargetImage(&image);
        GdiFlush();
        std::fill(pixels, pixels + count, kSentinel);
        step.second();
        GdiFlush();
        const std::uint64_t hash = HashPixels(pixels, count);
        if (hash == untouched) silentSteps += std::string(" ") + step.first;
        table << step.first << ' ' << std::hex << hash << std::dec << '\n';
    }
    SetTargetImage(nullptr);
    EXPECT_EQ(silentSteps, "") << "these steps drew nothing";

    const char* path = KANVO_GOLDEN_DIR "/shapes.txt";
    if (std::getenv("KANVO_REGENERATE_GOLDEN")) {
        std::ofstream(path) << table.str();
        std::printf("regenerated %s\n", path);
        return;
    }
    std::stringstream expected;
    expected << std::ifstream(path).rdbuf();
    EXPECT_EQ(table.str(), expected.str()) << "pixels differ from the table " << path;
}

}  // namespace
