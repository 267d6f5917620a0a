// Every shape in all its variants, drawn through Kanvo and with the raw GDI
// calls on a twin bitmap, under several drawing states, on an IMAGE and on
// the window's back buffer: after every step both hold the same pixels, the
// drawing state is as it was and no GDI object is left over. The same for
// every pen and brush style, plainly, mirrored and clipped. The IMAGE's pixels,
// hashed per drawing state, must match golden/shapes.txt: after a deliberate
// change of what shapes draw, regenerate it by running the test with
// KANVO_REGENERATE_GOLDEN=1 in the environment, and review the change.
// Then the figures shapes are defined by (inclusive painted blocks, arc end
// points and their rounding, pixel colour order), and bad or extreme
// arguments: each call returns promptly, draws nothing or what GDI draws, and
// leaks nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>

#include "draw/draw_on_img.h"
#include "gdi_twin.h"
#include "resource_counts.h"

namespace {

using namespace KanvoTest;

constexpr int kWidth = 160, kHeight = 120;
constexpr double kPi = 3.14159265358979323846;
constexpr COLORREF kStroke = RGB(255, 220, 0), kInterior = RGB(30, 90, 250), kBk = RGB(120, 0, 40);
constexpr DWORD kSentinel = 0x00406080;  // a colour that no step draws
// A pattern of eight row bytes, not symmetric, and the monochrome bitmap GDI
// makes of it: set bits paint in the font colour, clear ones in the background.
const BYTE kRows[8] = {0x80, 0x41, 0x22, 0x14, 0x08, 0xFF, 0x00, 0xA5};
const WORD kInvertedRows[8] = {0x7F, 0xBE, 0xDD, 0xEB, 0xF7, 0x00, 0xFF, 0x5A};

struct Box {
    int l, t, r, b;
    int Rx() const { return std::abs(r - l) / 2; }
    int Ry() const { return std::abs(b - t) / 2; }
    int Cx() const { return std::min(l, r) + Rx(); }
    int Cy() const { return std::min(t, b) + Ry(); }
    // A self-crossing five-pointed star: its middle has winding number 2, so
    // ALTERNATE leaves it empty and WINDING fills it.
    std::array<POINT, 5> Star() const {
        const int w = r - l, y = t + (b - t) * 2 / 5;
        return {{{l + w / 2, t}, {l + w / 5, b}, {r, y}, {l, y}, {r - w / 5, b}}};
    }
};
// Even and odd sizes, and a box given by its bottom-right corner first.
const Box kBoxes[] = {{10, 12, 70, 52}, {15, 20, 96, 75}, {150, 110, 81, 41}};

// A shape: Kanvo's outline, outline-and-fill, fill-only and background-fill
// variants (only the second for open shapes), and the GDI call they rest on.
struct Shape {
    const char* name;
    void (*variants[4])(const Box&);
    void (*raw)(HDC, const Box&);
};
#define CLOSED(shape, args, raw)       \
    {                                  \
#shape, {[](const Box& b) {    \
            Draw##shape args;          \
        }, [](const Box& b) {          \
            DrawFilled##shape args;    \
        }, [](const Box& b) {          \
            Paint##shape args;         \
        },                             \
            [](const Box& b) {         \
                Erase##shape args;     \
        } },                           \
            [](HDC dc, const Box& b) { \
                raw;                   \
        }                              \
    }
#define OPEN(name, kanvo, raw)         \
    {                                  \
        name,                          \
            {nullptr,                  \
             [](const Box& b) {        \
                 kanvo;                \
             }},                       \
            [](HDC dc, const Box& b) { \
                raw;                   \
            }                          \
    }
