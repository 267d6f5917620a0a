// Pens and brushes built from line and fill styles, compared pixel for pixel
// with the same figure drawn by raw GDI on a twin bitmap: plainly, under an
// origin with a scale (one axis mirrored), and under a clip region.
#include <kanvo.h>

#include <gtest/gtest.h>

#include "gdi_twin.h"

#include <string>
#include <vector>

namespace {

using KanvoTest::ComparePixels;
using KanvoTest::GdiTwin;

constexpr int kWidth = 240, kHeight = 200;
constexpr COLORREF kStroke = RGB(250, 200, 40), kInterior = RGB(30, 90, 220);
constexpr COLORREF kFont = RGB(240, 60, 60), kBackground = RGB(20, 110, 40);
const POINT kZigzag[] = {{10, 50}, {40, 12}, {70, 50}, {100, 12}, {125, 45}};
const DWORD kDashes[] = {6, 2, 1, 3};

enum class Frame { Plain, MirroredY, MirroredX, Clipped };

struct Case {
    Frame frame;
    const char* name;
};

class Styles : public testing::TestWithParam<Case> {
protected:
    void SetUp() override {
        SetTargetImage(&image_);
        XFORM xform = {1, 0, 0, 1, 0, 0};
        if (GetParam().frame == Frame::MirroredY) xform = {1.5f, 0, 0, -1.25f, 20, 190};
        if (GetParam().frame == Frame::MirroredX) xform = {-1.5f, 0, 0, 1.25f, 230, 10};
        MoveOrigin(static_cast<int>(xform.eDx), static_cast<int>(xform.eDy));
        SetAxisScale(xform.eM11, xform.eM22);
        SetWorldTransform(twin_.Dc(), &xform);
        if (GetParam().frame == Frame::Clipped) {
            // Regions are in device pixels; the caller keeps its handle.
            HRGN region = CreateEllipticRgn(15, 20, 110, 170);
            HRGN box = CreateRectRgn(60, 5, 200, 120);
            CombineRgn(region, region, box, RGN_XOR);
            SetClipRegion(region);
            SelectClipRgn(twin_.Dc(), region);
            DeleteObject(box);
            DeleteObject(region);
        }
    }
    void TearDown() override { SetTargetImage(nullptr); }

    // The figure with Kanvo's current state, the same with the twin's, then
    // the comparison; both rasters are cleared for the next round.
    std::string DrawAndCompare() {
        DrawPolyline(kZigzag, 5);
        DrawLine(15, 70, 110, 95);
        DrawFilledRectangle(20, 105, 62, 140);
        DrawFilledEllipse(72, 100, 125, 148);
        HDC dc = twin_.Dc();
        Polyline(dc, kZigzag, 5);
        MoveToEx(dc, 15, 70, nullptr);
        LineTo(dc, 110, 95);
        Rectangle(dc, 20, 105, 62, 140);
        Ellipse(dc, 72, 100, 125, 148);
        std::string difference = ComparePixels(image_, twin_);
        ClearTarget();
        const COLORREF background = GetBackgroundColor();
        twin_.Fill(RGB(GetBValue(background), GetGValue(background), GetRValue(background)));
        return difference;
    }
    void SelectTwinBrush(HBRUSH brush) { DeleteObject(SelectObject(twin_.Dc(), brush)); }

