// Text output, measuring and fonts of the current target. The font exists
// only as the object selected into the target's device context.
#include "../draw/draw_on_img.h"

#include <cwchar>

namespace Kanvo {

void DrawOnImg::WriteText(int x, int y, const wchar_t* text) {
    if (!text) return;
    const size_t length = std::wcslen(text);
    if (length == 0) return;
    TextOutW(Dc(), x, y, text, static_cast<int>(length));
}

int DrawOnImg::WriteTextInRect(const wchar_t* text, RECT* rect, UINT format) {
    if (!text || !rect) return 0;
    return DrawTextW(Dc(), text, -1, rect, format);
}

int DrawOnImg::GetTextPixelWidth(const wchar_t* text) {
    SIZE size = {0, 0};
    if (!text || !GetTextExtentPoint32W(Dc(), text, static_cast<int>(std::wcslen(text)), &size))
        return 0;
    return size.cx;
}

int DrawOnImg::GetTextPixelHeight(const wchar_t* text) {
    SIZE size = {0, 0};
    if (!text || !GetTextExtentPoint32W(Dc(), text, static_cast<int>(std::wcslen(text)), &size))
        return 0;
    return size.cy;
}

void DrawOnImg::SetTextFont(const LOGFONTW* style) {
    if (!style) return;
    if (HFONT font = CreateFontIndirectW(style)) DeleteObject(SelectObject(Dc(), font));
}

void DrawOnImg::SetTextFont(int height, int width, const wchar_t* face, int escapement,
                            int orientation, int weight, bool italic, bool underline,
                            bool strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                            BYTE quality, BYTE pitchAndFamily) {
    LOGFONTW style = {};
    if (face) {
        lstrcpynW(style.lfFaceName, face, LF_FACESIZE);
    } else {
        LOGFONTW current = {};
        GetTextFont(&current);
        lstrcpynW(style.lfFaceName, current.lfFaceName, LF_FACESIZE);
    }
    style.lfHeight = height;
    style.lfWidth = width;
    style.lfEscapement = escapement;
    style.lfOrientation = orientation;
    style.lfWeight = weight;
    style.lfItalic = italic;
    style.lfUnderline = underline;
    style.lfStrikeOut = strikeOut;
    style.lfCharSet = charSet;
    style.lfOutPrecision = outPrecision;
    style.lfClipPrecision = clipPrecision;
    style.lfQuality = quality;
    style.lfPitchAndFamily = pitchAndFamily;
    SetTextFont(&style);
}

void DrawOnImg::SetTextFont(int height, int width, const wchar_t* face, int escapement,
                            int orientation, int weight, bool italic, bool underline,
                            bool strikeOut) {
    LOGFONTW style = {};
    GetTextFont(&style);
    style.lfHeight = height;
    style.lfWidth = width;
    if (face) lstrcpynW(style.lfFaceName, face, LF_FACESIZE);
    style.lfEscapement = escapement;
    style.lfOrientation = orientation;
    style.lfWeight = weight;
    style.lfItalic = italic;
    style.lfUnderline = underline;
    style.lfStrikeOut = strikeOut;
    SetTextFont(&style);
}

void DrawOnImg::SetTextFont(int height, int width, const wchar_t* face) {
    LOGFONTW style = {};
    GetTextFont(&style);
    style.lfHeight = height;
    style.lfWidth = width;
    if (face) lstrcpynW(style.lfFaceName, face, LF_FACESIZE);
    SetTextFont(&style);
}

void DrawOnImg::GetTextFont(LOGFONTW* out) {
    if (!out) return;
    GetObjectW(GetCurrentObject(Dc(), OBJ_FONT), sizeof(LOGFONTW), out);
}

}  // namespace Kanvo
