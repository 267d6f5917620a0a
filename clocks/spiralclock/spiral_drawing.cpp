#include "spiral_drawing.h"

#include <kanvo.h>

#include <cmath>
#include <cstdlib>

#include "spiral_shapes.h"

Particle g_particles[kParticleCount];

namespace {

constexpr double kPi = 3.1415926;
constexpr double kFullTurn = 6.2831852;
constexpr int kCentreX = 320;
constexpr int kCentreY = 240;
constexpr int kParticleLimitSquared = 1600;  // restart past radius 40

struct Rgb {
    int red, green, blue;
};
constexpr Rgb kFace = {0, 35, 45};
constexpr Rgb kTrack = {0, 17, 22};
constexpr Rgb kRim = {112, 159, 176};
constexpr Rgb kCentreRing = {200, 200, 200};
constexpr Rgb kFiveMinuteRing = {176, 197, 163};
constexpr Rgb kSecondDot = {128, 128, 128};

void SmoothDisc(int cx, int cy, int r, Rgb c) {
    ::SmoothDisc(cx, cy, r, c.red, c.green, c.blue);
}
void SolidDisc(int cx, int cy, int r, Rgb c) {
    ::SolidDisc(cx, cy, r, c.red, c.green, c.blue);
}
void SmoothRing(int cx, int cy, int r, Rgb c, int width) {
    ::SmoothRing(cx, cy, r, c.red, c.green, c.blue, width);
}

bool IsParticle(int index) {
    return index >= 0 && index < kParticleCount;
}

// The point at radius rho along the particle's spiral.
void PlaceOnSpiral(Particle& p, double rho) {
    p.x = static_cast<int>(rho * std::cos(p.omega * p.t));
    p.y = static_cast<int>(rho * std::sin(p.omega * p.t));
}

void DrawMark(int i) {
    const double theta = i * kFullTurn / 60;
    const double c = std::sin(theta) * 190, d = std::cos(theta) * 190;
    const int x = static_cast<int>(c), y = static_cast<int>(d);
    if (i % 15 == 0) {
        PaintBlock(x + 315, y + 235, x + 325, y + 245);
    } else if (i % 5 != 0) {
        SetPixelColor(x + kCentreX, y + kCentreY, RGB(255, 255, 255));
    } else {
        SmoothRing(x + kCentreX, y + kCentreY, 3, kFiveMinuteRing, 2);
    }
    SmoothDisc(static_cast<int>(std::sin(theta) * 160) + kCentreX,
               static_cast<int>(std::cos(theta) * 160) + kCentreY, 6, kTrack);
}

// A hand of `length` at `angle`, from `inner`/`outer` of its length to the tip
// (integer arithmetic, as the tail is cut off at that fraction).
void HandEnds(double angle, int length, int inner, int outer, POINT* from, POINT* to) {
    const int dx = static_cast<int>(std::sin(angle) * length);
    const int dy = static_cast<int>(std::cos(angle) * length);
    *from = {dx * inner / outer + kCentreX, kCentreY - dy * inner / outer};
    *to = {dx + kCentreX, kCentreY - dy};
}

}  // namespace

void ResetParticle(int index) {
    if (!IsParticle(index)) return;
    Particle& p = g_particles[index];
    p.t = 0;
    p.r0 = std::rand() % 40 + 1.0;
    p.omega = (std::rand() % 60 / 10.0 + 1) / 180 * kPi;
    const double rho = 0.5 * p.omega * p.t + p.r0;
    PlaceOnSpiral(p, rho);
    p.level = static_cast<int>(rho / 40 * 255);
}

void MoveParticle(int cx, int cy, int index) {
    if (!IsParticle(index)) return;
    Particle& p = g_particles[index];
    SolidDisc(cx + p.x, cy + p.y, 2, kFace);
    p.t += 0.5;
    const double rho = 0.5 * p.omega * p.t + p.r0;
    PlaceOnSpiral(p, rho);
    p.level = static_cast<int>(rho / 40 * 155);
    if (p.x * p.x + p.y * p.y > kParticleLimitSquared) ResetParticle(index);
    SmoothDisc(cx + p.x, cy + p.y, 2, {p.level, p.level, p.level});
}

void DrawFace() {
    SmoothDisc(kCentreX, kCentreY, 200, kFace);
    SmoothRing(kCentreX, kCentreY, 200, kRim, 10);
    SmoothRing(kCentreX, kCentreY, 160, kTrack, 2);
    SmoothRing(kCentreX, kCentreY, 44, kCentreRing, 1);
    for (int i = 0; i < 60; ++i) DrawMark(i);
}

SpiralHands ComputeHands(int hours, int minutes, int seconds) {
    const double secondAngle = seconds * 2.0 * kPi / 60;
    const double minuteAngle = minutes * 2.0 * kPi / 60 + secondAngle / 60;
    const double hourAngle = hours * 2.0 * kPi / 12 + minuteAngle / 12;
    SpiralHands hands;
    HandEnds(hourAngle, 100, 6, 11, &hands.hourFrom, &hands.hourTo);
    HandEnds(minuteAngle, 140, 6, 15, &hands.minuteFrom, &hands.minuteTo);
    hands.secondDot = {static_cast<int>(std::sin(secondAngle) * 160) + kCentreX,
                       kCentreY - static_cast<int>(std::cos(secondAngle) * 160)};
    return hands;
}

void DrawHands(const SpiralHands& h) {
    GreyLine(h.hourFrom.x, h.hourFrom.y, h.hourTo.x, h.hourTo.y, 8);
    GreyLine(h.minuteFrom.x, h.minuteFrom.y, h.minuteTo.x, h.minuteTo.y, 6);
    SmoothDisc(h.secondDot.x, h.secondDot.y, 6, kSecondDot);
}

void EraseHands(const SpiralHands& h) {
    SolidDisc(h.secondDot.x, h.secondDot.y, 6, kTrack);
    SolidLine(h.hourFrom.x, h.hourFrom.y, h.hourTo.x, h.hourTo.y, 10);
    SolidLine(h.minuteFrom.x, h.minuteFrom.y, h.minuteTo.x, h.minuteTo.y, 6);
}

void DrawHandsAndFlush(int hours, int minutes, int seconds) {
    const SpiralHands hands = ComputeHands(hours, minutes, seconds);
    DrawHands(hands);
    Sleep(30);
    EndBatch();
    BeginBatch();
    EraseHands(hands);
}
