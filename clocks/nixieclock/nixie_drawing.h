// The digit-tube clock: six glowing digits HH MM SS with faint ghosts of the
// other digits, blinking dot pairs and drifting light blobs, assembled each
// frame on a float canvas and copied into the window's pixels.
#pragma once

#include <kanvo.h>

#include <time.h>

#include <vector>

#include "tube_sprite.h"

constexpr int kCanvasWidth = 1180;
constexpr int kCanvasHeight = 330;
constexpr int kGlowCount = 60;

// Sprite indices: 0-9 the digits, then the all-lit and all-dim sprites
// (160 x 288) and the lit and dim dots (80 x 80).
constexpr int kAllLitSprite = 10;
constexpr int kAllDimSprite = 11;
constexpr int kLitDotSprite = 12;
constexpr int kDimDotSprite = 13;

struct Canvas {
    DWORD* window = nullptr;  // 1180 x 330 pixels 0x00RRGGBB, or null
    Sprite buffer{kCanvasWidth, kCanvasHeight};
};

struct TubeDisplay {
    TubeDisplay();
    Sprite sprites[14];
    int frame = 0;  // frames of the start-up test shown so far
    __time64_t now = 0;
    tm local = {};
    int lastSecond = -1;
    bool phase = true;
    bool ready = false;  // the start-up test is over
};

struct Glow {
    float x = 0, y = 0;
    float vx = 0, vy = 0;
    int ix = 0, iy = 0;
    int red = 255, green = 136, blue = 37;
    Sprite sprite;
    float maxX = 1180.0f, maxY = 330.0f;
};

// Pre-renders the digit, all-lit, all-dim and dot sprites.
void BuildSprites(TubeDisplay& display);
// The soft block of light that every blob shows: twelve passes of a 24 x 32
// block and a last one of an 8 x 16 core, blurred after every pass. SetupGlow
// renders it once and copies it.
Sprite RenderBlob();
// A light blob at a random place with a random drift.
void SetupGlow(Glow& glow);
// One step of a blob's drift; it stays inside the canvas.
void DriftGlow(Glow& glow);

// Adds the sprite's colour to the canvas at (x, y), clipped to the canvas,
// each channel limited to 255.
void AddSprite(Canvas& canvas, const Sprite& sprite, int x, int y);
// Reads the local time and places the digits and dots.
void ShowTime(TubeDisplay& display, Canvas& canvas);
void ShowTimeAt(TubeDisplay& display, Canvas& canvas, const tm& t);
// Red, green and blue of every canvas pixel into the window's pixels.
void CopyCanvas(const Canvas& canvas);
// One whole frame: cleared canvas, drifting blobs, the time, the copy.
void DrawFrame(TubeDisplay& display, Canvas& canvas, std::vector<Glow>& glows);
