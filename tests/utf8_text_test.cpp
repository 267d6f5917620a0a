// UTF-8 strings: each narrow call must draw, measure and name exactly what
// its wide twin does; the wide call is the oracle.
#include <kanvo.h>

#include <gtest/gtest.h>

#include "gdi_twin.h"

#include <string>

namespace {

using KanvoTest::ComparePixels;

constexpr int kWidth = 160;
constexpr int kHeight = 40;

// Pixels drawn by `draw` on a fresh image, for comparing two ways to draw.
class Drawing {
public:
    template <typename Draw>
    explicit Drawing(Draw draw) : image_(kWidth, kHeight) {
        SetTargetImage(&image_);
        SetTextFont(20, 0, L"Arial");
        draw();
        SetTargetImage(nullptr);
    }
    const DWORD* Pixels() { return GetSurfacePixels(&image_); }

private:
    IMAGE image_;
};

std::string Difference(Drawing& actual, Drawing& expected) {
    return ComparePixels(actual.Pixels(), expected.Pixels(), kWidth, kHeight);
}

TEST(Utf8Text, StringLiteralDrawsWhatTheWideCallDraws) {
    Drawing narrow([] { WriteText(2, 2, "Hello, 世界"); });
    Drawing wide([] { WriteText(2, 2, L"Hello, \u4E16\u754C"); });
    EXPECT_EQ(Difference(narrow, wide), "");
}

TEST(Utf8Text, CharLiteralDrawsOneCharacter) {
    Drawing character([] { WriteText(2, 2, 'A'); });
    Drawing wide([] { WriteText(2, 2, L"A"); });
    EXPECT_EQ(Difference(character, wide), "");
}

TEST(Utf8Text, InvalidBytesDrawReplacementCharacters) {
    Drawing narrow([] { WriteText(2, 2, "a\xC3(b\xFF"); });
    Drawing wide([] { WriteText(2, 2, L"a\uFFFD(b\uFFFD"); });
    EXPECT_EQ(Difference(narrow, wide), "");
}

TEST(Utf8Text, SequenceCutByTheTerminatorStopsThere) {
    // A three-byte character with its last byte missing, then the end; the
    // bytes after the terminator must not be read.
    const char text[] = {'x', '\xE4', '\xB8', '\0', 'y', 'y', 'y'};
    Drawing narrow([&] { WriteText(2, 2, text); });
    Drawing wide([] { WriteText(2, 2, L"x\uFFFD"); });
    EXPECT_EQ(Difference(narrow, wide), "");
}

TEST(Utf8Text, MeasuresAsTheWideText) {
    IMAGE image(10, 10);
    SetTargetImage(&image);
    EXPECT_EQ(GetTextPixelWidth("Größe 世界"), GetTextPixelWidth(L"Gr\u00F6\u00DFe \u4E16\u754C"));
    EXPECT_EQ(GetTextPixelHeight("Größe"), GetTextPixelHeight(L"Gr\u00F6\u00DFe"));
    SetTargetImage(nullptr);
}

TEST(Utf8Text, RectangleTextDrawsWhatTheWideCallDraws) {
    RECT narrowRect = {0, 0, kWidth, kHeight};
    RECT wideRect = narrowRect;
    Drawing narrow([&] { WriteTextInRect("Zürich\nÅ", &narrowRect, DT_CENTER); });
    Drawing wide([&] { WriteTextInRect(L"Z\u00FCrich\n\u00C5", &wideRect, DT_CENTER); });
    EXPECT_EQ(Difference(narrow, wide), "");
}

TEST(Utf8Text, FaceNameReachesTheFont) {
    IMAGE image(10, 10);
    SetTargetImage(&image);
    SetTextFont(20, 0, "Courier New");
    LOGFONTW font = {};
    GetTextFont(&font);
    SetTargetImage(nullptr);
    EXPECT_EQ(std::wstring(font.lfFaceName), L"Courier New");
}

TEST(Utf8Text, PicturePathWithNonAsciiNameIsWrittenAndRead) {
    IMAGE image(4, 4);
    SetTargetImage(&image);
    SetPixelColor(1, 1, RGB(10, 200, 30));
    SetTargetImage(nullptr);
    ASSERT_TRUE(WriteImageFile("bild_größe.bmp", &image));
    IMAGE loaded;
    // The wide name proves the narrow call made the file the user named.
    EXPECT_TRUE(ReadImageFile(&loaded, L"bild_gr\u00F6\u00DFe.bmp"));
    EXPECT_TRUE(ReadImageFile(&loaded, "bild_größe.bmp"));
    SetTargetImage(&loaded);
    EXPECT_EQ(GetPixelColor(1, 1), RGB(10, 200, 30));
    SetTargetImage(nullptr);
    DeleteFileW(L"bild_gr\u00F6\u00DFe.bmp");
}

}  // namespace
