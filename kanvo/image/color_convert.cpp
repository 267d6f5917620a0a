// Conversions between colour values and grey, HSL and HSV. Pure functions:
// no library state, callable from any thread.
//
// Every named intermediate is stored as a float before it is used further,
// while the arithmetic between the stores runs in double precision; the
// results depend on both, so the casts below are deliberate.
#include "../kanvo.h"

#include <algorithm>
#include <limits>

namespace {

// A channel byte as a fraction of 255.
float ChannelFraction(unsigned channel) {
    return static_cast<float>(channel / 255.0);
}

// The channel byte of a fraction: fraction * 255 + 0.5, truncated toward zero,
// low 8 bits kept. Values that no int can hold (and NaN) give 0 instead of
// undefined behaviour.
BYTE ChannelByte(double fraction) {
    const double scaled = fraction * 255.0 + 0.5;
    if (!(scaled > -2147483649.0 && scaled < 2147483648.0)) return 0;
    return static_cast<BYTE>(static_cast<unsigned>(static_cast<int>(scaled)) & 0xFFu);
}

// A hue sector number truncated toward zero; out of the int range the sector
// is INT_MIN, which falls into the "every other sector" case.
int TruncatedSector(float h) {
    if (!(h > -2147483649.0 && h < 2147483648.0)) return std::numeric_limits<int>::min();
    return static_cast<int>(h);
}

struct Fractions {
    float r, g, b, max, min;
};

Fractions FractionsOf(COLORREF color) {
    Fractions f;
    f.r = ChannelFraction(GetRValue(color));
    f.g = ChannelFraction(GetGValue(color));
    f.b = ChannelFraction(GetBValue(color));
    f.max = std::max({f.r, f.g, f.b});
    f.min = std::min({f.r, f.g, f.b});
    return f;
}

COLORREF GreyOf(float fraction) {
    const BYTE grey = ChannelByte(fraction);
    return RGB(grey, grey, grey);
}

void Store(float* out, double value) {
    if (out) *out = static_cast<float>(value);
}

// One channel of an HSL colour: the hue is moved into [0, 360) by one turn at
// most, then the channel follows the piecewise-linear hue ramp.
BYTE HueToChannel(float m1, float m2, float hue) {
    if (hue < 0) {
        hue = static_cast<float>(hue + 360.0);
    } else if (hue >= 360) {
        hue = static_cast<float>(hue - 360.0);
    }
    float v;
    if (hue < 60) {
        v = static_cast<float>(m1 + (static_cast<double>(m2) - m1) * hue / 60.0);
    } else if (hue < 180) {
        v = m2;
    } else if (hue < 240) {
        v = static_cast<float>(m1 + (static_cast<double>(m2) - m1) * (240.0 - hue) / 60.0);
    } else {
        v = m1;
    }
    return ChannelByte(v);
}

}  // namespace

COLORREF ColorToGray(COLORREF color) {
    // The weights are the float values nearest to 0.587, 0.299 and 0.114,
    // summed green, red, blue in double precision.
    const double sum = static_cast<double>(0.587f) * GetGValue(color) +
                       static_cast<double>(0.299f) * GetRValue(color) +
                       static_cast<double>(0.114f) * GetBValue(color) + 0.5;
    const BYTE grey = static_cast<BYTE>(static_cast<unsigned>(sum) & 0xFFu);
    return RGB(grey, grey, grey);
}

void ColorToHSL(COLORREF color, float* hue, float* saturation, float* lightness) {
    const Fractions f = FractionsOf(color);
    const float l = static_cast<float>((static_cast<double>(f.max) + f.min) / 2.0);
    Store(lightness, l);
    if (f.max == f.min) {
        Store(saturation, 0.0);
        Store(hue, 0.0);
        return;
    }
    const float d = static_cast<float>(static_cast<double>(f.max) - f.min);
    if (l <= 0.5f) {
        Store(saturation, d / (static_cast<double>(f.max) + f.min));
    } else {
        Store(saturation, d / (2.0 - f.max - f.min));
    }
    double h;
    if (f.max == f.r) {
        h = (static_cast<double>(f.g) - f.b) / d / 6.0 * 360.0;
        if (f.g < f.b) h += 360.0;
    } else if (f.max == f.g) {
        h = (static_cast<double>(f.b) - f.r) / d / 6.0 * 360.0 + 120.0;
    } else {
        h = (static_cast<double>(f.r) - f.g) / d / 6.0 * 360.0 + 240.0;
    }
    Store(hue, h);
}

COLORREF ColorFromHSL(float hue, float saturation, float lightness) {
    if (saturation == 0) return GreyOf(lightness);
    const double l = lightness;
    const double s = saturation;
    const float m2 = static_cast<float>(lightness <= 0.5f ? l * (1.0 + s) : l + s - l * s);
    const float m1 = static_cast<float>(2.0 * l - m2);
    const BYTE red = HueToChannel(m1, m2, static_cast<float>(hue + 120.0));
    const BYTE green = HueToChannel(m1, m2, hue);
    const BYTE blue = HueToChannel(m1, m2, static_cast<float>(hue - 120.0));
    return RGB(red, green, blue);
}

void ColorToHSV(COLORREF color, float* hue, float* saturation, float* value) {
    const Fractions f = FractionsOf(color);
    Store(value, f.max);
    const float d = static_cast<float>(static_cast<double>(f.max) - f.min);
    if (d == 0) {
        Store(saturation, 0.0);
        Store(hue, 0.0);
        return;
    }
    Store(saturation, static_cast<double>(d) / f.max);
    float h;
    if (f.max == f.r) {
        h = static_cast<float>((static_cast<double>(f.g) - f.b) / d + (f.g < f.b ? 6.0 : 0.0));
    } else if (f.max == f.g) {
        h = static_cast<float>((static_cast<double>(f.b) - f.r) / d + 2.0);
    } else {
        h = static_cast<float>((static_cast<double>(f.r) - f.g) / d + 4.0);
    }
    Store(hue, h * 60.0);
}

COLORREF ColorFromHSV(float hue, float saturation, float value) {
    if (saturation == 0) return GreyOf(value);
    const double v = value;
    const double s = saturation;
    const float h = static_cast<float>(hue / 60.0);
    const int sector = TruncatedSector(h);
    const float f = static_cast<float>(static_cast<double>(h) - sector);
    const float p = static_cast<float>(v * (1.0 - s));
    const float q = static_cast<float>(v * (1.0 - s * f));
    const float t = static_cast<float>(v * (1.0 - s * (1.0 - f)));
    const auto color = [](float red, float green, float blue) {
        return RGB(ChannelByte(red), ChannelByte(green), ChannelByte(blue));
    };
    switch (sector) {
        case 0:
            return color(value, t, p);
        case 1:
            return color(q, value, p);
        case 2:
            return color(p, value, t);
        case 3:
            return color(p, q, value);
        case 4:
            return color(t, p, value);
        default:
            return color(value, p, q);
    }
}
