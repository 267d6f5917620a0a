// Anti-aliased circles and lines drawn on the current target: GDI draws the
// stroke, then the pixels around it are read back and mixed with the stroke
// colour by their coverage.
#pragma once

#include <kanvo.h>

// Each channel of the result is trunc(a * weight + b * (1 - weight)), kept to
// 8 bits: weight 1 gives a, weight 0 gives b.
COLORREF MixColor(COLORREF a, COLORREF b, double weight);

// A circle outline of width `width`, with a soft fringe 1 pixel either side of
// the stroke's edges. Only pixels of the square cx - r <= x < cx + r,
// cy - r <= y < cy + r get a fringe.
void DrawSmoothCircle(int cx, int cy, int radius, COLORREF color, int width);

// A straight line with a soft fringe; the fringe ends square at the segment's
// ends.
void DrawSmoothLine(int x1, int y1, int x2, int y2, COLORREF color, int width);

// A line in ten steps from `startColor` to `endColor`, with a fringe in the
// end colour inside the line's bounding box (so none on an axis-parallel line).
void DrawGradientLine(int x1, int y1, int x2, int y2, COLORREF startColor, COLORREF endColor,
                      int width);