const Shape kShapes[] = {
    CLOSED(Rectangle, (b.l, b.t, b.r, b.b), Rectangle(dc, b.l, b.t, b.r, b.b)),
    CLOSED(Circle, (b.Cx(), b.Cy(), b.Ry()),
           Ellipse(dc, b.Cx() - b.Ry(), b.Cy() - b.Ry(), b.Cx() + b.Ry(), b.Cy() + b.Ry())),
    CLOSED(Ellipse, (b.l, b.t, b.r, b.b), Ellipse(dc, b.l, b.t, b.r, b.b)),
    CLOSED(RoundRect, (b.l, b.t, b.r, b.b, 24, 13), RoundRect(dc, b.l, b.t, b.r, b.b, 24, 13)),
    // From three o'clock counter-clockwise to six o'clock.
    CLOSED(Pie, (b.l, b.t, b.r, b.b, 0.0, 1.5 * kPi),
           Pie(dc, b.l, b.t, b.r, b.b, b.Cx() + b.Rx(), b.Cy(), b.Cx(), b.Cy() + b.Ry())),
    CLOSED(Polygon, (b.Star().data(), 5), Polygon(dc, b.Star().data(), 5)),
    OPEN("Line", DrawLine(b.l, b.t, b.r, b.b), MoveToEx(dc, b.l, b.t, 0); LineTo(dc, b.r, b.b)),
    // From twelve o'clock counter-clockwise to nine o'clock.
    OPEN("Arc", DrawArc(b.l, b.t, b.r, b.b, kPi / 2, kPi),
         Arc(dc, b.l, b.t, b.r, b.b, b.Cx(), b.Cy() - b.Ry(), b.Cx() - b.Rx(), b.Cy())),
    OPEN("Polyline", DrawPolyline(b.Star().data(), 5), Polyline(dc, b.Star().data(), 5)),
    OPEN("Bezier", DrawBezier(b.Star().data(), 4), PolyBezier(dc, b.Star().data(), 4)),
    OPEN("FillUpToBorder", FillAreaAt(b.Cx(), b.Cy(), kStroke, FLOODFILLBORDER),
         ExtFloodFill(dc, b.Cx(), b.Cy(), kStroke, FLOODFILLBORDER)),
    OPEN("FillSurface", FillAreaAt(b.l + 1, b.t, GetPixelColor(b.l + 1, b.t), FLOODFILLSURFACE),
         ExtFloodFill(dc, b.l + 1, b.t, GetPixel(dc, b.l + 1, b.t), FLOODFILLSURFACE)),
    OPEN("Pixel", SetPixelColor(b.r - 3, b.b - 3, 0xFF00), SetPixelV(dc, b.r - 3, b.b - 3, 0xFF00)),
};

// What the variants mean in raw GDI: the outline without a brush, the fill
// without a pen (a rectangle then covering both corners), the fill in the
// background colour with R2_COPYPEN.
void RawVariant(HDC dc, const Shape& shape, int variant, Box box) {
    if (variant >= 2 && &shape == kShapes)
        box = {std::min(box.l, box.r), std::min(box.t, box.b), std::max(box.l, box.r) + 1,
               std::max(box.t, box.b) + 1};
    HBRUSH background = variant == 3 ? CreateSolidBrush(GetBkColor(dc)) : nullptr;
    const int saved = SaveDC(dc);
    if (variant == 0) SelectObject(dc, GetStockObject(NULL_BRUSH));
    if (variant >= 2) SelectObject(dc, GetStockObject(NULL_PEN));
    if (background) {
        SelectObject(dc, background);
        SetROP2(dc, R2_COPYPEN);
    }
    shape.raw(dc, box);
    RestoreDC(dc, saved);
    DeleteObject(background);  // no brush to delete is harmless
}

// The variants given (bit 1 << variant) of every shape in the first `boxes`
// boxes through Kanvo and, given a twin's device context, with raw GDI on it;
// `check`, if given, follows every step, and the first that fails ends it.
void DrawEveryShape(HDC dc, unsigned variants, const std::function<bool(const char*)>& check,
                    int boxes = 3) {
    for (const Box* box = kBoxes; box < kBoxes + boxes; ++box)
        for (const Shape& shape : kShapes)
            for (int variant = 0; variant < 4; ++variant) {
                if (!shape.variants[variant] || !(variants >> variant & 1)) continue;
                shape.variants[variant](*box);
                if (dc) RawVariant(dc, shape, variant, *box);
                if (check && !check(shape.name)) return;
            }
}

