// The bouncing-ball clock's picture: a framed panel with a dial, random white
// dots, three hands with soft edges, and a flower-shaped ball that leaves a
// trail until the next repaint. Everything draws on the 1000 x 750 window.
#pragma once

#include <kanvo.h>

constexpr int kBallWindowWidth = 1000;
constexpr int kBallWindowHeight = 750;

// One clock hand; the end point is set each time the hand is drawn.
struct Hand {
    double length;
    int x;
    int y;
    COLORREF color;
};

extern Hand g_secondHand;
extern Hand g_minuteHand;
extern Hand g_hourHand;

// The seconds value of the previous frame: the face lights the five-second
// marker at g_lastSecond + 1.
extern double g_lastSecond;

// Panel, dial, markers and hub.
void DrawClockFace();
// count + 1 white dots on the panel, from the unseeded rand sequence.
void ScatterStars(int count);
// The three hands at the given time, with soft edges.
void DrawHands(int hours, int minutes, int seconds);

// The ball at (x, y), then one step of its motion (Sleep 3 in between).
void DrawFlowerBall(int& x, int& y, int size, int& stepX, int& stepY);
// One step of the ball: move, then turn at a wall (the side walls first).
void StepBall(int& x, int& y, int size, int& stepX, int& stepY);

// Blends `color` into the window's pixels where a one-pixel ring of radius
// `width` about (x1, y1) (circle) or a band at distance `width` from the line
// through the two points passes; the blend weight is the square root of the
// coverage. Does nothing unless the window is open at the clock's size.
void SoftenShape(COLORREF color, int x1, int y1, int x2, int y2, int width, bool circle);
// The coverage of pixel (px, py) by that ring or band: 0.5 minus its distance
// from the ring or band; only values strictly between 0 and 1 are blended.
double ShapeCoverage(int x1, int y1, int x2, int y2, int px, int py, int width, bool circle);
double SquaredDistance(int x1, int y1, int x2, int y2);
