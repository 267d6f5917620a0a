// The spiral clock's picture: a dark round face with a rim, a second track
// and five-minute marks; two grey bar hands and a grey second dot; and 30
// particles spiralling outward inside the centre ring.
#pragma once

#include <windows.h>

struct Particle {
    int x, y;      // offset from the centre
    double t;      // the particle's own time
    double r0;     // start radius
    double omega;  // turn per unit of t, radians
    int level;     // grey level 0-255
};

constexpr int kParticleCount = 30;
extern Particle g_particles[kParticleCount];

// Starts particle `index` again at its start radius (a new random one).
void ResetParticle(int index);
// Erases particle `index` around (cx, cy), moves it half a unit of its time
// along its spiral (restarting it past radius 40) and draws it.
void MoveParticle(int cx, int cy, int index);

// Face, rim, second track, centre ring and the sixty marks; drawn once.
void DrawFace();

// Where the hands and the second dot of a time lie.
struct SpiralHands {
    POINT hourFrom, hourTo;
    POINT minuteFrom, minuteTo;
    POINT secondDot;
};
SpiralHands ComputeHands(int hours, int minutes, int seconds);
void DrawHands(const SpiralHands& hands);
// Paints the face and track colours back over the hands and the dot.
void EraseHands(const SpiralHands& hands);

// One frame's end: draws the hands, waits 30 ms, shows the frame and erases
// the hands again in the hidden buffer, ready for the next frame.
void DrawHandsAndFlush(int hours, int minutes, int seconds);
