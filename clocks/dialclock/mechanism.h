// The moving parts of the dial-plate clock: a ring of twelve rhombi whose inner
// radius is set by a slider-crank turning with the second hand, the needles,
// and the connecting rod.
#pragma once

#include "dial_plate.h"

#include <ctime>

const double kCrankRadius = 70.0;
const double kRodLength = 100.0;
const double kRhombusSide = 50.0;

// Hand angles in radians, 0 at twelve o'clock, growing clockwise.
struct HandAngles {
    double second;
    double minute;  // moves on with the seconds
    double hour;    // moves only on the hour
};

HandAngles HandAnglesAt(const tm& time);

// Sets the background colour to grey 224 and clears the target with it.
void ResetBackground();

int ToTwelveHour(int hour);

// Distance from the crank's centre of a slider on a straight line through that
// centre, at angle phi from the crank of radius a, joined to it by a rod of
// length b.
int SliderDistance(double phi, double a, double b);

// (x, y) turned by `angle` about (cx, cy); each coordinate is truncated from
// the whole sum.
POINT RotatePoint(int x, int y, int cx, int cy, double angle);

// Where `point` at `height` above the plane casts its shadow from a light at
// `light` (a light with z = 0 casts none: the point itself).
POINT ShadowPoint(POINT point, const Point3& light, double height);

// Fills the inside of the quadrilateral with a bilinear blend of dark red,
// orange and light yellow; nothing is drawn when the edge P0P1 or P1P2 is
// vertical.
void FillGradientQuad(POINT p0, POINT p1, POINT p2, POINT p3);

// The twelve rhombi around (cx, cy): [i][0] the inner vertex at distance `l`,
// [i][1] the vertex 15 degrees ahead, [i][2] the outer vertex, [i][3] the
// vertex 15 degrees behind (for i > 0 the same point as [i - 1][1]); rhombus 0
// points at `angle`.
void ComputeStarRing(int cx, int cy, int l, double side, double angle, POINT points[12][4]);

// The ring with its shadow, the rhombus at `angle` filled, outlines and rivets.
void DrawStarRing(int cx, int cy, int l, double side, double angle, const LightSource& light);

// A needle outline from 7 pixels behind (cx, cy) to `length` ahead, and its
// hub disc at (cx, cy).
void DrawNeedle(int cx, int cy, double angle, double length);

// The rod from the crank pin to the slider, and the pin's disc.
void DrawConnectingRod(int cx, int cy, double secondAngle, double crank, int l, double minuteAngle);

// Everything a frame draws over the dial, about `center`.
void DrawMovingParts(POINT center, const HandAngles& angles, const LightSource& light);
