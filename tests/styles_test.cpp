// Pens and brushes built from line and fill styles, compared pixel for pixel
// with the same figure drawn by raw GDI on a twin bitmap: plainly, under an
// origin with a scale (one axis mirrored), and under a clip region.
#include <kanvo.h>

#include <gtest/gtest.h>

#include "gdi_twin.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace KanvoTest;

constexpr COLORREF kStroke = RGB(250, 200, 40), kInterior = RGB(30, 90, 220);
constexpr COLORREF kFont = RGB(240, 60, 60), kBackground = RGB(20, 110, 40);
const POINT kZigzag[] = {{10, 50}, {40, 12}, {70, 50}, {100, 12}, {125, 45}};
// Identity; origins with scales that mirror one axis; identity with a clip region.
const XFORM kFrames[] = {{1, 0, 0, 1, 0, 0}, {1.5f, 0, 0, -1.25f, 20, 190},
                         {-1.5f, 0, 0, 1.25f, 230, 10}, {1, 0, 0, 1, 0, 0}};

TEST(Styles, PensHatchesAndPatternsAsGdiDrawsThemPlainMirroredAndClipped) {
    const DWORD dashes[] = {6, 2, 1, 3};
    // Eight row bytes: set bits paint in the font colour, clear bits in the
    // background colour, so the monochrome bitmap holds the inverted bytes.
    const BYTE rows[8] = {0x80, 0x41, 0x22, 0x14, 0x08, 0xFF, 0x00, 0xA5};
    WORD inverted[8];
    for (int i = 0; i < 8; ++i) inverted[i] = static_cast<BYTE>(~rows[i]);
    // A 13 x 6 image: as a monochrome pattern its black pixels paint in the
    // background colour, as in GDI's own colour-to-monochrome copy (source
    // background black); as a colour pattern, a packed bottom-up 32-bit DIB.
    IMAGE pattern(13, 6);
    DWORD* pixels = GetSurfacePixels(&pattern);
    for (int i = 0; i < 13 * 6; ++i) pixels[i] = (i * 7) % 5 == 0 ? 0 : 0x00102030u * (i % 8);
    HBITMAP rowBits = CreateBitmap(8, 8, 1, 1, inverted), mono = CreateBitmap(13, 6, 1, 1, nullptr);
    HDC monoDc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(monoDc, mono);
    BitBlt(monoDc, 0, 0, 13, 6, GetSurfaceContext(&pattern), 0, 0, SRCCOPY);
    SelectObject(monoDc, old); DeleteDC(monoDc);
    std::vector<DWORD> packed(10 + 13 * 6);  // a 40-byte header, then the rows
    const BITMAPINFOHEADER header = {40, 13, 6, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::copy_n(reinterpret_cast<const DWORD*>(&header), 10, packed.begin());
    for (int y = 0; y < 6; ++y) std::copy_n(pixels + y * 13, 13, &packed[10 + (5 - y) * 13]);

    for (int frame = 0; frame < 4; ++frame) {
        IMAGE image(240, 200);
        GdiTwin twin(240, 200);
        HDC dc = twin.Dc();
        SetTargetImage(&image);
        const XFORM& m = kFrames[frame];
        MoveOrigin(static_cast<int>(m.eDx), static_cast<int>(m.eDy)); SetAxisScale(m.eM11, m.eM22);
        SetWorldTransform(dc, &m);
        HRGN region = frame == 3 ? CreateEllipticRgn(15, 20, 110, 170) : nullptr;  // device pixels
        SetClipRegion(region); SelectClipRgn(dc, region);
        if (region) DeleteObject(region);
        // The figure with Kanvo's state and with the twin's, given its new pen
        // or brush; both rasters are then cleared for the next round.
        auto expectSame = [&](HGDIOBJ twinPenOrBrush, const std::string& what) {
            SelectAndDelete(dc, twinPenOrBrush);
            DrawPolyline(kZigzag, 5); Polyline(dc, kZigzag, 5);
            DrawFilledRectangle(20, 105, 62, 140); Rectangle(dc, 20, 105, 62, 140);
            DrawFilledEllipse(72, 100, 125, 148); Ellipse(dc, 72, 100, 125, 148);
            EXPECT_EQ(ComparePixels(image, twin), "") << what << " in frame " << frame;
            ClearTarget();
            std::copy_n(GetSurfacePixels(&image), 240 * 200, twin.Pixels());
        };
        for (int width : {1, 3, 8})
            for (int style = PS_SOLID; style <= PS_USERSTYLE; ++style)  // PS_NULL among them
                for (int cap : {PS_ENDCAP_ROUND, PS_ENDCAP_SQUARE, PS_ENDCAP_FLAT})
                    for (int join : {PS_JOIN_ROUND, PS_JOIN_BEVEL, PS_JOIN_MITER}) {
                        const DWORD count = style == PS_USERSTYLE ? 4 : 0;
                        SetStrokeStyle(style | cap | join, width, count ? dashes : nullptr, count);
                        SetStrokeColor(kStroke + width);  // the new colour keeps the style
                        const LOGBRUSH stroke = {BS_SOLID, kStroke + width, 0};
                        expectSame(ExtCreatePen(PS_GEOMETRIC | style | cap | join, width, &stroke,
                                                count, count ? dashes : nullptr),
                                   "pen " + std::to_string(style | cap | join) + " width " +
                                       std::to_string(width));
                    }
        SetBackgroundColor(kBackground); SetBkColor(dc, kBackground);
        SetFontColor(kFont); SetTextColor(dc, kFont);
        for (int mode : {OPAQUE, TRANSPARENT})
            for (int hatch = HS_HORIZONTAL; hatch <= HS_DIAGCROSS; ++hatch) {
                SetBackgroundMode(mode); SetBkMode(dc, mode);
                SetInteriorStyle(BS_HATCHED, hatch);
                SetInteriorColor(kInterior + hatch);  // rebuilds the hatched brush
                expectSame(CreateHatchBrush(hatch, kInterior + hatch),
                           "hatch " + std::to_string(hatch) + " mode " + std::to_string(mode));
            }
        SetInteriorStyle(rows);
        expectSame(CreatePatternBrush(rowBits), "row pattern");
        SetInteriorStyle(BS_PATTERN, 0, &pattern);
        expectSame(CreatePatternBrush(mono), "image pattern");
        SetInteriorStyle(BS_DIBPATTERN, 0, &pattern);
        expectSame(CreateDIBPatternBrushPt(packed.data(), DIB_RGB_COLORS), "DIB pattern");
    }
    DeleteObject(rowBits);
    DeleteObject(mono);
}

}  // namespace
