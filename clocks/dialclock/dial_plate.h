// The static dial of the dial-plate clock, rendered once into an IMAGE: a
// blurred tiled background, a light disc with a white rim, hour and minute
// ticks, numerals and a ray-cast, shaded sphere as the centre boss.
#pragma once

#include <kanvo.h>

struct Point3 {
    Point3(double px, double py, double pz, COLORREF c) : x(px), y(py), z(pz), color(c) {}
    double x;
    double y;
    double z;
    COLORREF color;  // carried along, never read by the shading
};

struct Sphere {
    Point3 center;
    double radius;
    COLORREF color;  // not used by the shading
};

struct LightSource {
    Point3 position;
    int red;  // intensities 0 to 255
    int green;
    int blue;
    int spare;
};

// Blurs the rectangle in place with a 3 x 3 Gaussian whose samples lie two
// pixels apart; samples falling outside the rectangle wrap around into it.
// An empty rectangle is left alone.
void BlurRegion(int left, int top, int width, int height);

// Scales the vector to length 1; a zero vector stays as it is.
void NormalizeVector(Point3& vector);

// Ray-casts the sphere as seen from `camera` through the image plane z = 0 and
// writes the lit pixels (ambient and diffuse light and a highlight). Pixels from
// (0, 0) up to (left + width, top + height), exclusive, are tested.
void ShadeSphere(const Sphere& sphere, const LightSource& light, int left, int top, int width,
                 int height, const Point3& camera);

// Twelve hour ticks from radius r to r + d, four minute ticks between each two,
// and the numerals 1 to 12 centred near radius r + d + e.
void DrawHourMarks(int cx, int cy, int r, int d, int e);

// Renders the whole 800 x 800 dial into `image`; the window is the target
// afterwards.
void RenderDialPlate(IMAGE* image);