// A drawing state: a geometric pen (user styles dash 5, 2), a brush (solid,
// hatched, hollow, the pattern of kRows or - with hatch 1 - of an image, or
// that image as a DIB), background mode, raster operation, polygon fill mode,
// and a mirroring transform or a clip region.
struct Condition {
    const char* name;
    int rop = R2_COPYPEN, pen = PS_SOLID, width = 1, brush = BS_SOLID, hatch = 0, mirrored = 0,
        clipped = 0, mode = OPAQUE, fill = ALTERNATE;
};
const Condition kConditions[] = {
    {"Plain"},
    {"DashedHatchMirrored", R2_COPYPEN, PS_DASH | PS_ENDCAP_FLAT, 3, BS_HATCHED, HS_DIAGCROSS, 1},
    {"InsideFrameTransparentHatchClipped", R2_COPYPEN,
     PS_INSIDEFRAME | PS_ENDCAP_SQUARE | PS_JOIN_MITER, 5, BS_HATCHED, HS_FDIAGONAL, 0, 1,
     TRANSPARENT},
    {"UserDashesRowPatternWinding", R2_COPYPEN, PS_USERSTYLE | PS_JOIN_BEVEL, 2, BS_PATTERN, 0, 0,
     0, OPAQUE, WINDING},
    {"ImagePattern", R2_COPYPEN, PS_SOLID, 1, BS_PATTERN, 1},
    {"DibPattern", R2_COPYPEN, PS_SOLID, 1, BS_DIBPATTERN},
    {"HollowBrushAndNullPen", R2_COPYPEN, PS_NULL, 1, BS_NULL},
    {"XorPen", R2_XORPEN},
    {"NotRop", R2_NOT},
    {"MaskPen", R2_MASKPEN},
};

// A 13 x 6 pattern image of black and coloured pixels.
IMAGE& PatternImage() {
    static IMAGE pattern(13, 6);
    for (int i = 0; i < 78; ++i) GetSurfacePixels(&pattern)[i] = i % 5 ? 0x102030u * (i % 8) : 0;
    return pattern;
}

// The twin's brush for a condition. As a monochrome pattern, the black pixels
// of the image become 1 bits (background colour), as in GDI's own copy from
// colour to monochrome with a black source background; as a DIB pattern the
// image is packed bottom-up.
HBRUSH RawBrush(const Condition& c) {
    IMAGE& image = PatternImage();
    if (c.brush == BS_DIBPATTERN) {  // GDI packs the rows bottom-up after the header
        struct {
            BITMAPINFOHEADER header;
            DWORD rows[13 * 6];
        } packed = {{40, 13, 6, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
        HDC dc = GetSurfaceContext(&image);
        GetDIBits(dc, static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP)), 0, 6, packed.rows,
                  reinterpret_cast<BITMAPINFO*>(&packed), DIB_RGB_COLORS);
        return CreateDIBPatternBrushPt(&packed, DIB_RGB_COLORS);
    }
    HBITMAP bits = c.hatch ? CreateBitmap(13, 6, 1, 1, 0) : CreateBitmap(8, 8, 1, 1, kInvertedRows);
    HDC mono = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mono, bits);
    if (c.hatch) BitBlt(mono, 0, 0, 13, 6, GetSurfaceContext(&image), 0, 0, SRCCOPY);
    SelectObject(mono, old);
    DeleteDC(mono);
    const LOGBRUSH fill = {static_cast<UINT>(c.brush), kInterior,
                           c.brush == BS_PATTERN ? reinterpret_cast<ULONG_PTR>(bits)
                                                 : static_cast<ULONG_PTR>(c.hatch)};
    HBRUSH brush = CreateBrushIndirect(&fill);
    DeleteObject(bits);  // the brush keeps a copy
    return brush;
}

