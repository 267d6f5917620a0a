#include "dial_plate.h"

#include "smooth_drawing.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

namespace {

// The normalised 3 x 3 Gaussian of sigma 1, row by row.
const double kGaussian[9] = {0.0947416, 0.118318, 0.0947416,  //
                             0.118318,  0.147761, 0.118318,   //
                             0.0947416, 0.118318, 0.0947416};

// Shading coefficients (equal for every channel); they add up to 1, so a fully
// lit and highlighted point reaches exactly 255.
const double kAmbient = 0.05;
const double kDiffuse = 0.65;
const double kHighlight = 0.3;
const double kAmbientIntensity = 255;
const double kShininess = 20;

const COLORREF kWhite = 0x00FFFFFF;

// Brings `value` into [start, start + size) by whole turns of `size`.
int WrapInto(int value, int start, int size) {
    int offset = (value - start) % size;
    if (offset < 0) offset += size;
    return start + offset;
}

double Dot(const Point3& a, const Point3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Point3 Minus(const Point3& a, const Point3& b) {
    return Point3(a.x - b.x, a.y - b.y, a.z - b.z, kWhite);
}

Point3 Normalized(Point3 vector) {
    NormalizeVector(vector);
    return vector;
}

COLORREF ShadedChannel(int intensity, double diffuse, double highlightPower, int shift) {
    const double value = kAmbient * kAmbientIntensity + intensity * kDiffuse * diffuse +
                         intensity * kHighlight * highlightPower;
    return (static_cast<COLORREF>(static_cast<int>(value)) & 0xFF) << shift;
}

}  // namespace

void BlurRegion(int left, int top, int width, int height) {
    if (width <= 0 || height <= 0) return;
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x) {
            double red = 0, green = 0, blue = 0, weights = 0;
            for (int k = -1; k <= 1; ++k) {
                for (int l = -1; l <= 1; ++l) {
                    const COLORREF sample = GetPixelColor(WrapInto(x + 2 * l, left, width),
                                                          WrapInto(y + 2 * k, top, height));
                    const double weight = kGaussian[(k + 1) * 3 + (l + 1)];
                    red += GetRValue(sample) * weight;
                    green += GetGValue(sample) * weight;
                    blue += GetBValue(sample) * weight;
                    weights += weight;
                }
            }
            SetPixelColor(x, y,
                          RGB(static_cast<int>(red / weights), static_cast<int>(green / weights),
                              static_cast<int>(blue / weights)));
        }
    }
}

void NormalizeVector(Point3& vector) {
    const double length = std::sqrt(Dot(vector, vector));
    if (length == 0) return;
    vector.x /= length;
    vector.y /= length;
    vector.z /= length;
}

void ShadeSphere(const Sphere& sphere, const LightSource& light, int left, int top, int width,
                 int height, const Point3& camera) {
    const Point3& centre = sphere.center;
    for (int i = 0; i < top + height; ++i) {
        for (int j = 0; j < left + width; ++j) {
            // The ray from the pixel (j, i, 0), pointing away from the camera.
            const Point3 direction(j - camera.x, i - camera.y, -camera.z, kWhite);
            const Point3 toCentre(centre.x - j, centre.y - i, centre.z, kWhite);
            const double a = Dot(direction, direction);
            const double b = 2 * Dot(direction, toCentre);
            const double c = Dot(toCentre, toCentre) - sphere.radius * sphere.radius;
            const double discriminant = b * b - 4 * a * c;
            if (discriminant < 0 || a == 0) continue;
            const double t = (b - std::sqrt(discriminant)) / (2 * a);  // the nearer hit
            const Point3 hit(direction.x * t + j, direction.y * t + i, direction.z * t, kWhite);

            const Point3 normal = Normalized(Minus(hit, centre));
            const Point3 fromLight = Normalized(Minus(hit, light.position));
            const double diffuse = std::max(-Dot(normal, fromLight), 0.0);
            const Point3 toCamera = Normalized(Minus(camera, hit));
            const Point3 bisector = Normalized(Minus(toCamera, fromLight));
            const double highlight = std::max(Dot(bisector, normal), 0.0);
            const double highlightPower = std::pow(highlight, kShininess);

            SetPixelColor(j, i,
                          ShadedChannel(light.red, diffuse, highlightPower, 0) |
                              ShadedChannel(light.green, diffuse, highlightPower, 8) |
                              ShadedChannel(light.blue, diffuse, highlightPower, 16));
        }
    }
}

