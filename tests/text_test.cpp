// Text output and fonts: drawing, in UTF-16 and UTF-8, checked pixel by pixel
// against the same text drawn with the raw system calls on a twin bitmap; the
// font record read back after each kind of change; resources and bad input.
#include <cwchar>
#include <vector>

#include "image_checks.h"

namespace {

const wchar_t kSample[] = L"Kanvo \u65f6\u949f Ag";  // Latin and CJK; read-only

// The font record as text: the thirteen numeric fields, then the face.
std::wstring Font() {
    LOGFONTW f = {};
    GetTextFont(&f);
    wchar_t text[128];
    swprintf(text, 128, L"%ld %ld %ld %ld %ld %d %d %d %d %d %d %d %d %ls", f.lfHeight, f.lfWidth,
             f.lfEscapement, f.lfOrientation, f.lfWeight, f.lfItalic, f.lfUnderline, f.lfStrikeOut,
             f.lfCharSet, f.lfOutPrecision, f.lfClipPrecision, f.lfQuality, f.lfPitchAndFamily,
             f.lfFaceName);
    return text;
}

// Writes the sample into rectangles side by side, one format each, with Kanvo
// and on the twin: the heights and computed rectangles must agree. An
// ellipsis must never be written into the caller's constant text.
void ExpectRectanglesMatch(HDC dc) {
    const UINT formats[] = {DT_CENTER | DT_WORDBREAK, DT_CALCRECT | DT_WORDBREAK,
                            DT_END_ELLIPSIS | DT_MODIFYSTRING};
    int left = 2;
    for (UINT format : formats) {
        RECT ours = {left, 44, left + 58, 94};
        RECT theirs = ours;
        const int height = WriteTextInRect(kSample, &ours, format);
        EXPECT_EQ(height, DrawTextW(dc, kSample, -1, &theirs, format & ~DT_MODIFYSTRING)) << format;
        EXPECT_TRUE(EqualRect(&ours, &theirs)) << format;
        left += 62;
    }
}

// White on black cells, text at the pen (twice) and its measure, text in
// rectangles, then coloured transparent glyphs.
TEST(Text, WritingOnAnImageMatchesTheRawCalls) {
    IMAGE image(200, 100);
    SetTargetImage(&image);
    KanvoTest::GdiTwin twin(200, 100);
    const HDC dc = twin.Dc();
    std::fill_n(GetSurfacePixels(&image), 200 * 100, 0x808080);
    twin.Fill(0x808080);  // shows the opaque cells
    WriteText(4, 4, kSample);
    TextOutW(dc, 4, 4, kSample, lstrlenW(kSample));
    MovePenTo(30, 24);
    WriteTextAtPen(L"Ab");
    WriteTextAtPen(L'c');  // where the pen advanced to
    TextOutW(dc, 30, 24, L"Ab", 2);
    SIZE written = {};
    GetTextExtentPoint32W(dc, L"Ab", 2, &written);
    TextOutW(dc, 30 + written.cx, 24, L"c", 1);
    EXPECT_EQ(GetTextPixelWidth(L"Ab"), written.cx);
    EXPECT_EQ(GetTextPixelHeight(L"Ab"), written.cy);
    ExpectRectanglesMatch(dc);
    SetBackgroundMode(TRANSPARENT);
    SetBkMode(dc, TRANSPARENT);
    SetFontColor(RGB(255, 160, 0));
    SetTextColor(dc, RGB(255, 160, 0));
    WriteText(120, 4, L"Ag");
    TextOutW(dc, 120, 4, L"Ag", 2);
    EXPECT_EQ(KanvoTest::ComparePixels(image, twin), "");
}

// Bytes that are no UTF-8 become U+FFFD, and a sequence cut short by the
// terminator ends there: the bytes after it are never read.
TEST(Text, Utf8TextDrawsWhatItsWideFormDraws) {
    IMAGE image(200, 40);
    SetTargetImage(&image);
    KanvoTest::GdiTwin twin(200, 40);
    WriteText(2, 2, "\xE4\xB8\x96 a\xC3(b\xE4\xB8\0yy");
    const wchar_t wide[] = L"\u4E16 a\uFFFD(b\uFFFD";
    TextOutW(twin.Dc(), 2, 2, wide, lstrlenW(wide));
    EXPECT_EQ(KanvoTest::ComparePixels(image, twin), "");
}

TEST(Text, BadInputDrawsNothingMeasuresZeroAndLeavesThePen) {
    IMAGE image(100, 40);
    SetTargetImage(&image);
    RECT rect = {0, 0, 50, 40};
    MovePenTo(30, 24);
    WriteText(0, 0, nullptr);
    WriteTextAtPen(nullptr);
    EXPECT_EQ(WriteTextInRect(nullptr, &rect, 0), 0);
    EXPECT_EQ(WriteTextInRect(kSample, nullptr, DT_CALCRECT), 0);
    EXPECT_EQ(GetTextPixelWidth(nullptr), 0);
    EXPECT_EQ(GetPenX(), 30);
    EXPECT_EQ(KanvoTest::CountPixels(GetSurfacePixels(&image), 100, {0, 0, 100, 40}, 0), 100 * 40);
}

// A short form keeps the fields it does not name; a null record changes
// nothing. The full form is given its face in UTF-8.
TEST(Text, EachFontFormKeepsTheFieldsItDoesNotName) {
    IMAGE image(80, 60);
    SetTargetImage(&image);
    SetTextFont(nullptr);
    EXPECT_EQ(Font(), L"16 0 0 0 0 0 0 0 1 0 0 3 0 System");
    SetTextFont(30, 12, "Arial", 0, 0, FW_BOLD, true, false, false, DEFAULT_CHARSET, 0, 0, 4, 0);
    SetTextFont(18, 0, nullptr, 900, 450, FW_NORMAL, false, true, true);
    EXPECT_EQ(Font(), L"18 0 900 450 400 0 1 1 1 0 0 4 0 Arial");
    SetTextFont(22, 8, nullptr);
    EXPECT_EQ(Font(), L"22 8 900 450 400 0 1 1 1 0 0 4 0 Arial");
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

// Every form ends in the same replacement of the target's font.
TEST(Text, ReplacingTheFontFreesTheOldOne) {
    IMAGE image(80, 60);
    SetTargetImage(&image);
    const auto before = SettledCounts();
    for (int i = 0; i < 1000; ++i) SetTextFont(8 + i % 30, 0, i % 3 ? nullptr : L"SimHei");
    EXPECT_EQ(SettledCounts(), before);
}

}  // namespace