// Sets the whole drawing state of a condition through Kanvo and on the twin.
// The colours come before the styles or, recolouring, after them: a new
// colour rebuilds the pen and the brush in their style.
void SetState(const Condition& c, HDC dc, bool recolour = false) {
    const DWORD dashes[] = {5, 2};
    const XFORM transform = {
        c.mirrored ? 0.5f : 1,  0, 0, c.mirrored ? -0.75f : 1, c.mirrored ? 20.0f : 0,
        c.mirrored ? 110.0f : 0};
    HRGN clip = c.clipped ? CreateEllipticRgn(20, 10, 140, 110) : nullptr;
    const COLORREF shift = recolour ? 0x010101 : 0;
    SetStrokeColor(kStroke ^ shift);
    SetInteriorColor(kInterior ^ shift);
    SetBackgroundColor(kBk);
    SetFontColor(kStroke);
    SetStrokeStyle(c.pen, c.width, dashes, 2);
    if (c.brush == BS_PATTERN && !c.hatch)
        SetInteriorStyle(kRows);
    else
        SetInteriorStyle(c.brush, c.hatch, &PatternImage());
    if (recolour) {
        SetStrokeColor(kStroke);
        SetInteriorColor(kInterior);
    }
    SetBackgroundMode(c.mode);
    SetRasterOp(c.rop);
    SetPolygonFillMode(c.fill);
    SetClipRegion(clip);
    MoveOrigin(20 * c.mirrored, 110 * c.mirrored);
    SetAxisScale(transform.eM11, transform.eM22);
    const bool user = (c.pen & PS_STYLE_MASK) == PS_USERSTYLE;
    const LOGBRUSH stroke = {BS_SOLID, kStroke, 0};
    SelectAndDelete(dc, ExtCreatePen(PS_GEOMETRIC | c.pen, c.width, &stroke, user ? 2 : 0,
                                     user ? dashes : nullptr));
    SelectAndDelete(dc, RawBrush(c));
    SetBkColor(dc, kBk);
    SetBkMode(dc, c.mode);
    SetROP2(dc, c.rop);
    SetPolyFillMode(dc, c.fill);
    SetTextColor(dc, kStroke);
    SetWorldTransform(dc, &transform);
    SelectClipRgn(dc, clip);
    if (clip) DeleteObject(clip);
}

// Every condition on the current target (whose pixels are `pixels`); the
// hash (64-bit FNV-1a) of the pixels after each appended to `table`.
void ExpectShapesMatchGdi(DWORD* pixels, std::string& table) {
    for (const Condition& condition : kConditions) {
        GdiTwin twin(kWidth, kHeight);
        SetState(condition, twin.Dc());
        GdiFlush();
        std::fill_n(pixels, kWidth * kHeight, kSentinel);
        twin.Fill(kSentinel);
        const std::string state = DrawingState();
        const int freeBefore = FreeGdiSlots();
        DrawEveryShape(twin.Dc(), 15, [&](const char* step) {
            std::string difference = ComparePixels(pixels, twin.Pixels(), kWidth, kHeight);
            if (DrawingState() != state) difference += " state " + DrawingState();
            EXPECT_EQ(difference, "") << condition.name << ", " << step;
            return difference.empty();
        });
        // On the window, a count made while its thread holds an object for a
        // moment (the system's, as it presents) comes out low, before or
        // after: a low count after is made again, and only a leak stays below.
        int freeAfter = FreeGdiSlots();
        for (int again = 0; again < 10 && freeAfter < freeBefore; ++again)
            Sleep(20), freeAfter = std::max(freeAfter, FreeGdiSlots());
        EXPECT_GE(freeAfter, freeBefore) << condition.name;
        unsigned long long hash = 14695981039346656037ull;  // 64-bit FNV-1a
        const auto* bytes = reinterpret_cast<const unsigned char*>(pixels);
        for (int i = 0; i < kWidth * kHeight * 4; ++i) hash = (hash ^ bytes[i]) * 1099511628211ull;
        table += std::string(condition.name) + " " + std::to_string(hash) + "\n";
    }
}

