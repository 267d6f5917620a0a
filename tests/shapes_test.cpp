// Every shape in all its variants, drawn through Kanvo and with the raw GDI
// calls on a twin bitmap under several drawing states: after every step both
// hold the same pixels, the drawing state is as it was and no GDI object is
// left over. (The window draws with the same code; the batch test shows that
// it draws what an image draws.) Then the size limits of shapes and point
// lists with nothing to draw.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <functional>

#include "gdi_twin.h"
#include "resource_counts.h"

namespace {

using namespace KanvoTest;

constexpr int kWidth = 160;
constexpr int kHeight = 120;
constexpr double kPi = 3.14159265358979323846;
constexpr COLORREF kStroke = RGB(255, 220, 0);
constexpr COLORREF kInterior = RGB(30, 90, 250);
constexpr COLORREF kBackground = RGB(120, 0, 40);
constexpr DWORD kSentinel = 0x00406080;  // a colour that no step draws

struct Box {
    int l, t, r, b;
    int Rx() const { return std::abs(r - l) / 2; }
    int Ry() const { return std::abs(b - t) / 2; }
    int Cx() const { return std::min(l, r) + Rx(); }
    int Cy() const { return std::min(t, b) + Ry(); }
    // A self-crossing five-pointed star: its middle has winding number 2, so
    // ALTERNATE leaves it empty and WINDING fills it.
    std::array<POINT, 5> Star() const {
        const int w = r - l;
        const int y = t + (b - t) * 2 / 5;
        return {{{l + w / 2, t}, {l + w / 5, b}, {r, y}, {l, y}, {r - w / 5, b}}};
    }
};
// Even and odd sizes, and a box given by its bottom-right corner first.
const Box kBoxes[] = {{10, 12, 70, 52}, {15, 20, 96, 75}, {150, 110, 81, 41}};

// The closed shapes come in four variants: outline, outline and fill, fill
// only, and fill in the background colour; the open ones in one.
enum Shape {
    kRectangle,
    kCircle,
    kEllipse,
    kRoundRect,
    kPie,
    kPolygon,
    kClosedShapes = kPolygon + 1,
    kArc = kClosedShapes,
    kBezier,
    kShapes
};
using BoxShape = void (*)(int, int, int, int);
using CircleShape = void (*)(int, int, int);
using RoundShape = void (*)(int, int, int, int, int, int);
using PieShape = void (*)(int, int, int, int, double, double);
using PointsShape = void (*)(const POINT*, int);
const BoxShape kRectangles[] = {DrawRectangle, DrawFilledRectangle, PaintRectangle, EraseRectangle};
const CircleShape kCircles[] = {DrawCircle, DrawFilledCircle, PaintCircle, EraseCircle};
const BoxShape kEllipses[] = {DrawEllipse, DrawFilledEllipse, PaintEllipse, EraseEllipse};
const RoundShape kRoundRects[] = {DrawRoundRect, DrawFilledRoundRect, PaintRoundRect,
                                  EraseRoundRect};
const PieShape kPies[] = {DrawPie, DrawFilledPie, PaintPie, ErasePie};
const PointsShape kPolygons[] = {DrawPolygon, DrawFilledPolygon, PaintPolygon, ErasePolygon};

void DrawWithKanvo(int shape, int variant, const Box& b) {
    switch (shape) {
        case kRectangle:
            return kRectangles[variant](b.l, b.t, b.r, b.b);
        case kCircle:
            return kCircles[variant](b.Cx(), b.Cy(), b.Ry());
        case kEllipse:
            return kEllipses[variant](b.l, b.t, b.r, b.b);
        // Corners rounded by an ellipse wider than it is tall.
        case kRoundRect:
            return kRoundRects[variant](b.l, b.t, b.r, b.b, 24, 10);
        // From three o'clock counter-clockwise to six o'clock.
        case kPie:
            return kPies[variant](b.l, b.t, b.r, b.b, 0.0, 1.5 * kPi);
        case kPolygon:
            return kPolygons[variant](b.Star().data(), 5);
        // From twelve o'clock counter-clockwise to nine o'clock.
        case kArc:
            return DrawArc(b.l, b.t, b.r, b.b, kPi / 2, kPi);
        default:
            return DrawBezier(b.Star().data(), 4);
    }
}

// The GDI call each shape rests on; whether it drew.
BOOL DrawWithGdi(HDC dc, int shape, const Box& b) {
    switch (shape) {
        case kRectangle:
            return Rectangle(dc, b.l, b.t, b.r, b.b);
        case kCircle:
            return Ellipse(dc, b.Cx() - b.Ry(), b.Cy() - b.Ry(), b.Cx() + b.Ry(), b.Cy() + b.Ry());
        case kEllipse:
            return Ellipse(dc, b.l, b.t, b.r, b.b);
        case kRoundRect:
            return RoundRect(dc, b.l, b.t, b.r, b.b, 24, 10);
        case kPie:
            return Pie(dc, b.l, b.t, b.r, b.b, b.Cx() + b.Rx(), b.Cy(), b.Cx(), b.Cy() + b.Ry());
        case kPolygon:
            return Polygon(dc, b.Star().data(), 5);
        case kArc:
            return Arc(dc, b.l, b.t, b.r, b.b, b.Cx(), b.Cy() - b.Ry(), b.Cx() - b.Rx(), b.Cy());
        default:
            return PolyBezier(dc, b.Star().data(), 4);
    }
}

// What the variants mean in raw GDI: the outline without a brush, the fill
// without a pen (a rectangle then covering both corners), the fill in the
// background colour with R2_COPYPEN.
void DrawVariantWithGdi(HDC dc, int shape, int variant, Box box) {
    if (variant >= 2 && shape == kRectangle)
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
    DrawWithGdi(dc, shape, box);
    RestoreDC(dc, saved);
    if (background) DeleteObject(background);
}

// Every variant of every shape in every box, through Kanvo and on the twin;
// `check` follows every step, and the first that fails ends it.
void DrawEveryShape(HDC dc, const std::function<bool(int shape, int variant)>& check) {
    for (const Box& box : kBoxes)
        for (int shape = 0; shape < kShapes; ++shape)
            for (int variant = 0; variant < (shape < kClosedShapes ? 4 : 1); ++variant) {
                DrawWithKanvo(shape, shape < kClosedShapes ? variant : 0, box);
                DrawVariantWithGdi(dc, shape, shape < kClosedShapes ? variant : 1, box);
                if (!check(shape, variant)) return;
            }
}

// A drawing state: a geometric pen (user styles dash 5, 2), a brush (solid,
// hatched or a DIB pattern of an image), background mode, raster operation,
// polygon fill mode, and a mirroring transform or a clip region.
struct Condition {
    const char* name;
    int rop;
    int pen;
    int width;
    int brush;
    int hatch;
    bool mirrored;
    bool clipped;
    int mode;
    int fill;
};
const Condition kConditions[] = {
    {"DashedHatchMirrored", R2_COPYPEN, PS_DASH | PS_ENDCAP_FLAT, 3, BS_HATCHED, HS_DIAGCROSS, true,
     false, OPAQUE, ALTERNATE},
    {"InsideFrameSolidClippedXor", R2_XORPEN, PS_INSIDEFRAME | PS_ENDCAP_SQUARE | PS_JOIN_MITER, 5,
     BS_SOLID, 0, false, true, OPAQUE, ALTERNATE},
    {"UserDashesDibPatternTransparentWinding", R2_COPYPEN, PS_USERSTYLE | PS_JOIN_BEVEL, 2,
     BS_DIBPATTERN, 0, false, false, TRANSPARENT, WINDING},
};

// A 13 x 6 pattern image of black and coloured pixels.
IMAGE& PatternImage() {
    static IMAGE pattern(13, 6);
    for (int i = 0; i < 78; ++i) GetSurfacePixels(&pattern)[i] = i % 5 ? 0x102030u * (i % 8) : 0;
    return pattern;
}

// The twin's brush for a condition; GDI takes a DIB pattern bottom-up.
HBRUSH GdiBrush(const Condition& c) {
    if (c.brush == BS_DIBPATTERN) {
        struct {
            BITMAPINFOHEADER header;
            DWORD rows[13 * 6];
        } packed = {{40, 13, 6, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
        HDC dc = GetSurfaceContext(&PatternImage());
        GetDIBits(dc, static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP)), 0, 6, packed.rows,
                  reinterpret_cast<BITMAPINFO*>(&packed), DIB_RGB_COLORS);
        return CreateDIBPatternBrushPt(&packed, DIB_RGB_COLORS);
    }
    const LOGBRUSH fill = {static_cast<UINT>(c.brush), kInterior, static_cast<ULONG_PTR>(c.hatch)};
    return CreateBrushIndirect(&fill);
}

// Sets the whole drawing state of a condition through Kanvo and on the twin.
void SetState(const Condition& c, HDC dc) {
    const DWORD dashes[] = {5, 2};
    const float xScale = c.mirrored ? 0.5f : 1.0f;
    const float yScale = c.mirrored ? -0.75f : 1.0f;
    const XFORM transform = {xScale, 0, 0, yScale, c.mirrored ? 20.0f : 0, c.mirrored ? 110.0f : 0};
    HRGN clip = c.clipped ? CreateEllipticRgn(20, 10, 140, 110) : nullptr;
    SetStrokeColor(kStroke);
    SetInteriorColor(kInterior);
    SetBackgroundColor(kBackground);
    SetStrokeStyle(c.pen, c.width, dashes, 2);
    SetInteriorStyle(c.brush, c.hatch, &PatternImage());
    SetBackgroundMode(c.mode);
    SetRasterOp(c.rop);
    SetPolygonFillMode(c.fill);
    SetClipRegion(clip);
    MoveOrigin(static_cast<int>(transform.eDx), static_cast<int>(transform.eDy));
    SetAxisScale(xScale, yScale);
    const bool user = (c.pen & PS_STYLE_MASK) == PS_USERSTYLE;
    const LOGBRUSH stroke = {BS_SOLID, kStroke, 0};
    SelectAndDelete(dc, ExtCreatePen(PS_GEOMETRIC | c.pen, c.width, &stroke, user ? 2 : 0,
                                     user ? dashes : nullptr));
    SelectAndDelete(dc, GdiBrush(c));
    SetBkColor(dc, kBackground);
    SetBkMode(dc, c.mode);
    SetROP2(dc, c.rop);
    SetPolyFillMode(dc, c.fill);
    SetWorldTransform(dc, &transform);
    SelectClipRgn(dc, clip);
    if (clip) DeleteObject(clip);
}

// Every condition on the current target, whose pixels are `pixels`.
void ExpectShapesMatchGdi(DWORD* pixels) {
    for (const Condition& condition : kConditions) {
        GdiTwin twin(kWidth, kHeight);
        SetState(condition, twin.Dc());
        GdiFlush();
        std::fill_n(pixels, kWidth * kHeight, kSentinel);
        twin.Fill(kSentinel);
        const std::string state = DrawingState();
        const int freeBefore = FreeGdiSlots();
        DrawEveryShape(twin.Dc(), [&](int shape, int variant) {
            const std::string difference = ComparePixels(pixels, twin.Pixels(), kWidth, kHeight);
            EXPECT_EQ(difference, "") << condition.name << ", shape " << shape << " " << variant;
            EXPECT_EQ(DrawingState(), state) << condition.name << ", shape " << shape;
            return difference.empty() && DrawingState() == state;
        });
        EXPECT_EQ(FreeGdiSlots(), freeBefore) << condition.name;
    }
}

TEST(Shapes, MatchGdiOnAnImage) {
    IMAGE image(kWidth, kHeight);
    SetTargetImage(&image);
    ExpectShapesMatchGdi(GetSurfacePixels(&image));
}

// A size limit: the pen's width, the largest size still drawn, and the shape
// of a size. That Kanvo draws shapes as GDI does is shown above; here only
// whether a shape is drawn at all.
struct SizeLimit {
    const char* name;
    int pen;
    int size;
    void (*draw)(int size);
};
const SizeLimit kSizeLimits[] = {
    // An ellipse whose top touches the middle of the image: a horizon arc.
    {"ellipse of 800 000 pixels with the pen", 1, 799999,
     [](int size) {
         DrawEllipse(80 - size / 2, 60, 80 - size / 2 + size, 60 + size);
     }},
    {"wide-pen line of 1 000 000 pixels with the pen", 3, 999997,
     [](int size) {
         DrawLine(0, 60, size, 60);
     }},
    {"polygon at the device coordinate limit", 1, 134217727,
     [](int size) {
         const POINT tall[] = {{0, 50}, {160, 50}, {80, size}};
         DrawPolygon(tall, 3);
     }},
};

// How many pixels of a black image the shape of `limit` lights at `size`.
int LitPixels(const SizeLimit& limit, int size) {
    IMAGE image(kWidth, kHeight);
    SetTargetImage(&image);
    SetStrokeStyle(PS_SOLID, limit.pen);
    limit.draw(size);
    SetTargetImage(nullptr);
    return kWidth * kHeight -
           CountPixels(GetSurfacePixels(&image), kWidth, {0, 0, kWidth, kHeight}, 0);
}

TEST(Shapes, ShapesAtTheirSizeLimitsAreDrawn) {
    for (const SizeLimit& limit : kSizeLimits)
        EXPECT_GT(LitPixels(limit, limit.size), 0) << limit.name;
}

TEST(Shapes, ShapesOnePixelPastTheirSizeLimitsAreNotDrawn) {
    for (const SizeLimit& limit : kSizeLimits)
        EXPECT_EQ(LitPixels(limit, limit.size + 1), 0) << limit.name;
}

// A thin pen stays thin however the axes are scaled: its lines, 8 000 000
// device pixels long here, are held to no limit.
TEST(Shapes, ThinLinesAtAnyAxisScaleAreHeldToNoSizeLimit) {
    IMAGE image(kWidth, kHeight);
    SetTargetImage(&image);
    SetAxisScale(2, 2);
    DrawLine(-2000000, 25, 2000000, 30);
    EXPECT_GT(CountPixels(GetSurfacePixels(&image), kWidth, {0, 0, kWidth, kHeight}, 0xFFFFFF), 0);
}

TEST(Shapes, PointListsWithoutPointsOrBrokenBezierChainsDrawNothing) {
    IMAGE image(40, 40);
    SetTargetImage(&image);
    const POINT points[6] = {{2, 2}, {30, 4}, {4, 30}, {30, 30}, {20, 2}, {2, 20}};
    const int freeBefore = FreeGdiSlots();
    for (PointsShape shape : {DrawPolyline, DrawPolygon, PaintPolygon, ErasePolygon, DrawBezier}) {
        shape(points, 0);
        shape(points, INT_MIN);
        shape(nullptr, 4);
    }
    DrawBezier(points, 3);
    DrawBezier(points, 6);
    const int freeAfter = FreeGdiSlots();
    EXPECT_EQ(CountPixels(GetSurfacePixels(&image), 40, {0, 0, 40, 40}, 0), 40 * 40);
    EXPECT_EQ(freeAfter, freeBefore);
}

}  // namespace
