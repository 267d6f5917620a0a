// Every shape in all its variants, drawn through Kanvo and with the raw GDI
// calls on a twin bitmap, under several drawing states, on an IMAGE and on
// the window's back buffer: after every step both hold the same pixels.
#include <kanvo.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <string>

#include "gdi_twin.h"

namespace {

using KanvoTest::ComparePixels;
using KanvoTest::GdiTwin;

constexpr int kWidth = 160, kHeight = 120;
constexpr double kPi = 3.14159265358979323846;
constexpr COLORREF kStroke = RGB(255, 220, 0), kInterior = RGB(30, 90, 250);
constexpr COLORREF kBackground = RGB(120, 0, 40);

struct Box {
    int l, t, r, b;
};
// Even and odd sizes, and a box given by its bottom-right corner first.
const Box kBoxes[] = {{10, 12, 70, 52}, {15, 20, 96, 75}, {150, 110, 81, 41}};

int CenterX(const Box& b) { return std::min(b.l, b.r) + std::abs(b.r - b.l) / 2; }
int CenterY(const Box& b) { return std::min(b.t, b.b) + std::abs(b.b - b.t) / 2; }
int Radius(const Box& b) { return std::abs(b.r - b.l) / 3; }

// A self-crossing five-pointed star: its middle has winding number 2, so
// ALTERNATE leaves it empty and WINDING fills it.
std::array<POINT, 5> Star(const Box& b) {
    const int w = b.r - b.l, h = b.b - b.t;
    return {{{b.l + w / 2, b.t}, {b.l + w / 5, b.b}, {b.r, b.t + h * 2 / 5},
             {b.l, b.t + h * 2 / 5}, {b.r - w / 5, b.b}}};
}

using KanvoShape = void (*)(const Box&);
using RawShape = void (*)(HDC, const Box&);

#define KANVO_VARIANTS(shape, ...)                         \
    {[](const Box& b) { Draw##shape(__VA_ARGS__); },       \
     [](const Box& b) { DrawFilled##shape(__VA_ARGS__); }, \
     [](const Box& b) { Paint##shape(__VA_ARGS__); },      \
     [](const Box& b) { Erase##shape(__VA_ARGS__); }}

// A closed shape: Kanvo's outline, outline-and-fill, fill-only and
// background-fill variants, and the one GDI call they all rest on.
struct ClosedShape {
    const char* name;
    KanvoShape variants[4];
    RawShape raw;
    bool fillCoversCorners = false;  // the fill-only rectangle
};

const ClosedShape kClosedShapes[] = {
    {"Rectangle", KANVO_VARIANTS(Rectangle, b.l, b.t, b.r, b.b),
     [](HDC dc, const Box& b) { Rectangle(dc, b.l, b.t, b.r, b.b); }, true},
    {"Circle", KANVO_VARIANTS(Circle, CenterX(b), CenterY(b), Radius(b)),
     [](HDC dc, const Box& b) {
         const int x = CenterX(b), y = CenterY(b), r = Radius(b);
         Ellipse(dc, x - r, y - r, x + r, y + r);
     }},
    {"Ellipse", KANVO_VARIANTS(Ellipse, b.l, b.t, b.r, b.b),
     [](HDC dc, const Box& b) { Ellipse(dc, b.l, b.t, b.r, b.b); }},
    {"RoundRect", KANVO_VARIANTS(RoundRect, b.l, b.t, b.r, b.b, 24, 13),
     [](HDC dc, const Box& b) { RoundRect(dc, b.l, b.t, b.r, b.b, 24, 13); }},
    // From three o'clock counter-clockwise to six o'clock.
    {"Pie", KANVO_VARIANTS(Pie, b.l, b.t, b.r, b.b, 0.0, 1.5 * kPi),
     [](HDC dc, const Box& b) {
         const int rx = std::abs(b.r - b.l) / 2, ry = std::abs(b.b - b.t) / 2;
         Pie(dc, b.l, b.t, b.r, b.b, CenterX(b) + rx, CenterY(b), CenterX(b), CenterY(b) + ry);
     }},
    {"Polygon", KANVO_VARIANTS(Polygon, Star(b).data(), 5),
     [](HDC dc, const Box& b) { Polygon(dc, Star(b).data(), 5); }},
};

// What the variants mean in raw GDI: the outline without a brush, the fill
// without a pen (a rectangle then covering both corners), the fill in the
// background colour with R2_COPYPEN.
void RawVariant(HDC dc, const ClosedShape& shape, int variant, Box box) {
    if (variant >= 2 && shape.fillCoversCorners)
        box = {std::min(box.l, box.r), std::min(box.t, box.b), std::max(box.l, box.r) + 1,
               std::max(box.t, box.b) + 1};
    const HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN), brush = GetCurrentObject(dc, OBJ_BRUSH);
    const int rop = GetROP2(dc);
    HBRUSH background = variant == 3 ? CreateSolidBrush(GetBkColor(dc)) : nullptr;
    if (variant == 0) SelectObject(dc, GetStockObject(NULL_BRUSH));
    if (variant >= 2) SelectObject(dc, GetStockObject(NULL_PEN));
    if (background) {
        SelectObject(dc, background);
        SetROP2(dc, R2_COPYPEN);
    }
    shape.raw(dc, box);
    SelectObject(dc, pen);
    SelectObject(dc, brush);
    SetROP2(dc, rop);
    if (background) DeleteObject(background);
}

// Open shapes, flood fills and pixels: one Kanvo call and its GDI twin.
struct OpenShape {
    const char* name;
    KanvoShape kanvo;
    RawShape raw;
};

const POINT* Curve(const Box& b) {
    static POINT p[4];
    p[0] = {b.l, b.t};
    p[1] = {b.r, b.t};
    p[2] = {b.l, b.b};
    p[3] = {b.r, b.b};
    return p;
}

const OpenShape kOpenShapes[] = {
    {"Line", [](const Box& b) { DrawLine(b.l, b.t, b.r, b.b); },
     [](HDC dc, const Box& b) { MoveToEx(dc, b.l, b.t, nullptr); LineTo(dc, b.r, b.b); }},
    // From twelve o'clock counter-clockwise to nine o'clock.
    {"Arc", [](const Box& b) { DrawArc(b.l, b.t, b.r, b.b, kPi / 2, kPi); },
     [](HDC dc, const Box& b) {
         const int rx = std::abs(b.r - b.l) / 2, ry = std::abs(b.b - b.t) / 2;
         Arc(dc, b.l, b.t, b.r, b.b, CenterX(b), CenterY(b) - ry, CenterX(b) - rx, CenterY(b));
     }},
    {"Polyline", [](const Box& b) { DrawPolyline(Star(b).data(), 5); },
     [](HDC dc, const Box& b) { Polyline(dc, Star(b).data(), 5); }},
    {"Bezier", [](const Box& b) { DrawBezier(Curve(b), 4); },
     [](HDC dc, const Box& b) { PolyBezier(dc, Curve(b), 4); }},
    {"FillUpToBorder",
     [](const Box& b) { FillAreaAt(CenterX(b), CenterY(b), kStroke, FLOODFILLBORDER); },
     [](HDC dc, const Box& b) {
         ExtFloodFill(dc, CenterX(b), CenterY(b), kStroke, FLOODFILLBORDER);
     }},
    {"FillSurface",
     [](const Box& b) {
         FillAreaAt(b.l + 2, b.t + 2, GetPixelColor(b.l + 2, b.t + 2), FLOODFILLSURFACE);
     },
     [](HDC dc, const Box& b) {
         ExtFloodFill(dc, b.l + 2, b.t + 2, GetPixel(dc, b.l + 2, b.t + 2), FLOODFILLSURFACE);
     }},
    {"Pixel", [](const Box& b) { SetPixelColor(b.r - 3, b.b - 3, RGB(0, 255, 0)); },
     [](HDC dc, const Box& b) { SetPixelV(dc, b.r - 3, b.b - 3, RGB(0, 255, 0)); }},
};

// A drawing state, set through Kanvo and on the twin's device context.
struct Condition {
    const char* name;
    void (*kanvo)();
    void (*raw)(HDC);
};

void SelectPen(HDC dc, DWORD style, DWORD width) {
    const LOGBRUSH stroke = {BS_SOLID, kStroke, 0};
    DeleteObject(SelectObject(dc, ExtCreatePen(PS_GEOMETRIC | style, width, &stroke, 0, nullptr)));
}

void SetTwinTransform(HDC dc) {
    const XFORM transform = {0.5f, 0.0f, 0.0f, -0.75f, 20.0f, 110.0f};
    SetWorldTransform(dc, &transform);
}

HRGN ClipShape() { return CreateEllipticRgn(20, 10, 140, 110); }

const Condition kConditions[] = {
    {"Plain", [] {}, [](HDC) {}},
    {"DashedWidePenAndHatch",
     [] {
         SetStrokeStyle(PS_DASH | PS_ENDCAP_FLAT, 3);
         SetInteriorStyle(BS_HATCHED, HS_DIAGCROSS);
     },
     [](HDC dc) {
         SelectPen(dc, PS_DASH | PS_ENDCAP_FLAT, 3);
         DeleteObject(SelectObject(dc, CreateHatchBrush(HS_DIAGCROSS, kInterior)));
     }},
    {"HollowBrushAndNullPen", [] { SetInteriorStyle(BS_NULL); SetStrokeStyle(PS_NULL); },
     [](HDC dc) { SelectPen(dc, PS_NULL, 1); SelectObject(dc, GetStockObject(NULL_BRUSH)); }},
    {"MirroredTransform", [] { MoveOrigin(20, 110); SetAxisScale(0.5f, -0.75f); },
     SetTwinTransform},
    {"EllipticClip", [] { HRGN r = ClipShape(); SetClipRegion(r); DeleteObject(r); },
     [](HDC dc) { HRGN r = ClipShape(); SelectClipRgn(dc, r); DeleteObject(r); }},
    {"WindingFill", [] { SetPolygonFillMode(WINDING); },
     [](HDC dc) { SetPolyFillMode(dc, WINDING); }},
    {"XorPen", [] { SetRasterOp(R2_XORPEN); }, [](HDC dc) { SetROP2(dc, R2_XORPEN); }},
    {"NotRop", [] { SetRasterOp(R2_NOT); }, [](HDC dc) { SetROP2(dc, R2_NOT); }},
    {"MaskPen", [] { SetRasterOp(R2_MASKPEN); }, [](HDC dc) { SetROP2(dc, R2_MASKPEN); }},
};

class ShapesMatchGdi : public ::testing::TestWithParam<std::tuple<int, bool>> {};

TEST_P(ShapesMatchGdi, AfterEveryStep) {
    const Condition& condition = kConditions[std::get<0>(GetParam())];
    const bool onWindow = std::get<1>(GetParam());
    IMAGE image(kWidth, kHeight);
    if (onWindow)
        ASSERT_NE(OpenGraphWindow(kWidth, kHeight), nullptr);
    else
        SetTargetImage(&image);
    GdiTwin twin(kWidth, kHeight);
    HDC dc = twin.Dc();
    DWORD* pixels = GetSurfacePixels(onWindow ? nullptr : &image);
    ASSERT_NE(pixels, nullptr);

    // The base state: a geometric pen, a solid brush, a background colour;
    // the pixels start from a colour that no step draws.
    SetStrokeColor(kStroke);
    SetInteriorColor(kInterior);
    SetBackgroundColor(kBackground);
    SelectPen(dc, PS_SOLID, 1);
    DeleteObject(SelectObject(dc, CreateSolidBrush(kInterior)));
    SetBkColor(dc, kBackground);
    condition.kanvo();
    condition.raw(dc);
    GdiFlush();
    std::fill(pixels, pixels + kWidth * kHeight, 0x00406080u);
    twin.Fill(0x00406080u);

    const char* variantNames[] = {"Draw", "DrawFilled", "Paint", "Erase"};
    for (const Box& box : kBoxes) {
        for (const ClosedShape& shape : kClosedShapes) {
            for (int variant = 0; variant < 4; ++variant) {
                shape.variants[variant](box);
                RawVariant(dc, shape, variant, box);
                ASSERT_EQ(ComparePixels(pixels, twin.Pixels(), kWidth, kHeight), "")
                    << variantNames[variant] << shape.name << " at " << box.l << "," << box.t;
            }
        }
        for (const OpenShape& shape : kOpenShapes) {
            shape.kanvo(box);
            shape.raw(dc, box);
            ASSERT_EQ(ComparePixels(pixels, twin.Pixels(), kWidth, kHeight), "")
                << shape.name << " at " << box.l << "," << box.t;
        }
    }
    SetTargetImage(nullptr);
    CloseGraphWindow();
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, ShapesMatchGdi,
    ::testing::Combine(::testing::Range(0, int(std::size(kConditions))), ::testing::Bool()),
    [](const ::testing::TestParamInfo<std::tuple<int, bool>>& info) {
        return std::string(kConditions[std::get<0>(info.param)].name) +
               (std::get<1>(info.param) ? "OnWindow" : "OnImage");
    });

}  // namespace