TEST(Shapes, MatchGdiOnAnImageAndOnTheWindow) {
    IMAGE image(kWidth, kHeight);
    SetTargetImage(&image);
    std::string table, windowTable;
    ExpectShapesMatchGdi(GetSurfacePixels(&image), table);
    ASSERT_NE(OpenGraphWindow(kWidth, kHeight), nullptr);
    ExpectShapesMatchGdi(GetSurfacePixels(nullptr), windowTable);
    CloseGraphWindow();
    const char* path = KANVO_GOLDEN_DIR "/shapes.txt";
    if (std::getenv("KANVO_REGENERATE_GOLDEN")) return (void)(std::ofstream(path) << table);
    std::stringstream expected;
    expected << std::ifstream(path).rdbuf();
    EXPECT_EQ(table, expected.str()) << "pixels differ from the table " << path;
}

// Every pen style with each end cap, join and width, every hatch in both
// background modes, and the three pattern brushes: the shapes in one box,
// outlined and filled, as GDI draws them with the same pen or brush, plainly,
// under a mirroring transform and clipped; every other time the colours are
// set last.
TEST(Shapes, EveryPenAndBrushStyleMatchesGdiAndNothingIsRebuiltNeedlessly) {
    IMAGE image(kWidth, kHeight);
    SetTargetImage(&image);
    int round = 0;
    for (const Condition& frame : {kConditions[0], kConditions[1], kConditions[2]}) {
        GdiTwin twin(kWidth, kHeight);
        auto expectSame = [&](const Condition& c, const std::string& what) {
            SetState(c, twin.Dc(), ++round % 2 == 0);
            ClearTarget();
            std::copy_n(GetSurfacePixels(&image), kWidth * kHeight, twin.Pixels());
            DrawEveryShape(twin.Dc(), 2, nullptr, 1);
            EXPECT_EQ(ComparePixels(image, twin), "") << what << ", " << frame.name;
        };
        // Styles PS_SOLID to PS_USERSTYLE (PS_NULL among them), round, square
        // and flat caps, round, bevel and miter joins, widths 1, 3 and 8.
        Condition c = frame;
        for (int i = 0; i < 8 * 3 * 3 * 3; ++i) {
            c.pen = i % 8 | i / 8 % 3 << 8 | i / 24 % 3 << 12;
            c.width = i < 72 ? 1 : i < 144 ? 3 : 8;
            expectSame(c, "pen " + std::to_string(c.pen) + " width " + std::to_string(c.width));
        }
        // The six hatches, in both background modes; the pattern of kRows, of
        // the image, and the image as a DIB.
        for (int i = 0; i < 15; ++i) {
            c.brush = i < 12 ? BS_HATCHED : i < 14 ? BS_PATTERN : BS_DIBPATTERN;
            c.hatch = i < 12 ? i % 6 : i - 12;
            c.mode = i < 6 ? TRANSPARENT : OPAQUE;
            expectSame(c, "brush " + std::to_string(c.brush) + " " + std::to_string(c.hatch));
        }
    }
    // Where a setting already has the value a composed variant needs (a hollow
    // brush for outlines, a null pen for fills, a solid brush of the background
    // colour for background fills), no pen or brush is rebuilt.
    HDC dc = GetSurfaceContext(&image);
    SetStrokeStyle(PS_NULL);
    SetInteriorStyle(BS_NULL);
    for (unsigned variants : {1u | 4u, 8u}) {
        if (variants == 8) {
            SetInteriorStyle(BS_SOLID);
            SetInteriorColor(GetBackgroundColor());
        }
        const HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN), brush = GetCurrentObject(dc, OBJ_BRUSH);
        DrawEveryShape(nullptr, variants, nullptr);
        EXPECT_TRUE(GetCurrentObject(dc, OBJ_PEN) == pen &&
                    GetCurrentObject(dc, OBJ_BRUSH) == brush)
            << variants;
    }
}

