// Text output, measuring and fonts with UTF-8 strings: each converts and
// calls the wide form, so both draw the same pixels.
#include "../kanvo.h"
#include "wide_text.h"

using Kanvo::WideText;

void WriteText(int x, int y, const char* text) {
    WriteText(x, y, WideText(text).Get());
}

int WriteTextInRect(const char* text, RECT* rect, UINT format) {
    return WriteTextInRect(WideText(text).Get(), rect, format);
}

void WriteTextAtPen(const char* text) {
    WriteTextAtPen(WideText(text).Get());
}

int GetTextPixelWidth(const char* text) {
    return GetTextPixelWidth(WideText(text).Get());
}

int GetTextPixelHeight(const char* text) {
    return GetTextPixelHeight(WideText(text).Get());
}

void SetTextFont(int height, int width, const char* face) {
    SetTextFont(height, width, WideText(face).Get());
}

void SetTextFont(int height, int width, const char* face, int escapement, int orientation,
                 int weight, bool italic, bool underline, bool strikeOut) {
    SetTextFont(height, width, WideText(face).Get(), escapement, orientation, weight, italic,
                underline, strikeOut);
}

void SetTextFont(int height, int width, const char* face, int escapement, int orientation,
                 int weight, bool italic, bool underline, bool strikeOut, BYTE charSet,
                 BYTE outPrecision, BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily) {
    SetTextFont(height, width, WideText(face).Get(), escapement, orientation, weight, italic,
                underline, strikeOut, charSet, outPrecision, clipPrecision, quality,
                pitchAndFamily);
}

void SelectTextFont(int height, int width, const char* face) {
    SetTextFont(height, width, face);
}

void SelectTextFont(int height, int width, const char* face, int escapement, int orientation,
                    int weight, bool italic, bool underline, bool strikeOut) {
    SetTextFont(height, width, face, escapement, orientation, weight, italic, underline, strikeOut);
}

void SelectTextFont(int height, int width, const char* face, int escapement, int orientation,
                    int weight, bool italic, bool underline, bool strikeOut, BYTE charSet,
                    BYTE outPrecision, BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily) {
    SetTextFont(height, width, face, escapement, orientation, weight, italic, underline, strikeOut,
                charSet, outPrecision, clipPrecision, quality, pitchAndFamily);
}
