// The panel, dial, markers, dots and hands of the bouncing-ball clock.
#include "ball_drawing.h"

#include <cmath>
#include <cstdlib>

Hand g_secondHand = {300.0, 0, 0, 0x005555FF};
Hand g_minuteHand = {220.0, 0, 0, 0x0000AA00};
Hand g_hourHand = {120.0, 0, 0, 0x000055AA};
double g_lastSecond = 0.0;

namespace {

constexpr int kCentreX = 500;
constexpr int kCentreY = 375;
constexpr COLORREF kWhite = 0x00FFFFFF;
constexpr COLORREF kPanel = 0x00C7FAF5;
constexpr COLORREF kPetal = 0x00F0DFF3;
constexpr COLORREF kMarker = 0x00337889;
constexpr COLORREF kRim = 0x000055AA;

// The point at `angle` (clockwise from twelve) and `length` from the centre,
// each offset truncated toward zero.
void PointAt(double angle, double length, int& x, int& y) {
    x = static_cast<int>(std::sin(angle) * length) + kCentreX;
    y = kCentreY - static_cast<int>(std::cos(angle) * length);
}

void DrawHand(Hand& hand, int thickness, double angle) {
    SetStrokeStyle(PS_SOLID, thickness);
    SetStrokeColor(hand.color);
    PointAt(angle, hand.length, hand.x, hand.y);
    DrawLine(kCentreX, kCentreY, hand.x, hand.y);
}

// The background, panel, dial, petals and the four white circles: the part of
// the face that never changes.
void PaintFaceBase() {
    // Every caller leaves white as the fill colour; setting it makes the
    // first step independent of that.
    SetStrokeColor(kWhite);
    SetInteriorColor(kWhite);
    PaintRectangle(0, 0, kBallWindowWidth, kBallWindowHeight);

    SetInteriorColor(kPanel);
    DrawFilledRectangle(150, 25, 850, 725);
    DrawFilledCircle(kCentreX, kCentreY, 340);
    DrawFilledCircle(kCentreX, kCentreY, 341);
    DrawFilledCircle(kCentreX, kCentreY, 339);

    SetInteriorColor(kPetal);
    SetStrokeStyle(PS_SOLID, 2);
    DrawFilledCircle(535, 314, 71);
    DrawFilledCircle(536, 436, 71);
    DrawFilledCircle(429, 375, 71);

    SetStrokeStyle(PS_SOLID, 1);
    SetInteriorColor(kWhite);
    DrawFilledCircle(800, 375, 20);
    DrawFilledCircle(200, 375, 20);
    DrawFilledCircle(500, 675, 20);
    DrawFilledCircle(500, 75, 20);
}

// What the base's pixels depend on besides its own calls: the target and the
// drawing state it starts from (the panel and dial take the caller's stroke
// style). The clock moves neither origin nor clip.
struct BaseState {
    bool plain = false;  // the window at the clock's size, solid fill, copy mode, scale 1
    int strokeStyle = 0;
    int strokeThickness = 0;
};

BaseState CurrentBaseState() {
    LINESTYLE stroke;
    GetStrokeStyle(&stroke);
    FILLSTYLE interior;
    GetInteriorStyle(&interior);
    float xScale = 0;
    float yScale = 0;
    GetAxisScale(&xScale, &yScale);
    BaseState state;
    state.plain = GetWindowHandle() && !GetTargetImage() && GetTargetWidth() == kBallWindowWidth &&
                  GetTargetHeight() == kBallWindowHeight && stroke.userPattern == nullptr &&
                  interior.style == BS_SOLID && GetRasterOp() == R2_COPYPEN && xScale == 1.0f &&
                  yScale == 1.0f;
    state.strokeStyle = stroke.style;
    state.strokeThickness = stroke.thickness;
    return state;
}

bool SameState(const BaseState& a, const BaseState& b) {
    return a.plain && b.plain && a.strokeStyle == b.strokeStyle &&
           a.strokeThickness == b.strokeThickness;
}

// GDI takes about 10 ms for each of the dial's three large circles, and the
// face is drawn again every second: the finished base is kept as a picture
// of the window and pasted back while the state it was drawn from holds.
void DrawFaceBase() {
    static IMAGE basePicture;
    static BaseState baseState;
    const BaseState state = CurrentBaseState();
    if (SameState(state, baseState)) {
        PasteImage(0, 0, &basePicture, SRCCOPY);
        return;
    }
    PaintFaceBase();
    baseState = BaseState();
    if (!state.plain) return;
    CaptureImage(&basePicture, 0, 0, kBallWindowWidth, kBallWindowHeight);
    baseState = state;
}

}  // namespace

void DrawClockFace() {
    DrawFaceBase();
    SetStrokeColor(kWhite);
    SetStrokeStyle(PS_SOLID, 1);

    SetInteriorColor(kMarker);
    for (int off = 5; off <= 55; off += 5) {
        if (off == 15 || off == 30 || off == 45) continue;
        int x, y;
        PointAt((2 * off) * 3.1415926 / 60, 300, x, y);
        if (off == g_lastSecond + 1) {
            // The marker of the second being shown is lit for that second.
            SetInteriorColor(kWhite);
            DrawFilledCircle(x, y, 15);
            SoftenShape(kWhite, x, y, 0, 0, 15, true);
            SetInteriorColor(kMarker);
        } else {
            DrawFilledCircle(x, y, 15);
            SoftenShape(kRim, x, y, 0, 0, 15, true);
        }
    }

    SetInteriorColor(kWhite);
    SetStrokeColor(0);
    DrawFilledCircle(kCentreX, kCentreY, 20);
    SoftenShape(kRim, kCentreX, kCentreY, 0, 0, 19, true);
    SoftenShape(0, kCentreX, kCentreY, 0, 0, 20, true);
    SoftenShape(kRim, kCentreX, kCentreY, 0, 0, 21, true);
    SetStrokeColor(kWhite);
}

void ScatterStars(int count) {
    for (int i = 0; i <= count; ++i) {
        const int y = std::rand() % 700 + 25;
        const int x = std::rand() % 700 + 150;
        DrawFilledCircle(x, y, 2);
    }
}

void DrawHands(int hours, int minutes, int seconds) {
    DrawHand(g_secondHand, 2, (2 * seconds) * 3.1415926 / 60);
    DrawHand(g_minuteHand, 4, (minutes + seconds / 60.0) * 2 * 3.1415926 / 60);
    DrawHand(g_hourHand, 6, (hours % 12 + minutes / 60.0) * 2 * 3.1415926 / 12);
    SetStrokeStyle(PS_SOLID, 1);
    SetDrawColor(kWhite);

    SoftenShape(g_secondHand.color, g_secondHand.x, g_secondHand.y, kCentreX, kCentreY, 1, false);
    SoftenShape(g_minuteHand.color, kCentreX, kCentreY, g_minuteHand.x, g_minuteHand.y, 2, false);
    SoftenShape(g_hourHand.color, kCentreX, kCentreY, g_hourHand.x, g_hourHand.y, 3, false);
}
