// Text output and fonts: drawing checked pixel by pixel against the same text
// drawn with the raw system calls on a twin bitmap, on an image and on the
// window; the font record read back after each kind of change; resources, bad
// input, and CJK glyphs.
#include <climits>
#include <cwchar>
#include <set>
#include <vector>

#include "image_checks.h"

static const wchar_t kSample[] = L"Kanvo \u65f6\u949f Ag";  // Latin and CJK; read-only
static const std::wstring kDefaultFont = L"16 0 0 0 0 0 0 0 1 0 0 3 0 System";

// The font record as text: the thirteen numeric fields, then the face.
static std::wstring Font(void (*read)(LOGFONTW*) = GetTextFont) {
    LOGFONTW f = {};
    wchar_t text[128];
    read(&f);
    return swprintf(text, 128, L"%ld %ld %ld %ld %ld %d %d %d %d %d %d %d %d %ls", f.lfHeight,
                    f.lfWidth, f.lfEscapement, f.lfOrientation, f.lfWeight, f.lfItalic,
                    f.lfUnderline, f.lfStrikeOut, f.lfCharSet, f.lfOutPrecision, f.lfClipPrecision,
                    f.lfQuality, f.lfPitchAndFamily, f.lfFaceName),
           text;
}

// Writes the same text with Kanvo on the current target and with the raw
// calls on the twin, on an image and on the window (one-character texts
// through the character forms): white on black cells, bad input, the pen
// position, text laid out in rectangles (heights and computed rectangles must
// agree), then coloured transparent glyphs under a moved origin and a
// mirroring axis scale. First the window's image takes a font before the
// window opens; a reset gives it the default back for the comparison.
TEST(Text, WritingMatchesTheRawCallsAndFontRecordsCopiesChangesAndGlyphs) {
    SetTargetImage(nullptr);
    SetTextFont(30, 0, L"Arial");
    WriteText(0, 0, kSample);
    EXPECT_EQ(Font().substr(0, 3), L"30 ");
    ResetDrawingState();
    for (bool onWindow : {false, true}) {
        IMAGE image(320, 240);
        KanvoTest::GdiTwin twin(320, 240);
        const HDC dc = twin.Dc();
        if (onWindow) {
            ASSERT_NE(OpenGraphWindow(320, 240), nullptr);
        }
        SetTargetImage(onWindow ? nullptr : &image);
        DWORD* pixels = GetSurfacePixels(GetTargetImage());
        std::fill(pixels, pixels + 320 * 240, 0x808080);
        twin.Fill(0x808080);  // shows opaque cells
        const auto inRects = [dc](int top, const wchar_t* t) {
            int left = -60;  // an ellipsis must never be written into the caller's constant text
            for (UINT f : {DT_CENTER, DT_WORDBREAK, DT_SINGLELINE | DT_VCENTER,
                           DT_CALCRECT | DT_WORDBREAK, DT_END_ELLIPSIS | DT_MODIFYSTRING}) {
                RECT ours = {left += 62, top, left + 58, top + 50}, theirs = ours;
                const int h = t[1] ? WriteTextInRect(t, &ours, f) : WriteTextInRect(*t, &ours, f);
                EXPECT_EQ(h, DrawTextW(dc, t, -1, &theirs, f & ~DT_MODIFYSTRING));
                EXPECT_TRUE(EqualRect(&ours, &theirs)) << f;
            }
        };
        WriteText(4, 4, kSample);
        TextOutW(dc, 4, 4, kSample, lstrlenW(kSample));
        WriteText(4, 24, L'Q');
        TextOutW(dc, 4, 24, L"Q", 1);
        // Bad input draws nothing, measures 0 and leaves the pen where it is.
        RECT rect = {0, 0, 50, 50};
        WriteText(0, 0, nullptr);
        WriteText(INT_MAX, INT_MIN, kSample);
        EXPECT_EQ(WriteTextInRect(nullptr, &rect, 0) + WriteTextInRect(L'x', nullptr, 0) +
                      WriteTextInRect(kSample, nullptr, DT_CALCRECT) + GetTextPixelWidth(nullptr) +
                      GetTextPixelHeight(nullptr),
                  0);
        MovePenTo(30, 24);
        WriteTextAtPen(nullptr);
        WriteTextAtPen(L"");
        WriteText(0, 0, L"");
        // One after the other:
        WriteTextAtPen(L"Ab");
        WriteTextAtPen(L'c');
        const int ab = GetTextPixelWidth(L"Ab");
        TextOutW(dc, 30, 24, L"Ab", 2);
        TextOutW(dc, 30 + ab, 24, L"c", 1);
        EXPECT_EQ(GetPenX() * 1000 + GetPenY(), (30 + ab + GetTextPixelWidth(L'c')) * 1000 + 24);
        inRects(44, kSample);
        inRects(100, L"W");
        SetBackgroundMode(TRANSPARENT);
        SetBkMode(dc, TRANSPARENT);
        SetFontColor(RGB(255, 160, 0));
        SetTextColor(dc, RGB(255, 160, 0));
        MoveOrigin(300, 190);
        SetAxisScale(-1.0f, 2.0f);
        const XFORM m = {-1, 0, 0, 2, 300, 190};
        SetWorldTransform(dc, &m);
        WriteText(5, 0, L"mirror");
        TextOutW(dc, 5, 0, L"mirror", 6);
        inRects(-30, kSample);
        EXPECT_EQ(KanvoTest::ComparePixels(pixels, twin.Pixels(), 320, 240), "") << onWindow;
    }
    // Each form keeps the fields it does not name; a face is cut to 31
    // characters; copies take size and pixels only, not the font; every form
    // frees the font it replaces. The faces the programs ask for have real glyphs.
    IMAGE image(80, 60), assigned(4, 4);
    SetTargetImage(&image);
    SetTextFont(nullptr);
    SelectTextFont(nullptr);
    GetTextFont(nullptr);
    QueryTextFont(nullptr);
    EXPECT_EQ(Font(), kDefaultFont);
    EXPECT_EQ(GetTextPixelWidth(L'W') * 2, GetTextPixelWidth(L"WW"));  // one character
    // The ring clock's font: the default with another height, quality and face.
    LOGFONTW f = {};
    GetTextFont(&f), f.lfHeight = 24, f.lfQuality = ANTIALIASED_QUALITY;
    lstrcpyW(f.lfFaceName, L"\u9ed1\u4f53");
    SetTextFont(&f);
    EXPECT_EQ(Font(), L"24 0 0 0 0 0 0 0 1 0 0 4 0 \u9ed1\u4f53");
    SetTextFont(30, 12, L"Arial", 0, 0, FW_BOLD, true, false, false, DEFAULT_CHARSET, 0, 0, 4, 0);
    SelectTextFont(20, 8, nullptr);
    EXPECT_EQ(Font(), L"20 8 0 0 700 1 0 0 1 0 0 4 0 Arial");
    SelectTextFont(18, 0, nullptr, 900, 900, FW_NORMAL, false, true, true);
    EXPECT_EQ(Font(), L"18 0 900 900 400 0 1 1 1 0 0 4 0 Arial");
    SelectTextFont(22, 0, nullptr, 0, 0, 0, false, false, false, ANSI_CHARSET, OUT_TT_PRECIS,
                   CLIP_STROKE_PRECIS, DEFAULT_QUALITY, FF_SWISS);
    EXPECT_EQ(Font(QueryTextFont), L"22 0 0 0 0 0 0 0 0 4 2 0 32 Arial");
    SetTextFont(16, 0, (L"Face" + std::wstring(40, L'x')).c_str());
    EXPECT_EQ(Font(), L"16 0 0 0 0 0 0 0 0 4 2 0 32 Face" + std::wstring(27, L'x'));
    std::fill(std::begin(f.lfFaceName), std::end(f.lfFaceName), L'y');  // no terminator
    SetTextFont(&f);
    EXPECT_EQ(Font(), L"24 0 0 0 0 0 0 0 1 0 0 4 0 " + std::wstring(31, L'y'));
    IMAGE copy(image);
    SetTargetImage(&assigned);
    SetTextFont(40, 0, L"SimHei");
    assigned = image;
    EXPECT_EQ(Font(), L"40 0 0 0 0 0 0 0 1 0 0 3 0 SimHei");
    SetTargetImage(&copy);
    EXPECT_EQ(Font(), kDefaultFont);
    SetTargetImage(&image);
    ResetDrawingState();
    EXPECT_EQ(Font(), kDefaultFont);
    const auto before = SettledCounts();  // every form frees the font it replaces
    for (int i = 0; i < 2500; ++i, f.lfHeight = 8 + i % 40) {
        SetTextFont(&f);
        SetTextFont(i % 30, 0, i % 3 ? nullptr : L"SimHei");
        SetTextFont(-i, i, nullptr, i, i, i, true, true, true);
        SelectTextFont(i, 0, nullptr, 0, 0, 0, 0, 0, 0, 1, 0, 0, 4, 0);
    }
    EXPECT_EQ(SettledCounts(), before);
    // Each character rendered alone leaves ink of its own: the boxes of a
    // missing glyph would all be equal, and equal to a blank box.
    const struct {
        const wchar_t* face;
        int height, width;
        const wchar_t* characters;
    } cases[] = {{L"\u9ed1\u4f53", 24, 0, L"\u65f6\u949f\u5206\u79d2"},
                 {L"Corbel", 55, 40, L"0123456789"},
                 {L"Arial", 14, 0, L"\u786e\u5b9a\u53d6\u6d88OK"},
                 {L"System", 16, 0, L"\u65f6\u949fAg"}};
    const DWORD* pixels = GetSurfacePixels(&image);
    for (const auto& c : cases) {
        SetTextFont(c.height, c.width, c.face);
        std::set<std::vector<DWORD>> glyphs = {std::vector<DWORD>(80 * 60, 0)};
        for (const wchar_t* character = c.characters; *character; ++character) {
            ClearTarget();
            WriteText(0, 0, *character);
            EXPECT_TRUE(glyphs.emplace(pixels, pixels + 80 * 60).second) << c.face << *character;
        }
    }
}
