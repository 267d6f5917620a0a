// Text output, measuring and fonts with UTF-8 strings: each converts and
// calls the wide form, so both draw the same pixels.
#include "../kanvo.h"
#include "wide_text.h"

using Kanvo::WideText;

void WriteText(int x, int y, Utf8Text text) {
    WriteText(x, y, WideText(text.text).Get());
}

int WriteTextInRect(Utf8Text text, RECT* rect, UINT format) {
    return WriteTextInRect(WideText(text.text).Get(), rect, format);
}

void WriteTextAtPen(Utf8Text text) {
    WriteTextAtPen(WideText(text.text).Get());
}

int GetTextPixelWidth(Utf8Text text) {
    return GetTextPixelWidth(WideText(text.text).Get());
}

int GetTextPixelHeight(Utf8Text text) {
    return GetTextPixelHeight(WideText(text.text).Get());
}

void SetTextFont(int height, int width, Utf8Text face) {
    SetTextFont(height, width, WideText(face.text).Get());
}

void SetTextFont(int height, int width, Utf8Text face, int escapement, int orientation, int weight,
                 bool italic, bool underline, bool strikeOut) {
    SetTextFont(height, width, WideText(face.text).Get(), escapement, orientation, weight, italic,
                underline, strikeOut);
}

void SetTextFont(int height, int width, Utf8Text face, int escapement, int orientation, int weight,
                 bool italic, bool underline, bool strikeOut, BYTE charSet, BYTE outPrecision,
                 BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily) {
    SetTextFont(height, width, WideText(face.text).Get(), escapement, orientation, weight, italic,
                underline, strikeOut, charSet, outPrecision, clipPrecision, quality,
                pitchAndFamily);
}

void SelectTextFont(int height, int width, Utf8Text face) {
    SetTextFont(height, width, face);
}

void SelectTextFont(int height, int width, Utf8Text face, int escapement, int orientation,
                    int weight, bool italic, bool underline, bool strikeOut) {
    SetTextFont(height, width, face, escapement, orientation, weight, italic, underline, strikeOut);
}

void SelectTextFont(int height, int width, Utf8Text face, int escapement, int orientation,
                    int weight, bool italic, bool underline, bool strikeOut, BYTE charSet,
                    BYTE outPrecision, BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily) {
    SetTextFont(height, width, face, escapement, orientation, weight, italic, underline, strikeOut,
                charSet, outPrecision, clipPrecision, quality, pitchAndFamily);
}
