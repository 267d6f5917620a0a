#include "rose_drawing.h"

#include <kanvo.h>

#include <cmath>
#include <cstring>

namespace {

constexpr double kPi = 3.1415926535;
constexpr double kRadius = 233;  // round(233.33333333333331)
constexpr UINT kChineseCodePage = 936;

int GreatestCommonDivisor(int a, int b) {
    while (b != 0) {
        const int rest = a % b;
        a = b;
        b = rest;
    }
    return a;
}

void RosePoint(const RoseShape& shape, double theta, double* x, double* y) {
    const double r = kRadius * std::sin(shape.n * kPi * theta);
    *x = 350 + r * std::cos(shape.d * kPi * theta);
    *y = 375 + r * std::sin(shape.d * kPi * theta);
}

// A number in two character places: the tens digit only from 10 on (else the
// place keeps its space), then the units digit.
void PutNumber(char* places, int number) {
    if (number >= 10) places[0] = static_cast<char>('0' + number / 10 % 10);
    places[1] = static_cast<char>('0' + number % 10);
}

}  // namespace

RoseShape ReduceRose(int n, int d) {
    const int g = GreatestCommonDivisor(n, d);
    if (g <= 0) return {n, d, 500};
    const RoseShape reduced = {n / g, d / g, 0};
    const bool odd = reduced.d == 1 ? reduced.n % 2 == 1 : (reduced.n * reduced.d) % 2 == 1;
    return {reduced.n, reduced.d, odd ? 1000 : 500};
}

COLORREF RoseColour(int second, int milliseconds) {
    const int d = second % 10;
    if (d < 6) return kRoseWhite;
    const int t = (d - 6) * 1000 + milliseconds;
    return RGB(254, 255 - t * 23 / 1000, 255 - t * 60 / 1000);
}

bool FormatCaption(int n, int d, wchar_t* text, int capacity) {
    if (!text || capacity <= 0) return false;
    text[0] = L'\0';
    if (n < 0 || d < 0) return false;
    // The caption is a narrow string in code page 936, where rho is the byte
    // pair A6 D1 and theta the pair A6 C8. It is kept as those bytes (the
    // source stays plain ASCII whatever its compiler's character set) and
    // converted to UTF-16 here, so that the wide text output shows the Greek
    // letters on any system.
    char narrow[] = "roseCurve:\xA6\xD1=sin(  /  \xA6\xC8)";
    PutNumber(std::strchr(narrow, '(') + 1, n);
    PutNumber(std::strchr(narrow, '/') + 1, d);
    if (MultiByteToWideChar(kChineseCodePage, MB_ERR_INVALID_CHARS, narrow, -1, text, capacity) > 0)
        return true;
    text[0] = L'\0';
    return false;
}

void WriteCaption(int n, int d) {
    LOGFONTW font = {};
    GetTextFont(&font);
    font.lfHeight = 25;  // round(24.500000000000004)
    lstrcpynW(font.lfFaceName, L"\u9ED1\u4F53", LF_FACESIZE);
    font.lfItalic = 1;
    font.lfQuality = ANTIALIASED_QUALITY;
    SetDrawColor(0x009ED0);
    SetTextFont(&font);
    wchar_t caption[32];
    if (FormatCaption(n, d, caption, 32)) WriteText(210, 655, caption);
}

void DrawRose(int n, int d, int from, int to, COLORREF colour) {
    if (n < 1 || d < 1) return;
    const RoseShape shape = ReduceRose(n, d);
    const auto theta = [&shape](int step) {
        return step * 6.283185307 / shape.steps;
    };
    const double increment = 2.0 / (colour == kRoseWhite ? 5 : 2) / 350;
    double x, y;
    RosePoint(shape, theta(from), &x, &y);
    for (double t = theta(from) - increment; t <= theta(to); t += increment) {
        double nextX, nextY;
        RosePoint(shape, t, &nextX, &nextY);
        DrawSmoothLine(x, y, nextX, nextY, colour);
        x = nextX;
        y = nextY;
    }
    WriteCaption(n, d);
}
