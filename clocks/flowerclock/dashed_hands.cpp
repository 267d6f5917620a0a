// Three dashed hands with short tails, drawn in the current raster operation
// (exclusive-or in the clock, so a second drawing removes them).
#include "flower_drawing.h"

#include <cmath>

namespace {

const DWORD kDashes[2] = {4, 6};

void DrawHand(COLORREF color, int thickness, const HandLine& line) {
    SetStrokeColor(color);
    SetStrokeStyle(PS_USERSTYLE, thickness, kDashes, 2);
    DrawLine(line.tail.x, line.tail.y, line.tip.x, line.tip.y);
}

HandLine LineAt(double angle, int length) {
    HandLine line;
    line.tail = {static_cast<LONG>(std::sin(angle + 3.1415926) * 5 + 320),
                 static_cast<LONG>(240 - std::cos(angle + 3.1415926) * 5)};
    line.tip = {static_cast<LONG>(std::sin(angle) * length + 320),
                static_cast<LONG>(240 - std::cos(angle) * length)};
    return line;
}

}  // namespace

HandLines DashedHandLines(const tm& t) {
    const double second = t.tm_sec * 0.10471975333333333;
    const double minute = t.tm_min * 0.10471975333333333 + t.tm_sec * 0.10471975333333333 / 60;
    // The hours - 12 term turns midnight a full turn back, to the same place.
    const double hour = (t.tm_hour - 12.0) * 0.5235987666666667 +
                        t.tm_min * 0.5235987666666667 / 60 + t.tm_sec * 0.5235987666666667 / 3600;
    return {LineAt(second, 140), LineAt(minute, 100), LineAt(hour, 60)};
}

void DrawDashedHands(const tm& t) {
    const HandLines lines = DashedHandLines(t);
    DrawHand(0x00984567, 1, lines.second);
    DrawHand(0x00C39284, 3, lines.minute);
    DrawHand(0x0055FFFF, 5, lines.hour);
}
