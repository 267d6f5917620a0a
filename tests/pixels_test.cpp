// Single pixels against raw GDI: random sequences of reads and writes, mixed
// with changes of origin, scale, clip region, raster operation and target
// (an image and the window), run through Kanvo and through the same raw GDI
// calls on a twin of each target. After every step every pixel must be the
// twin's, and every colour read must be the one GDI reads on the twin.
#include "gdi_twin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <iterator>
#include <random>
#include <string>

using KanvoTest::ComparePixels;
using KanvoTest::GdiTwin;

namespace {

constexpr int kWidth = 61;  // odd, so that rows do not end on a pair of pixels
constexpr int kHeight = 43;
constexpr int kSteps = 4000;

// One Kanvo target (a null image is the window) and the twin that mirrors it.
struct Target {
    IMAGE* image = nullptr;
    GdiTwin twin{kWidth, kHeight};
    XFORM transform = {1, 0, 0, 1, 0, 0};  // what the twin's context holds
};

// The colour GDI reads on the twin: none outside the raster or clip region.
COLORREF TwinColor(HDC dc, int x, int y) {
    return PtVisible(dc, x, y) ? GetPixel(dc, x, y) : CLR_INVALID;
}

// "name(a, b)", the call a step made.
std::string Call(const char* name, long long a, long long b) {
    return std::string(name) + "(" + std::to_string(a) + ", " + std::to_string(b) + ")";
}

class Sequence {
public:
    Sequence(IMAGE* image, unsigned seed) : random_(seed) { targets_[0].image = image; }

    // Runs the steps; stops at the first step after which the pixels differ.
    void Run() {
        // The same random start on both sides, top bytes too, as a picture
        // read from a file has.
        for (Target& target : targets_) {
            DWORD* pixels = GetSurfacePixels(target.image);
            for (int i = 0; i < kWidth * kHeight; ++i) {
                pixels[i] = static_cast<DWORD>(random_());
                target.twin.Pixels()[i] = pixels[i];
            }
        }
        using Step = std::string (Sequence::*)();
        static const Step kSteps_[] = {
            &Sequence::Write,  &Sequence::Write, &Sequence::Write,   &Sequence::Write,
            &Sequence::Read,   &Sequence::Read,  &Sequence::Read,    &Sequence::Read,
            &Sequence::Move,   &Sequence::Scale, &Sequence::ClipBox, &Sequence::ClipShape,
            &Sequence::Unclip, &Sequence::Reset, &Sequence::Mode,    &Sequence::SwitchTarget};
        for (int step = 0; step < kSteps; ++step) {
            step_ = "step " + std::to_string(step) + (Current().image ? ", image: " : ", window: ");
            history_ += (this->*kSteps_[Pick(std::size(kSteps_))])() + "\n";
            const std::string difference = ComparePixels(GetSurfacePixels(Current().image),
                                                         Current().twin.Pixels(), kWidth, kHeight);
            ASSERT_EQ(difference, "") << history_;
        }
    }

private:
    Target& Current() { return targets_[current_]; }
    HDC Twin() { return Current().twin.Dc(); }
    int Pick(size_t count) { return static_cast<int>(random_() % count); }

    // Inside, on the edge, just outside or far outside the raster.
    int Coordinate(int size) {
        const int edges[] = {INT_MIN, -(1 << 30), -100000, -1, 0, size - 1, size, 100000, INT_MAX};
        return Pick(2) ? Pick(size + 4) - 2 : edges[Pick(std::size(edges))];
    }

    std::string Write() {
        // Plain colours mostly; now and then a palette index, a palette colour
        // or a colour-table index, which GDI resolves its own way.
        static const COLORREF kSpecial[] = {0x01000003, 0x02123456, 0x10FF0001, CLR_INVALID};
        const COLORREF color = Pick(8) ? (random_() & 0xFFFFFF) : kSpecial[Pick(4)];
        const int x = Coordinate(kWidth);
        const int y = Coordinate(kHeight);
        SetPixelColor(x, y, color);
        SetPixelV(Twin(), x, y, color);
        return step_ + Call("SetPixelColor", x, y) + " colour " + std::to_string(color);
    }

    std::string Read() {
        const int x = Coordinate(kWidth);
        const int y = Coordinate(kHeight);
        const std::string done = step_ + Call("GetPixelColor", x, y);
        EXPECT_EQ(GetPixelColor(x, y), TwinColor(Twin(), x, y)) << history_ << done;
        return done;
    }

    // Kanvo changes both members in one transform, which GDI takes or refuses.
    void Transform(float XFORM::*first, float XFORM::*second, float x, float y) {
        XFORM changed = Current().transform;
        changed.*first = x;
        changed.*second = y;
        if (SetWorldTransform(Twin(), &changed)) Current().transform = changed;
    }

    std::string Move() {
        static const int kFar[] = {INT_MIN, -(1 << 30), 16777217, INT_MAX};
        const int x = Pick(6) ? Pick(kWidth) - kWidth / 2 : kFar[Pick(std::size(kFar))];
        const int y = Pick(kHeight) - kHeight / 2;
        MoveOrigin(x, y);
        Transform(&XFORM::eDx, &XFORM::eDy, static_cast<float>(x), static_cast<float>(y));
        return step_ + Call("MoveOrigin", x, y);
    }

    std::string Scale() {
        static const float kFactors[] = {1.0f, 1.0f, 1.0f, 2.0f, 0.5f, -1.0f, 0.0f};
        const float x = kFactors[Pick(std::size(kFactors))];
        const float y = kFactors[Pick(std::size(kFactors))];
        SetAxisScale(x, y);
        Transform(&XFORM::eM11, &XFORM::eM22, x, y);
        return step_ + "SetAxisScale(" + std::to_string(x) + ", " + std::to_string(y) + ")";
    }

