// Text output and fonts: drawing checked pixel by pixel against the same text
// drawn with the raw system calls on a twin bitmap, the font record read back
// after each kind of change, resources, bad input, and CJK glyphs.
#include <kanvo.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "gdi_twin.h"
#include "program_driver.h"
#include "resource_counts.h"

namespace {

using KanvoTest::ComparePixels;
using KanvoTest::GdiTwin;

const wchar_t kSample[] = L"Kanvo \u65f6\u949f Ag";  // Latin and CJK
const UINT kFormats[] = {DT_CENTER, DT_WORDBREAK, DT_SINGLELINE | DT_VCENTER};

// Every field of a style record but the face, for comparing in one go.
using Record = std::vector<long>;
Record Fields(const LOGFONTW& f) {
    return {f.lfHeight, f.lfWidth, f.lfEscapement, f.lfOrientation, f.lfWeight, f.lfItalic,
            f.lfUnderline, f.lfStrikeOut, f.lfCharSet, f.lfOutPrecision, f.lfClipPrecision,
            f.lfQuality, f.lfPitchAndFamily};
}

LOGFONTW ReadFont() {
    LOGFONTW style = {};
    GetTextFont(&style);
    return style;
}

class Text : public ::testing::Test {
protected:
    IMAGE image{160, 120};
    GdiTwin twin{160, 120};
    void SetUp() override { SetTargetImage(&image); }
    void TearDown() override { SetTargetImage(nullptr); }