// The figures shapes are defined by, then bad and extreme arguments.
TEST(ShapeFigures, NumbersPixelReadsAndBadOrExtremeArguments) {
    IMAGE image(110, 110);
    GdiTwin twin(110, 110);
    HDC dc = twin.Dc();
    DWORD* pixels = GetSurfacePixels(&image);
    SetTargetImage(&image);
    // Columns and rows 5 to 10, whichever corner comes first.
    PaintRectangle(10, 10, 5, 5);
    EXPECT_EQ(CountPixels(pixels, 110, {5, 5, 11, 11}, 0xFFFFFF), 36);
    EXPECT_EQ(CountPixels(pixels, 110, {0, 0, 110, 110}, 0xFFFFFF), 36);
    // A quarter circle from three to twelve o'clock, the box in either order;
    // a pie in an odd box: centre (50, 50), radii 50.
    ClearTarget();
    DrawArc(0, 0, 100, 100, 0, kPi / 2);
    Arc(dc, 0, 0, 100, 100, 100, 50, 50, 0);
    DrawArc(100, 100, 0, 0, 0, kPi / 2);
    Arc(dc, 100, 100, 0, 0, 100, 50, 50, 0);
    DrawFilledPie(0, 0, 101, 101, kPi, 1.5 * kPi);
    Pie(dc, 0, 0, 101, 101, 0, 50, 50, 100);
    EXPECT_EQ(ComparePixels(image, twin), "");
    // An angle whose sine is exactly one half, so that a radius of 3 gives 1.5.
    double angle = kPi / 6;
    for (int i = 0; i < 64 && std::sin(angle) != 0.5; ++i) angle = std::nextafter(angle, 1.0);
    ASSERT_EQ(std::sin(angle), 0.5);
    auto ends = [](int l, int t, int r, int b, double from, double to, std::array<int, 4> e = {}) {
        Kanvo::DrawOnImg().ComputeArcEnds(l, t, r, b, from, to, &e[0], &e[1], &e[2], &e[3]);
        return e;
    };
    // Centre y -1, then 1 (the box ordered): y = -2.5 and 0.5, then -0.5 and 2.5.
    EXPECT_EQ(ends(0, -4, 6, 2, angle, -angle), (std::array<int, 4>{6, -3, 6, 1}));
    EXPECT_EQ(ends(6, 4, 0, -2, angle, -angle), (std::array<int, 4>{6, -1, 6, 3}));
    // Angle 0 is (cx + rx, cy); the half sizes are rounded down.
    EXPECT_EQ(ends(10, 20, 15, 27, 0, kPi), (std::array<int, 4>{14, 23, 10, 23}));
    // Pixels in COLORREF order, and only where visible.
    HDC imageDc = GetSurfaceContext(&image);
    SetPixelColor(3, 4, 0x0000FF);
    EXPECT_EQ(pixels[4 * 110 + 3], 0x00FF0000u);
    EXPECT_EQ(GetPixelColor(3, 4), 0x0000FFu);
    EXPECT_EQ(GetPixelColor(110, 0), CLR_INVALID);
    HRGN region = CreateRectRgn(0, 0, 10, 10);
    SetClipRegion(region);
    DeleteObject(region);
    EXPECT_EQ(GetPixelColor(12, 4), CLR_INVALID);
    // Reads agree with GetPixel inside and outside, under several transforms.
    SetClipRegion(nullptr);
    int disagreements = 0;
    for (int i = 0; i < 110 * 110; ++i) pixels[i] = 0xFF000000u | (i * 2654435761u >> 8);
    const float transforms[][4] = {{0, 0, 1, 1}, {5, -3, 1, 1}, {20, 15, -1, -1}, {1, 2, 2, 0.5f}};
    for (const auto& t : transforms) {
        MoveOrigin(static_cast<int>(t[0]), static_cast<int>(t[1]));
        SetAxisScale(t[2], t[3]);
        for (int i = 0, x = -25, y = -25; i < 55 * 50; ++i, x = i % 55 - 25, y = i / 55 - 25)
            disagreements += GetPixelColor(x, y) != GetPixel(imageDc, x, y);
    }
    EXPECT_EQ(disagreements, 0);
    // DrawLine leaves the device's current position at its end, and the
    // library's pen position where it was.
    POINT position = {};
    MovePenTo(7, 8);
    DrawLine(1, 2, 15, 16);
    GetCurrentPositionEx(imageDc, &position);
    EXPECT_TRUE(position.x == 15 && position.y == 16 && GetPenX() == 7 && GetPenY() == 8);
    // Bad and extreme arguments draw nothing or what GDI draws, and leak nothing.
    ResetDrawingState();
    ClearTarget();
    twin.Fill(0);
    const LOGBRUSH white = {BS_SOLID, 0xFFFFFF, 0};  // a geometric pen, as Kanvo's
    SetStrokeColor(0xFFFFFF);
    SelectAndDelete(dc, ExtCreatePen(PS_GEOMETRIC, 1, &white, 0, 0));
    const int freeBefore = FreeGdiSlots();
    // Point lists without points and broken Bezier chains draw nothing.
    const POINT points[7] = {{2, 2}, {30, 4}, {4, 30}, {30, 30}, {20, 2}, {2, 20}, {25, 25}};
    for (auto shape :
         {DrawPolyline, DrawPolygon, DrawFilledPolygon, PaintPolygon, ErasePolygon, DrawBezier})
        for (int count : {0, -1, INT_MIN}) {
            shape(points, count);
            shape(nullptr, 4);
        }
    for (int count : {2, 3, 5, 6}) DrawBezier(points, count);
    // Beyond the raster limits (unguarded, some of these hang the process or
    // corrupt its heap) nothing is drawn either.
    const int big = 1000000;
    const POINT tall[] = {{INT_MIN, INT_MIN}, {INT_MAX, 0}, {0, INT_MAX}};
    DrawFilledEllipse(-big, -big, big, big);
    DrawFilledRoundRect(-big, -big, big, big, 20, 20);
    DrawFilledCircle(10, 10, INT_MAX);
    DrawFilledCircle(INT_MIN, 10, 5);
    DrawFilledPolygon(tall, 3);
    DrawArc(-big, -big, big, big, 0.5, 2);
    PaintPie(-big, -big, big, big, 0.5, 2);
    DrawArc(0, 0, 40, 40, NAN, 1);
    DrawFilledPie(0, 0, 40, 40, 1, INFINITY);
    SetAxisScale(5000, 5000);
    DrawFilledCircle(0, 0, 100);
    SetAxisScale(1, 1);
    SetStrokeStyle(PS_SOLID, big);
    DrawLine(0, 0, 30, 30);
    SetStrokeStyle(PS_SOLID, 3);
    DrawLine(-100 * big, 5, 100 * big, 40);
    DrawPolyline(tall, 3);
    SetStrokeStyle(PS_SOLID, 1);
    EXPECT_EQ(ComparePixels(image, twin), "");
    // Whole Bezier chains, negative and zero sizes, odd corner sizes, flood
    // fills outside the image or in no known mode; thin lines and rectangles,
    // and curves within the limits, at any size: as GDI draws them.
    DrawBezier(points, 7);
    PolyBezier(dc, points, 7);
    DrawFilledCircle(20, 20, -8);
    Ellipse(dc, 28, 28, 12, 12);
    DrawFilledCircle(5, 5, 0);
    Ellipse(dc, 5, 5, 5, 5);
    DrawFilledRoundRect(2, 25, 15, 38, -6, 100);
    RoundRect(dc, 2, 25, 15, 38, -6, 100);
    FillAreaAt(-5, -5, 0, FLOODFILLSURFACE);
    ExtFloodFill(dc, -5, -5, 0, FLOODFILLSURFACE);
    FillAreaAt(1, 1, 0, 7);
    ExtFloodFill(dc, 1, 1, 0, 7);
    DrawLine(INT_MIN, 10, INT_MAX, 12);
    MoveToEx(dc, INT_MIN, 10, 0);
    LineTo(dc, INT_MAX, 12);
    DrawPolyline(tall, 3);
    Polyline(dc, tall, 3);
    DrawFilledCircle(30050, 24, 30000);
    Ellipse(dc, 50, -29976, 60050, 30024);
    PaintRectangle(INT_MIN, 40, INT_MAX, INT_MAX);  // as far as GDI reaches
    RawVariant(dc, kShapes[0], 2, {INT_MIN, 40, INT_MAX - 1, INT_MAX - 1});
    const int freeAfter = FreeGdiSlots();
    EXPECT_EQ(ComparePixels(image, twin), "");
    EXPECT_EQ(freeAfter, freeBefore);
}

}  // namespace
