// The rose-curve clock's picture: a round face with smooth hands, a rose
// curve whose petals follow the seconds and minutes with a caption naming it,
// and coloured particles drifting across the window outside the face.
#pragma once

// The library's header includes <windows.h> without its min and max macros,
// which would break std::min and std::max in the files that include this one.
#include <kanvo.h>

constexpr COLORREF kRoseBackground = 0xF6F6F6;
constexpr COLORREF kRoseFace = 0xC3E8FE;
constexpr COLORREF kRoseWhite = 0xFFFFFF;

// --- Particles (rose_particles.cpp) ---------------------------------------
struct Particle {
    double x;      // pixels, grows to the right
    int y;         // row
    double speed;  // pixels per pass
    COLORREF colour;
};
constexpr int kParticleCount = 116;
extern Particle g_particles[kParticleCount];

// True where a particle may be drawn: outside the circle around the face.
bool IsOutsideFace(double x, int y);
// Puts particle `index` at the left edge on a random row with a random speed
// and a colour that follows the speed.
void SpawnParticle(int index);
// One pass: each particle erased, moved on (respawned past the right edge)
// and drawn, wherever it lies outside the face.
void MoveParticles();

// --- Dial and hands (rose_dial.cpp) ---------------------------------------
// A line three pixels wide whose outer pixels blend toward the face colour.
void DrawSmoothLine(double x0, double y0, double x1, double y1, COLORREF colour);
// A hand as two smooth lines: a = sin * length, b = cos * length,
// c = cos * half width, e = sin * half width; it reaches length / g behind
// the centre.
void DrawHand(double a, double b, double c, double e, double g, COLORREF colour);
// Hour, minute and second hands and the centre cap.
void DrawHands(int hour, int minute, int second);
// The face with its white outline and the sixty marks.
void DrawDial();

// --- Rose curve and caption (rose_curve.cpp) ------------------------------
struct RoseShape {
    int n, d;   // petal numbers reduced by their greatest common divisor
    int steps;  // steps per curve
};
RoseShape ReduceRose(int n, int d);
// The curve's colour at a time: white, fading toward orange over the last
// four seconds of every ten.
COLORREF RoseColour(int second, int milliseconds);
// The caption "roseCurve:ρ=sin(n/dθ)" with n and d in two places each.
// Returns false (and an empty text) when it cannot be built.
bool FormatCaption(int n, int d, wchar_t* text, int capacity);
// The caption in its font and colour at (210, 655).
void WriteCaption(int n, int d);
// The rose r = R sin(n/d phi) from step `from` to step `to`, then the
// caption. Petal numbers below 1 draw nothing.
void DrawRose(int n, int d, int from, int to, COLORREF colour);

// --- One pass after the particles (rose_frame.cpp) -------------------------
// Adds step `*step` of the curve and draws the hands; on each new second, and
// once more mid-second in the fading seconds, redraws the dial and the whole
// curve (restarting it, *step = 1, at every tenth second).
void DrawTimeStep(const SYSTEMTIME& now, int* step, int* lastSecond);