void DrawHourMarks(int cx, int cy, int r, int d, int e) {
    const int fontWidth = 40, fontHeight = 55;
    for (int i = 0; i < 12; ++i) {
        const double theta = i * 0.5235987666666667;
        DrawSmoothLine(cx + static_cast<int>(r * std::sin(theta)),
                       cy - static_cast<int>(r * std::cos(theta)),
                       cx + static_cast<int>((r + d) * std::sin(theta)),
                       cy - static_cast<int>((r + d) * std::cos(theta)), 0x00BE9270, 10);

        for (int k = 1; k <= 4; ++k) {
            const double phi = (2 * k) * 3.1415926 / 60 + theta;
            const int x1 = cx + static_cast<int>(r * std::sin(phi));
            const int y1 = cy - static_cast<int>(r * std::cos(phi));
            const int x2 = static_cast<int>((d / 2) * std::sin(phi)) + x1;
            const int y2 = y1 - static_cast<int>((d / 2) * std::cos(phi));
            SetStrokeColor(0x00EAD999);
            SetStrokeStyle(PS_SOLID, 7, nullptr, 0);
            DrawLine(x1, y1, x2, y2);
        }

        SetFontColor(0x00804000);
        LOGFONTW font = {};
        GetTextFont(&font);
        lstrcpynW(font.lfFaceName, L"Corbel", LF_FACESIZE);
        font.lfQuality = ANTIALIASED_QUALITY;
        font.lfHeight = fontHeight;
        font.lfWidth = fontWidth;
        SetTextFont(&font);
        SetBackgroundMode(TRANSPARENT);
        wchar_t number[4] = L"12";
        if (i != 0) std::swprintf(number, 4, L"%d", i);
        WriteText(cx + static_cast<int>((r + d + e) * std::sin(theta)) - fontWidth / 2,
                  cy - static_cast<int>((r + d + e) * std::cos(theta)) - fontHeight / 2, number);
        SetBackgroundMode(OPAQUE);
    }
}

void RenderDialPlate(IMAGE* image) {
    SetTargetImage(image);

    // The background tile: a downward-pointing yellow triangle on purple,
    // softened by three blur passes.
    IMAGE triangle(50, 43);  // 43 = trunc(sqrt(3) * 50 / 2)
    SetTargetImage(&triangle);
    SetBackgroundColor(0x00A449A3);
    ClearTarget();
    SetStrokeColor(0x0055FFFF);
    SetStrokeStyle(PS_SOLID, 5, nullptr, 0);
    DrawLine(0, 0, 49, 0);
    DrawLine(0, 0, 25, 43);
    DrawLine(25, 43, 50, 0);
    for (int pass = 0; pass < 3; ++pass) BlurRegion(0, 0, 50, 43);

    // Rows of tiles, odd rows shifted by half a tile.
    SetTargetImage(image);
    for (int j = 0; j < 800 / 43; ++j) {
        for (int k = 0; k < 16; ++k)
            PasteImage((50 * k + 25 * (j % 2)) % 800, (43 * j) % 800, &triangle, SRCCOPY);
    }

    SetInteriorColor(0x00E0E0E0);
    SetStrokeColor(kWhite);
    PaintCircle(400, 400, 330);
    DrawSmoothCircle(400, 400, 330, kWhite, 5);
    DrawHourMarks(400, 400, 220, 30, 40);

    // The sphere lies 500 behind the image plane and the camera 600 in front,
    // so it shows as a disc of about 54 pixels radius around the centre.
    const Sphere sphere = {Point3(400, 400, -500, kWhite), 100, kWhite};
    const LightSource light = {Point3(-100, 0, 100, kWhite), 255, 255, 255, 0};
    const Point3 camera(400, 400, 600, kWhite);
    ShadeSphere(sphere, light, static_cast<int>(400 - 330), static_cast<int>(400 - 330), 660, 660,
                camera);
    SetTargetImage(nullptr);
}
