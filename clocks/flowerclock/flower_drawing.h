// The flower clock's picture on a 640 x 480 target: a softened background of
// a dial and five flowers, dashed hands drawn and removed in exclusive-or
// mode, and a green sparkle placed at random outside the dial's band.
#pragma once

#include <kanvo.h>

#include <time.h>

struct HandLine {
    POINT tail;  // 5 pixels behind the centre
    POINT tip;
};

extern int g_sparkleX;
extern int g_sparkleY;

// Draws the dial and flowers on the current target (an IMAGE in the clock).
void DrawGardenDial();
// Softens the image in place with the weighted 3 x 3 filter 1 4 1 / 4 9 4 /
// 1 4 1; pixels later in the buffer read neighbours already softened.
void SmoothImage(IMAGE& image);
int ClampChannel(int value);

// The second, minute and hour hands at time t: each from a tail 5 pixels
// behind the centre (320, 240) to its tip 140, 100 or 60 pixels from it.
struct HandLines {
    HandLine second;
    HandLine minute;
    HandLine hour;
};
HandLines DashedHandLines(const tm& t);
void DrawDashedHands(const tm& t);

// Mode 1 picks a new point from rand seeded with the calendar time; any other
// mode keeps the point and uses a colour one unit of blue away.
void PlaceSparkle(int mode);
// The point pick of mode 1 from the current rand sequence.
void PickSparklePoint();
