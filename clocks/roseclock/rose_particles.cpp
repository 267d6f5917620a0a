#include "rose_drawing.h"

#include <kanvo.h>

#include <cstdlib>

Particle g_particles[kParticleCount];

namespace {

constexpr int kWindowWidth = 700;
constexpr int kWindowHeight = 750;
constexpr double kExclusionRadiusSquared = 79625;

}  // namespace

bool IsOutsideFace(double x, int y) {
    const double dx = x - 350, dy = y - 375;
    return dy * dy + dx * dx > kExclusionRadiusSquared;
}

void SpawnParticle(int index) {
    if (index < 0 || index >= kParticleCount) return;
    Particle& p = g_particles[index];
    p.x = 0;
    p.y = std::rand() % kWindowHeight;
    p.speed = (std::rand() % 5000) / 10000.0 * 3.0 + 0.4;
    const int b = static_cast<int>(p.speed * 100) % 100;
    p.colour = RGB(130 - (6 * b) / 10, 60 - (2 * b) / 10, 180 - (8 * b) / 10);
}

void MoveParticles() {
    for (int i = 0; i < kParticleCount; ++i) {
        Particle& p = g_particles[i];
        if (IsOutsideFace(p.x, p.y)) SetPixelColor(static_cast<int>(p.x), p.y, kRoseBackground);
        p.x += p.speed;
        if (p.x > kWindowWidth) SpawnParticle(i);
        if (IsOutsideFace(p.x, p.y)) SetPixelColor(static_cast<int>(p.x), p.y, p.colour);
    }
}