    // Kanvo and the twin each select the region; the caller keeps it.
    std::string Clip(HRGN region, const std::string& what) {
        SetClipRegion(region);
        SelectClipRgn(Twin(), region);
        if (region) DeleteObject(region);
        return step_ + "SetClipRegion(" + what + ")";
    }

    std::string ClipBox() {
        const int left = Pick(kWidth + 10) - 5;
        const int top = Pick(kHeight + 10) - 5;
        const int right = left + Pick(kWidth);  // may be empty
        const int bottom = top + Pick(kHeight);
        return Clip(CreateRectRgn(left, top, right, bottom),
                    Call("rectangle", left, top) + " to " + Call("", right, bottom));
    }

    std::string ClipShape() {
        const int x = Pick(kWidth);
        return Clip(CreateEllipticRgn(x - 20, 5, x + 20, kHeight - 5),
                    "ellipse around x " + std::to_string(x));
    }

    std::string Unclip() { return Clip(nullptr, "none"); }

    // Back to the default state: no transform, no clip region.
    std::string Reset() {
        ResetDrawingState();
        const XFORM identity = {1, 0, 0, 1, 0, 0};
        SetWorldTransform(Twin(), &identity);
        Current().transform = identity;
        SelectClipRgn(Twin(), nullptr);
        return step_ + "ResetDrawingState";
    }

    std::string Mode() {
        const int mode = Pick(3) ? R2_COPYPEN : Pick(18);  // 0 and 17 are refused
        SetRasterOp(mode);
        SetROP2(Twin(), mode);
        return step_ + "SetRasterOp(" + std::to_string(mode) + ")";
    }

    std::string SwitchTarget() {
        current_ = 1 - current_;
        SetTargetImage(Current().image);
        return step_ + "SetTargetImage";
    }

    std::mt19937 random_;
    Target targets_[2];
    int current_ = 0;
    std::string step_;
    std::string history_;  // the steps so far, one a line
};

// Both targets start as their twins do: default state, copy mode, black.
void StartAfresh(IMAGE* image) {
    SetTargetImage(image);
    ResetDrawingState();
    SetRasterOp(R2_COPYPEN);
    ClearTarget();
}

TEST(PixelsMatchGdi, RandomSequencesOnAnImageAndTheWindow) {
    ASSERT_NE(OpenGraphWindow(kWidth, kHeight), nullptr);
    for (unsigned seed = 1; seed <= 3; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        IMAGE image(kWidth, kHeight);
        StartAfresh(nullptr);
        StartAfresh(&image);
        Sequence(&image, seed).Run();
    }
    CloseGraphWindow();
}

// Writes a pixel at every fifth point of a raster of the given size, on the
// image and on a twin of that size.
void WriteGrid(GdiTwin& twin) {
    for (int y = -2; y < twin.Height() + 2; y += 5) {
        for (int x = -2; x < twin.Width() + 2; x += 5) {
            SetPixelColor(x, y, RGB(x, y, 200));
            SetPixelV(twin.Dc(), x, y, RGB(x, y, 200));
        }
    }
}

TEST(PixelsMatchGdi, AfterAResizeWritesLandWhereGdiPutsThem) {
    IMAGE image(30, 20);
    SetTargetImage(&image);
    MoveOrigin(0, 0);  // state set for the old size
    SetImageSize(&image, 71, 45);
    GdiTwin larger(71, 45);
    WriteGrid(larger);
    EXPECT_EQ(ComparePixels(image, larger), "");
    SetImageSize(&image, 23, 17);
    GdiTwin smaller(23, 17);
    smaller.Fill(0);
    std::copy_n(GetSurfacePixels(&image), 23 * 17, smaller.Pixels());
    WriteGrid(smaller);
    EXPECT_EQ(ComparePixels(image, smaller), "");
}

TEST(PixelsMatchGdi, StateChangedThroughTheSurfaceContextIsHonoured) {
    IMAGE image(8, 8);
    SetTargetImage(&image);
    HDC dc = GetSurfaceContext(&image);
    SetROP2(dc, R2_XORPEN);
    SetPixelColor(2, 3, RGB(1, 2, 3));
    SetPixelColor(2, 3, RGB(1, 2, 3));
    EXPECT_EQ(GetSurfacePixels(&image)[3 * 8 + 2], 0u);
    HRGN region = CreateRectRgn(0, 0, 4, 4);
    SelectClipRgn(dc, region);
    DeleteObject(region);
    EXPECT_EQ(GetPixelColor(5, 5), CLR_INVALID);
}

// Over an earlier picture, whatever the raster operation: clearing is not
// drawing.
TEST(PixelsMatchGdi, ClearTargetFillsEveryPixelAsPatBltDoes) {
    IMAGE image(kWidth, kHeight);
    SetTargetImage(&image);
    SetBackgroundColor(RGB(200, 0, 0));
    ClearTarget();
    SetRasterOp(R2_XORPEN);
    SetBackgroundColor(RGB(10, 20, 30));
    ClearTarget();
    GdiTwin twin(kWidth, kHeight);
    HBRUSH brush = CreateSolidBrush(RGB(10, 20, 30));
    HGDIOBJ previous = SelectObject(twin.Dc(), brush);
    PatBlt(twin.Dc(), 0, 0, kWidth, kHeight, PATCOPY);
    SelectObject(twin.Dc(), previous);
    DeleteObject(brush);
    EXPECT_EQ(ComparePixels(image, twin), "");
}

}  // namespace
