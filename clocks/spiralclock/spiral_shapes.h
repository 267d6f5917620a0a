// Shapes drawn pixel by pixel on the current target, with edges blended into
// what lies beneath (read back with GetPixelColor). Colours are channels 0-255.
#pragma once

// The red, green and blue of the pixel at (x, y).
void SplitPixel(int x, int y, int* red, int* green, int* blue);

// A disc of radius r with a one-pixel soft edge.
void SmoothDisc(int cx, int cy, int r, int red, int green, int blue);
// A ring covering radii r - 1 to r + width - 1, both edges soft.
void SmoothRing(int cx, int cy, int r, int red, int green, int blue, int width);
// Every pixel within r + 0.5 of the centre in one colour, unblended.
void SolidDisc(int cx, int cy, int r, int red, int green, int blue);

// Moves the pixel at (x, y) toward grey 128 by `weight` (0 to 1).
void BlendGreyPixel(int x, int y, float weight);
// A line width + 1 pixels thick, grown to one side of the ideal line, blended
// toward grey and soft on both long sides.
void GreyLine(int x0, int y0, int x1, int y1, int width);
// The pixels of GreyLine painted in the face colour (0, 35, 45): its eraser.
void SolidLine(int x0, int y0, int x1, int y1, int width);
