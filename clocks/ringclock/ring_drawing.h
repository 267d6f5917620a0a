// The ring clock's drawing: three trails of strokes around the window centre
// (seconds outside, minutes, an hour fan inside) that brighten toward the
// hand, a black disc and the time in digits, over a background picture.
#pragma once

#include <kanvo.h>

#include <ctime>

struct Ring {
    double radius;  // pixels
    double angle;   // radians, 0 at twelve o'clock, growing clockwise
};

// Moves each component a 1/divisor part of the way to its target, in integer
// arithmetic (so it stops short by less than the divisor); red first, then
// green, then blue. A divisor of 0 moves nothing.
void StepColorToward(int& red, int& green, int& blue, int targetRed, int targetGreen,
                     int targetBlue, int divisor);

// Draws one ring about the origin: kind 's' the seconds trail, 'm' the minutes
// trail, 'h' the hour fan; any kind draws the black centre disc of radius 60.
void DrawRing(double radius, double angle, int kind);

// Moves the origin to the centre of the 640 x 480 window and pastes the
// picture "./001.png" of the working directory with its top-left corner at
// (-680, -305); without a readable picture the window stays as it is.
void DrawBackground();

// The digits' font: the current one with height 24, face "黑体", anti-aliased.
void SelectDigitFont();

// One frame for the time `t`: the three rings at their angles, then the
// hours, minutes and seconds in white digits at their fixed places.
void DrawRingFrame(const tm& t, Ring& hour, Ring& min, Ring& sec);
