// Text output and fonts: drawing checked pixel by pixel against the same text
// drawn with the raw system calls on a twin bitmap, on an image and on the
// window; the font record read back after each kind of change; resources and
// bad input.
#include <climits>
#include <cwchar>
#include <vector>

#include "image_checks.h"

namespace {

const wchar_t kSample[] = L"Kanvo \u65f6\u949f Ag";  // Latin and CJK; read-only
const std::wstring kDefaultFont = L"16 0 0 0 0 0 0 0 1 0 0 3 0 System";

// The font record as text: the thirteen numeric fields, then the face.
std::wstring Font(void (*read)(LOGFONTW*) = GetTextFont) {
    LOGFONTW f = {};
    read(&f);
    wchar_t text[128];
    swprintf(text, 128, L"%ld %ld %ld %ld %ld %d %d %d %d %d %d %d %d %ls", f.lfHeight, f.lfWidth,
             f.lfEscapement, f.lfOrientation, f.lfWeight, f.lfItalic, f.lfUnderline, f.lfStrikeOut,
             f.lfCharSet, f.lfOutPrecision, f.lfClipPrecision, f.lfQuality, f.lfPitchAndFamily,
             f.lfFaceName);
    return text;
}

// Writes `text` into five rectangles side by side, one format each, with
// Kanvo and on the twin: the heights and computed rectangles must agree. An
// ellipsis must never be written into the caller's constant text.
void ExpectRectanglesMatch(HDC dc, int top, const wchar_t* text) {
    const UINT formats[] = {DT_CENTER, DT_WORDBREAK, DT_SINGLELINE | DT_VCENTER,
                            DT_CALCRECT | DT_WORDBREAK, DT_END_ELLIPSIS | DT_MODIFYSTRING};
    int left = 2;
    for (UINT format : formats) {
        RECT ours = {left, top, left + 58, top + 50};
        RECT theirs = ours;
        const int height =
            text[1] ? WriteTextInRect(text, &ours, format) : WriteTextInRect(*text, &ours, format);
        EXPECT_EQ(height, DrawTextW(dc, text, -1, &theirs, format & ~DT_MODIFYSTRING)) << format;
        EXPECT_TRUE(EqualRect(&ours, &theirs)) << format;
        left += 62;
    }
}

// On the current target, whose pixels are `pixels`: white on black cells,
// text at the pen, in rectangles, then coloured transparent glyphs under a
// moved origin and a mirroring axis scale.
void ExpectTextMatchesGdi(DWORD* pixels) {
    KanvoTest::GdiTwin twin(320, 240);
    const HDC dc = twin.Dc();
    std::fill(pixels, pixels + 320 * 240, 0x808080);
    twin.Fill(0x808080);  // shows opaque cells
    WriteText(4, 4, kSample);
    TextOutW(dc, 4, 4, kSample, lstrlenW(kSample));
    WriteText(4, 24, L'Q');
    TextOutW(dc, 4, 24, L"Q", 1);
    MovePenTo(30, 24);
    WriteTextAtPen(L"Ab");
    WriteTextAtPen(L'c');
    TextOutW(dc, 30, 24, L"Ab", 2);
    TextOutW(dc, 30 + GetTextPixelWidth(L"Ab"), 24, L"c", 1);
    ExpectRectanglesMatch(dc, 44, kSample);
    ExpectRectanglesMatch(dc, 100, L"W");
    SetBackgroundMode(TRANSPARENT);
    SetBkMode(dc, TRANSPARENT);
    SetFontColor(RGB(255, 160, 0));
    SetTextColor(dc, RGB(255, 160, 0));
    MoveOrigin(300, 190);
    SetAxisScale(-1.0f, 2.0f);
    const XFORM mirror = {-1, 0, 0, 2, 300, 190};
    SetWorldTransform(dc, &mirror);
    WriteText(5, 0, L"mirror");
    TextOutW(dc, 5, 0, L"mirror", 6);
    ExpectRectanglesMatch(dc, -30, kSample);
    EXPECT_EQ(KanvoTest::ComparePixels(pixels, twin.Pixels(), 320, 240), "");
}

TEST(Text, WritingOnAnImageMatchesTheRawCalls) {
    IMAGE image(320, 240);
    SetTargetImage(&image);
    ExpectTextMatchesGdi(GetSurfacePixels(&image));
}

// The window's image takes a font before the window opens; a reset gives it
// the default back for the comparison.
TEST(Text, WritingOnTheWindowMatchesTheRawCalls) {
    SetTargetImage(nullptr);
    SetTextFont(30, 0, L"Arial");
    EXPECT_EQ(Font().substr(0, 3), L"30 ");
    ResetDrawingState();
    ASSERT_NE(OpenGraphWindow(320, 240), nullptr);
    ExpectTextMatchesGdi(GetSurfacePixels(nullptr));
}

TEST(Text, ThePenAdvancesByTheWidthOfWhatIsWrittenAtIt) {
    IMAGE image(100, 40);
    SetTargetImage(&image);
    MovePenTo(30, 24);
    WriteTextAtPen(L"Ab");
    WriteTextAtPen(L'c');
    EXPECT_EQ(GetPenX(), 30 + GetTextPixelWidth(L"Ab") + GetTextPixelWidth(L'c'));
    EXPECT_EQ(GetPenY(), 24);
}

TEST(Text, BadInputDrawsNothingMeasuresZeroAndLeavesThePen) {
    IMAGE image(100, 40);
    SetTargetImage(&image);
    RECT rect = {0, 0, 50, 40};
    MovePenTo(30, 24);
    WriteText(0, 0, nullptr);
    WriteText(INT_MAX, INT_MIN, kSample);
    WriteTextAtPen(nullptr);
    WriteTextAtPen(L"");
    EXPECT_EQ(WriteTextInRect(nullptr, &rect, 0), 0);
    EXPECT_EQ(WriteTextInRect(L'x', nullptr, 0), 0);
    EXPECT_EQ(WriteTextInRect(kSample, nullptr, DT_CALCRECT), 0);
    EXPECT_EQ(GetTextPixelWidth(nullptr), 0);
    EXPECT_EQ(GetTextPixelHeight(nullptr), 0);
    EXPECT_EQ(GetPenX(), 30);
    EXPECT_EQ(KanvoTest::CountPixels(GetSurfacePixels(&image), 100, {0, 0, 100, 40}, 0), 100 * 40);
}

// Each form keeps the fields it does not name; null records change nothing.
TEST(Text, EachFontFormKeepsTheFieldsItDoesNotName) {
    IMAGE image(80, 60);
    SetTargetImage(&image);
    SetTextFont(nullptr);
    SelectTextFont(nullptr);
    GetTextFont(nullptr);
    QueryTextFont(nullptr);
    EXPECT_EQ(Font(), kDefaultFont);
    // The ring clock's font: the default with another height, quality and face.
    LOGFONTW f = {};
    GetTextFont(&f);
    f.lfHeight = 24;
    f.lfQuality = ANTIALIASED_QUALITY;
    lstrcpyW(f.lfFaceName, L"\u9ed1\u4f53");
    SetTextFont(&f);
    EXPECT_EQ(Font(), L"24 0 0 0 0 0 0 0 1 0 0 4 0 \u9ed1\u4f53");
    SetTextFont(30, 12, L"Arial", 0, 0, FW_BOLD, true, false, false, DEFAULT_CHARSET, 0, 0, 4, 0);
    SelectTextFont(20, 8, nullptr);
    EXPECT_EQ(Font(), L"20 8 0 0 700 1 0 0 1 0 0 4 0 Arial");
    SelectTextFont(18, 0, nullptr, 900, 450, FW_NORMAL, false, true, true);
    EXPECT_EQ(Font(), L"18 0 900 450 400 0 1 1 1 0 0 4 0 Arial");
    SelectTextFont(22, 0, nullptr, 0, 0, 0, false, false, false, ANSI_CHARSET, OUT_TT_PRECIS,
                   CLIP_STROKE_PRECIS, DEFAULT_QUALITY, FF_SWISS);
    EXPECT_EQ(Font(QueryTextFont), L"22 0 0 0 0 0 0 0 0 4 2 0 32 Arial");
}

TEST(Text, FaceNamesAreCutTo31Characters) {
    IMAGE image(80, 60);
    SetTargetImage(&image);
    SetTextFont(16, 0, (L"Face" + std::wstring(40, L'x')).c_str());
    EXPECT_EQ(Font().substr(Font().rfind(L' ') + 1), L"Face" + std::wstring(27, L'x'));
    LOGFONTW f = {};
    GetTextFont(&f);
    std::fill(std::begin(f.lfFaceName), std::end(f.lfFaceName), L'y');  // no terminator
    SetTextFont(&f);
    EXPECT_EQ(Font().substr(Font().rfind(L' ') + 1), std::wstring(31, L'y'));
}

TEST(Text, CopiesAndAssignedImagesDoNotTakeTheFont) {
    IMAGE image(80, 60);
    IMAGE assigned(4, 4);
    SetTargetImage(&image);
    SetTextFont(24, 0, L"Arial");
    IMAGE copy(image);
    SetTargetImage(&assigned);
    SetTextFont(40, 0, L"SimHei");
    assigned = image;
    EXPECT_EQ(Font(), L"40 0 0 0 0 0 0 0 1 0 0 3 0 SimHei");
    SetTargetImage(&copy);
    EXPECT_EQ(Font(), kDefaultFont);
}

TEST(Text, EveryFontFormFreesTheFontItReplaces) {
    IMAGE image(80, 60);
    SetTargetImage(&image);
    LOGFONTW f = {};
    GetTextFont(&f);
    const auto before = SettledCounts();
    for (int i = 0; i < 2500; ++i) {
        f.lfHeight = 8 + i % 40;
        SetTextFont(&f);
        SetTextFont(i % 30, 0, i % 3 ? nullptr : L"SimHei");
        SetTextFont(-i, i, nullptr, i, i, i, true, true, true);
        SelectTextFont(i, 0, nullptr, 0, 0, 0, 0, 0, 0, 1, 0, 0, 4, 0);
    }
    EXPECT_EQ(SettledCounts(), before);
}

}  // namespace