    // Lays kSample out in three rectangles with each format, on the target
    // and on the twin; the heights and rectangles must agree.
    void WriteInRects(int top) {
        for (int i = 0; i < 3; ++i) {
            RECT ours = {2 + 52 * i, top, 50 + 52 * i, top + 50}, theirs = ours;
            EXPECT_EQ(WriteTextInRect(kSample, &ours, kFormats[i]),
                      DrawTextW(twin.Dc(), kSample, -1, &theirs, kFormats[i]));
        }
    }
};

TEST_F(Text, WriteTextOpaqueAndTransparentMatchTextOut) {
    twin.Fill(0x808080);
    std::fill(GetSurfacePixels(&image), GetSurfacePixels(&image) + 160 * 120, 0x808080);
    WriteText(4, 4, kSample);  // default state: white glyphs on black cells
    SetBackgroundMode(TRANSPARENT);
    SetFontColor(RGB(255, 160, 0));
    WriteText(4, 40, kSample);
    WriteText(4, 70, L'Q');
    TextOutW(twin.Dc(), 4, 4, kSample, lstrlenW(kSample));
    SetBkMode(twin.Dc(), TRANSPARENT);
    SetTextColor(twin.Dc(), RGB(255, 160, 0));
    TextOutW(twin.Dc(), 4, 40, kSample, lstrlenW(kSample));
    TextOutW(twin.Dc(), 4, 70, L"Q", 1);
    EXPECT_EQ(ComparePixels(image, twin), "");

    // Default cells: only black and white; transparent text keeps the grey.
    const int width = GetTextPixelWidth(kSample), height = GetTextPixelHeight(kSample);
    auto count = [&](int top, COLORREF color) {
        int n = 0;
        for (int y = top; y < top + height; ++y)
            for (int x = 4; x < 4 + width; ++x) n += GetPixelColor(x, y) == color;
        return n;
    };
    EXPECT_EQ(count(4, 0) + count(4, 0xFFFFFF), width * height);
    EXPECT_GT(count(4, 0xFFFFFF), 0);
    EXPECT_EQ(count(40, 0), 0);
}

TEST_F(Text, WriteTextInRectMatchesDrawText) {
    RECT calc = {0, 0, 60, 0}, twinCalc = calc;
    EXPECT_EQ(WriteTextInRect(kSample, &calc, DT_CALCRECT | DT_WORDBREAK),
              DrawTextW(twin.Dc(), kSample, -1, &twinCalc, DT_CALCRECT | DT_WORDBREAK));
    EXPECT_TRUE(EqualRect(&calc, &twinCalc));
    EXPECT_EQ(ComparePixels(image, twin), "");  // nothing drawn
    EXPECT_GT(calc.bottom, 0);

    WriteInRects(2);
    // The ellipsis must not be written into the caller's constant text.
    static const wchar_t kLong[] = L"a text much wider than its box";
    RECT ours = {2, 60, 60, 80}, theirs = ours;
    WriteTextInRect(kLong, &ours, DT_END_ELLIPSIS | DT_MODIFYSTRING);
    DrawTextW(twin.Dc(), kLong, -1, &theirs, DT_END_ELLIPSIS);
    RECT one = {70, 60, 100, 80}, twinOne = one;
    EXPECT_EQ(WriteTextInRect(L'W', &one, DT_CENTER), DrawTextW(twin.Dc(), L"W", -1, &twinOne, DT_CENTER));
    EXPECT_EQ(ComparePixels(image, twin), "");
    EXPECT_STREQ(kLong, L"a text much wider than its box");
}

TEST_F(Text, OriginAndAxisScaleMoveAndMirrorText) {
    const XFORM moved = {1, 0, 0, 1, 90, 10}, mirrored = {-1, 0, 0, 2, 90, 10};
    MoveOrigin(90, 10);
    SetWorldTransform(twin.Dc(), &moved);
    WriteText(5, 0, kSample);
    TextOutW(twin.Dc(), 5, 0, kSample, lstrlenW(kSample));
    WriteInRects(20);
    SetAxisScale(-1.0f, 2.0f);
    SetWorldTransform(twin.Dc(), &mirrored);
    WriteText(5, 40, L"mirror");
    TextOutW(twin.Dc(), 5, 40, L"mirror", 6);
    WriteInRects(-10);
    EXPECT_EQ(ComparePixels(image, twin), "");
}

TEST_F(Text, WindowTargetDrawsAndShowsTheSameText) {
    HWND window = OpenGraphWindow(160, 120);
    ASSERT_NE(window, nullptr);
    WriteText(3, 3, kSample);
    TextOutW(twin.Dc(), 3, 3, kSample, lstrlenW(kSample));
    SetBackgroundMode(TRANSPARENT);
    SetBkMode(twin.Dc(), TRANSPARENT);
    WriteInRects(30);
    FlushBatch();
    EXPECT_EQ(ComparePixels(GetSurfacePixels(nullptr), twin.Pixels(), 160, 120), "");
    KanvoTest::ScreenCapture shown = KanvoTest::CaptureWindowDc(window);
    for (DWORD& pixel : shown.pixels) pixel &= 0xFFFFFF;
    EXPECT_EQ(ComparePixels(shown.pixels.data(), twin.Pixels(), 160, 120), "");
    CloseGraphWindow();
}

TEST_F(Text, FontRecordsReadBackAsSet) {
    LOGFONTW f = ReadFont();
    EXPECT_EQ(Fields(f), Record({16, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 3, 0}));
    EXPECT_STREQ(f.lfFaceName, L"System");
    f.lfHeight = 24;  // as the ring clock chooses its font
    lstrcpyW(f.lfFaceName, L"\u9ed1\u4f53");
    f.lfQuality = ANTIALIASED_QUALITY;
    SetTextFont(&f);
    EXPECT_EQ(ReadFont().lfHeight, 24);
    EXPECT_STREQ(ReadFont().lfFaceName, L"\u9ed1\u4f53");

    SetTextFont(30, 12, L"Arial", 0, 0, FW_BOLD, true, false, false, DEFAULT_CHARSET, 0, 0,
                ANTIALIASED_QUALITY, 0);
    SelectTextFont(20, 8, nullptr);  // keeps the face and all other fields
    EXPECT_EQ(Fields(ReadFont()), Record({20, 8, 0, 0, FW_BOLD, 1, 0, 0, 1, 0, 0, 4, 0}));
    EXPECT_STREQ(ReadFont().lfFaceName, L"Arial");
    SelectTextFont(18, 0, nullptr, 900, 900, FW_NORMAL, false, true, true);
    EXPECT_EQ(Fields(ReadFont()), Record({18, 0, 900, 900, FW_NORMAL, 0, 1, 1, 1, 0, 0, 4, 0}));
    SelectTextFont(22, 0, nullptr, 0, 0, 0, false, false, false, ANSI_CHARSET, OUT_TT_PRECIS,
                   CLIP_STROKE_PRECIS, DEFAULT_QUALITY, FF_SWISS);
    QueryTextFont(&f);
    EXPECT_EQ(Fields(f), Record({22, 0, 0, 0, 0, 0, 0, 0, 0, OUT_TT_PRECIS, CLIP_STROKE_PRECIS,
                                 DEFAULT_QUALITY, FF_SWISS}));
    EXPECT_STREQ(f.lfFaceName, L"Arial");

    const std::wstring forty(40, L'x');
    SetTextFont(16, 0, (L"Face" + forty).c_str());
    EXPECT_EQ(std::wstring(ReadFont().lfFaceName), (L"Face" + forty).substr(0, 31));
    std::fill(std::begin(f.lfFaceName), std::end(f.lfFaceName), L'y');  // no terminator
    SetTextFont(&f);
    EXPECT_EQ(std::wstring(ReadFont().lfFaceName), std::wstring(31, L'y'));

    IMAGE copy(image), assigned(4, 4);
    SetTargetImage(&assigned);
    SetTextFont(40, 0, L"SimHei");
    assigned = image;
    EXPECT_EQ(ReadFont().lfHeight, 40);  // keeps its own font
    SetTargetImage(&copy);
    EXPECT_STREQ(ReadFont().lfFaceName, L"System");
    SetTargetImage(&image);
    ResetDrawingState();
    EXPECT_EQ(ReadFont().lfHeight, 16);
    EXPECT_STREQ(ReadFont().lfFaceName, L"System");
}

TEST_F(Text, CharacterFormsAndPenPositionWriteOneAfterAnother) {
    EXPECT_EQ(GetTextPixelWidth(L'W'), GetTextPixelWidth(L"W"));
    EXPECT_EQ(GetTextPixelHeight(L'W'), GetTextPixelHeight(L"W"));
    EXPECT_LT(GetTextPixelWidth(L'W'), GetTextPixelWidth(L"WW"));
    MovePenTo(3, 6);
    WriteTextAtPen(L"Ab");
    WriteTextAtPen(L'c');
    const int first = GetTextPixelWidth(L"Ab");
    EXPECT_EQ(GetPenX(), 3 + first + GetTextPixelWidth(L'c'));
    EXPECT_EQ(GetPenY(), 6);
    TextOutW(twin.Dc(), 3, 6, L"Ab", 2);
    TextOutW(twin.Dc(), 3 + first, 6, L"c", 1);
    EXPECT_EQ(ComparePixels(image, twin), "");
}

TEST_F(Text, BadInputDrawsNothingAndKeepsTheFont) {
    RECT rect = {0, 0, 50, 50};
    MovePenTo(7, 7);
    WriteText(0, 0, nullptr);
    WriteText(0, 0, L"");
    WriteTextAtPen(nullptr);
    WriteTextAtPen(L"");
    WriteText(INT_MAX, INT_MIN, kSample);
    EXPECT_EQ(WriteTextInRect(nullptr, &rect, 0), 0);
    EXPECT_EQ(WriteTextInRect(kSample, nullptr, DT_CALCRECT), 0);
    EXPECT_EQ(WriteTextInRect(L'x', nullptr, 0), 0);
    EXPECT_EQ(GetTextPixelWidth(nullptr) + GetTextPixelHeight(nullptr), 0);
    EXPECT_EQ(GetPenX(), 7);
    EXPECT_EQ(GetPenY(), 7);
    SetTextFont(nullptr);
    SelectTextFont(nullptr);
    GetTextFont(nullptr);
    QueryTextFont(nullptr);
    EXPECT_EQ(ReadFont().lfHeight, 16);
    EXPECT_EQ(ComparePixels(image, twin), "");
    SetTargetImage(nullptr);  // the window's image before the window opens
    SetTextFont(30, 0, L"Arial");
    WriteText(0, 0, kSample);
    EXPECT_EQ(ReadFont().lfHeight, 30);
}

TEST_F(Text, TenThousandFontChangesLeaveGdiObjectsFlat) {
    SetTextFont(20, 0, L"Arial");  // first use may set up lasting system state
    const int before = KanvoTest::FreeGdiSlots();
    LOGFONTW style = ReadFont();
    for (int i = 0; i < 10000; ++i) {
        style.lfHeight = 8 + i % 40;
        switch (i % 4) {
            case 0: SetTextFont(&style); break;
            case 1: SetTextFont(i % 30, 0, i % 3 ? nullptr : L"SimHei"); break;
            case 2: SetTextFont(-i, i, nullptr, i, i, i, true, true, true); break;
            default: SetTextFont(i, 0, nullptr, 0, 0, 0, 0, 0, 0, 1, 0, 0, 4, 0); break;
        }
        if (i % 500 == 0) {
            IMAGE other(8, 8);
            SetTargetImage(&other);
            SetTextFont(&style);
            SetTargetImage(&image);
        }
    }
    const int after = KanvoTest::FreeGdiSlots();
    EXPECT_EQ(after, before);
}

// Renders each character alone; boxes of a missing glyph would all be equal.
std::vector<std::vector<DWORD>> Glyphs(const wchar_t* characters) {
    std::vector<std::vector<DWORD>> glyphs;
    for (const wchar_t* c = characters; *c; ++c) {
        ClearTarget();
        WriteText(0, 0, *c);
        const DWORD* pixels = GetSurfacePixels(GetTargetImage());
        glyphs.emplace_back(pixels, pixels + GetTargetWidth() * GetTargetHeight());
    }
    return glyphs;
}

TEST_F(Text, FacesTheProgramsAskForShowRealGlyphs) {
    struct Case {
        const wchar_t* face;
        int height, width;
        const wchar_t* characters;
    } const cases[] = {{L"\u9ed1\u4f53", 24, 0, L"\u65f6\u949f\u5206\u79d2"},
                       {L"Arial", 14, 0, L"\u786e\u5b9a\u53d6\u6d88OK"},
                       {L"Corbel", 55, 40, L"0123456789"},
                       {L"System", 16, 0, L"\u65f6\u949fAg"}};
    for (const Case& c : cases) {
        SetTextFont(c.height, c.width, c.face);
        const auto glyphs = Glyphs(c.characters);
        for (size_t i = 0; i < glyphs.size(); ++i) {
            EXPECT_NE(glyphs[i], std::vector<DWORD>(glyphs[i].size(), 0)) << i;
            for (size_t j = 0; j < i; ++j) EXPECT_NE(glyphs[i], glyphs[j]) << i << " " << j;
        }
    }
}

}  // namespace