    IMAGE image_{kWidth, kHeight};
    GdiTwin twin_{kWidth, kHeight};
};

TEST_P(Styles, EveryPenStyleWithCapsJoinsAndThicknesses) {
    const int styles[] = {PS_SOLID, PS_DASH,   PS_DOT,         PS_DASHDOT,
                          PS_DASHDOTDOT, PS_USERSTYLE, PS_INSIDEFRAME, PS_NULL};
    const int caps[] = {PS_ENDCAP_ROUND, PS_ENDCAP_SQUARE, PS_ENDCAP_FLAT};
    const int joins[] = {PS_JOIN_ROUND, PS_JOIN_BEVEL, PS_JOIN_MITER};
    SetStrokeColor(kStroke);
    SetInteriorColor(kInterior);
    SelectTwinBrush(CreateSolidBrush(kInterior));
    for (int thickness : {1, 3, 8})
        for (int style : styles)
            for (int cap : caps)
                for (int join : joins) {
                    const bool user = style == PS_USERSTYLE;
                    SetStrokeStyle(style | cap | join, thickness, user ? kDashes : nullptr,
                                   user ? 4 : 0);
                    const LOGBRUSH stroke = {BS_SOLID, kStroke, 0};
                    DeleteObject(SelectObject(
                        twin_.Dc(), ExtCreatePen(PS_GEOMETRIC | style | cap | join, thickness,
                                                 &stroke, user ? 4 : 0, user ? kDashes : nullptr)));
                    EXPECT_EQ(DrawAndCompare(), "") << "style 0x" << std::hex
                                                    << (style | cap | join) << std::dec
                                                    << ", thickness " << thickness;
                }
}

TEST_P(Styles, EveryHatchInBothBackgroundModes) {
    SetBackgroundColor(kBackground);
    SetBkColor(twin_.Dc(), kBackground);
    for (int mode : {OPAQUE, TRANSPARENT}) {
        SetBackgroundMode(mode);
        SetBkMode(twin_.Dc(), mode);
        for (int hatch = HS_HORIZONTAL; hatch <= HS_DIAGCROSS; ++hatch) {
            SetInteriorStyle(BS_HATCHED, hatch);
            SetInteriorColor(kInterior + hatch);  // rebuilds the hatched brush
            SelectTwinBrush(CreateHatchBrush(hatch, kInterior + hatch));
            EXPECT_EQ(DrawAndCompare(), "") << "hatch " << hatch << ", mode " << mode;
        }
    }
}

TEST_P(Styles, PatternsFromRowsFromAnImageAndAsDib) {
    SetFontColor(kFont);
    SetBackgroundColor(kBackground);
    SetTextColor(twin_.Dc(), kFont);
    SetBkColor(twin_.Dc(), kBackground);

    // Eight row bytes: set bits paint in the font colour, clear bits in the
    // background colour, so the monochrome bitmap holds the inverted bytes.
    const BYTE rows[8] = {0x80, 0x41, 0x22, 0x14, 0x08, 0xFF, 0x00, 0xA5};
    WORD inverted[8];
    for (int i = 0; i < 8; ++i) inverted[i] = static_cast<BYTE>(~rows[i]);
    SetInteriorStyle(rows);
    HBITMAP rowBits = CreateBitmap(8, 8, 1, 1, inverted);
    SelectTwinBrush(CreatePatternBrush(rowBits));
    DeleteObject(rowBits);
    EXPECT_EQ(DrawAndCompare(), "") << "row pattern";

    // A 13 x 6 image: its black pixels paint in the background colour. GDI's
    // own colour-to-monochrome copy (source background black) is the oracle.
    IMAGE pattern(13, 6);
    DWORD* pixels = GetSurfacePixels(&pattern);
    for (int i = 0; i < 13 * 6; ++i) pixels[i] = (i * 7) % 5 == 0 ? 0 : 0x00102030u * (i % 8);
    SetInteriorStyle(BS_PATTERN, 0, &pattern);
    HBITMAP mono = CreateBitmap(13, 6, 1, 1, nullptr);
    HDC monoDc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(monoDc, mono);
    BitBlt(monoDc, 0, 0, 13, 6, GetSurfaceContext(&pattern), 0, 0, SRCCOPY);
    SelectObject(monoDc, old);
    DeleteDC(monoDc);
    SelectTwinBrush(CreatePatternBrush(mono));
    DeleteObject(mono);
    EXPECT_EQ(DrawAndCompare(), "") << "image pattern";

    // The same image as a colour DIB pattern: a packed bottom-up 32-bit DIB.
    SetInteriorStyle(BS_DIBPATTERN, 0, &pattern);
    std::vector<DWORD> packed(sizeof(BITMAPINFOHEADER) / 4 + 13 * 6);
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(packed.data());  // zero-filled
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = 13;
    header->biHeight = 6;  // rows bottom-up
    header->biPlanes = 1;
    header->biBitCount = 32;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 13; ++x)
            packed[sizeof(BITMAPINFOHEADER) / 4 + (5 - y) * 13 + x] = pixels[y * 13 + x];
    SelectTwinBrush(CreateDIBPatternBrushPt(packed.data(), DIB_RGB_COLORS));
    EXPECT_EQ(DrawAndCompare(), "") << "DIB pattern";
}

INSTANTIATE_TEST_SUITE_P(Frames, Styles,
                         testing::Values(Case{Frame::Plain, "Plain"},
                                         Case{Frame::MirroredY, "OriginScaleMirroredY"},
                                         Case{Frame::MirroredX, "OriginScaleMirroredX"},
                                         Case{Frame::Clipped, "ClipRegion"}),
                         [](const testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
