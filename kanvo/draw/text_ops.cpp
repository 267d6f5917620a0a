// Text output, measuring and fonts of the current target. The font exists
// only as the object selected into the target's device context.
#include "image_target.h"

#include <algorithm>
#include <climits>
#include <cwchar>
#include <iterator>

namespace Kanvo {
namespace {

// The number of UTF-16 units before the terminator, as the int that the
// system's text calls take.
int UnitCount(const wchar_t* text) {
    const size_t length = std::wcslen(text);
    return length > static_cast<size_t>(INT_MAX) ? INT_MAX : static_cast<int>(length);
}

// The extent of the whole string in the current font; 0 x 0 when it cannot
// be measured.
SIZE TextExtent(HDC dc, const wchar_t* text) {
    SIZE size = {0, 0};
    if (!text || !GetTextExtentPoint32W(dc, text, UnitCount(text), &size)) return SIZE{0, 0};
    return size;
}

// Copies a face name of at most 31 units and its terminator; a null face
// keeps the record's own.
void ReplaceFace(LOGFONTW& style, const wchar_t* face) {
    if (face) lstrcpynW(style.lfFaceName, face, LF_FACESIZE);
}

// The nine fields that the longer field-wise setters take.
void ReplaceFields(LOGFONTW& style, int height, int width, const wchar_t* face, int escapement,
                   int orientation, int weight, bool italic, bool underline, bool strikeOut) {
    style.lfHeight = height;
    style.lfWidth = width;
    ReplaceFace(style, face);
    style.lfEscapement = escapement;
    style.lfOrientation = orientation;
    style.lfWeight = weight;
    style.lfItalic = italic;
    style.lfUnderline = underline;
    style.lfStrikeOut = strikeOut;
}

}  // namespace

void ImageTarget::WriteText(int x, int y, const wchar_t* text) {
    if (!text || !text[0]) return;
    TextOutW(Dc(), x, y, text, UnitCount(text));
}

int ImageTarget::WriteTextInRect(const wchar_t* text, RECT* rect, UINT format) {
    if (!text || !rect) return 0;
    // The text is the caller's constant string: the system must never write
    // an ellipsis into it (which could also run past its end).
    return DrawTextW(Dc(), text, -1, rect, format & ~static_cast<UINT>(DT_MODIFYSTRING));
}

int ImageTarget::GetTextPixelWidth(const wchar_t* text) {
    return TextExtent(Dc(), text).cx;
}

int ImageTarget::GetTextPixelHeight(const wchar_t* text) {
    return TextExtent(Dc(), text).cy;
}

void ImageTarget::SetTextFont(const LOGFONTW* style) {
    if (!style) return;
    // A face name that fills all 32 units has no terminator: cut it to 31.
    LOGFONTW terminated = *style;
    terminated.lfFaceName[LF_FACESIZE - 1] = 0;
    HFONT font = CreateFontIndirectW(&terminated);
    if (!font) return;
    HGDIOBJ previous = SelectObject(Dc(), font);
    // When the selection fails the old font stays and the new one is dropped,
    // so the target still owns exactly one font.
    DeleteObject(previous ? previous : font);
}

void ImageTarget::SetTextFont(int height, int width, const wchar_t* face, int escapement,
                              int orientation, int weight, bool italic, bool underline,
                              bool strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                              BYTE quality, BYTE pitchAndFamily) {
    LOGFONTW style = {};
    if (!face) {
        LOGFONTW current = {};
        GetTextFont(&current);
        std::copy(std::begin(current.lfFaceName), std::end(current.lfFaceName),
                  std::begin(style.lfFaceName));
    }
    ReplaceFields(style, height, width, face, escapement, orientation, weight, italic, underline,
                  strikeOut);
    style.lfCharSet = charSet;
    style.lfOutPrecision = outPrecision;
    style.lfClipPrecision = clipPrecision;
    style.lfQuality = quality;
    style.lfPitchAndFamily = pitchAndFamily;
    SetTextFont(&style);
}

void ImageTarget::SetTextFont(int height, int width, const wchar_t* face, int escapement,
                              int orientation, int weight, bool italic, bool underline,
                              bool strikeOut) {
    LOGFONTW style = {};
    GetTextFont(&style);
    ReplaceFields(style, height, width, face, escapement, orientation, weight, italic, underline,
                  strikeOut);
    SetTextFont(&style);
}

void ImageTarget::SetTextFont(int height, int width, const wchar_t* face) {
    LOGFONTW style = {};
    GetTextFont(&style);
    style.lfHeight = height;
    style.lfWidth = width;
    ReplaceFace(style, face);
    SetTextFont(&style);
}

void ImageTarget::GetTextFont(LOGFONTW* out) {
    if (!out) return;
    // Read into a local record, so that a failed read leaves *out unchanged.
    LOGFONTW style = {};
    if (GetObjectW(GetCurrentObject(Dc(), OBJ_FONT), sizeof(LOGFONTW), &style) > 0) *out = style;
}

}  // namespace Kanvo
