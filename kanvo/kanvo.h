// Kanvo: one graphics window and plain drawing functions over Win32 GDI.
//
// Open the window, draw, wait for a key:
//
//     #include <kanvo.h>
//     #include <conio.h>
//     int main() {
//         OpenGraphWindow(640, 480);
//         DrawLine(0, 0, 639, 479);
//         while (!_kbhit()) Sleep(10);
//         CloseGraphWindow();
//     }
//
// Every drawing function acts on the current target: the graphics window, or
// an IMAGE chosen with SetTargetImage. Colours are COLORREF values 0x00BBGGRR;
// pixels reached through GetSurfacePixels are 0x00RRGGBB (ColorToPixel and
// ColorFromPixel convert).
//
// Every function that takes text, a font face or a path has a wide form
// (L"...") and a narrow form that takes UTF-8 ("..."): with a source file
// saved as UTF-8, WriteText(10, 10, "Hello, \u4E16\u754C") draws what the
// wide call draws. Invalid UTF-8 is drawn as U+FFFD.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

// ---------------------------------------------------------------------------
// Flags of OpenGraphWindow (other bits are ignored).
enum : int {
    OPEN_WITH_CONSOLE = 1,          // keep (or create) a console beside the window
    OPEN_WITHOUT_CLOSE_BOX = 2,     // the window's close box is disabled
    OPEN_WITHOUT_MINIMIZE_BOX = 4,  // no minimize box
    OPEN_WITH_DOUBLE_CLICKS = 8,    // double-click messages reach the mouse queue
};

class IMAGE;
namespace Kanvo {
class ImageTarget;
class WindowTarget;
class GraphicsWindow;
struct ImageAccess;
struct RasterAccess;
}  // namespace Kanvo

// ---------------------------------------------------------------------------
// Pen description. `style` holds PS_* style, end cap and join bits; a
// PS_USERSTYLE pen takes its dash and gap lengths from `userPattern`.
// The style owns its pattern array: copies get their own array.
class LINESTYLE {
public:
    LINESTYLE() = default;
    LINESTYLE(const LINESTYLE& other);
    LINESTYLE& operator=(const LINESTYLE& other);
    virtual ~LINESTYLE();

    int style = PS_SOLID;
    int thickness = 1;
    DWORD* userPattern = nullptr;  // owned; allocated with new[]
    DWORD userCount = 0;           // 0 whenever userPattern is null
};

// Brush description: BS_SOLID, BS_NULL, BS_HATCHED (with `hatch`), BS_PATTERN
// or BS_DIBPATTERN (with the owned `pattern` image).
class FILLSTYLE {
public:
    FILLSTYLE() = default;
    FILLSTYLE(const FILLSTYLE& other);
    FILLSTYLE& operator=(const FILLSTYLE& other);
    virtual ~FILLSTYLE();

    int style = BS_SOLID;
    int hatch = HS_HORIZONTAL;
    IMAGE* pattern = nullptr;  // owned; created with new
};

// ---------------------------------------------------------------------------
// An off-screen raster: a 32-bit top-down DIB section selected into a memory
// device context, with its own drawing state. Copies take size and pixels only.
class IMAGE {
public:
    // A raster of width x height pixels, black. A negative size, one whose
    // pixels would take over 2 GiB, or one the system cannot allocate gives an
    // image without a raster, which reports 0 x 0 (as does a zero dimension).
    IMAGE(int width = 0, int height = 0);
    IMAGE(const IMAGE& other);
    IMAGE& operator=(const IMAGE& other);

    // Restores the default drawing state (white pen, brush and text, black
    // background, identity transform, no clip region, the "System" font).
    virtual void ResetDrawingState();
    virtual ~IMAGE();
    // Changes the pixel size; the overlap keeps its pixels, new pixels get the
    // background colour. A size the constructor would refuse, or a zero
    // dimension, changes nothing: for the window, neither buffer nor window.
    virtual void SetSize(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }

protected:
    int width_ = 0;
    int height_ = 0;
    HBITMAP bitmap_ = nullptr;
    HDC dc_ = nullptr;
    XFORM transform_ = {1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f};
    COLORREF strokeColor_ = 0xFFFFFF;
    COLORREF interiorColor_ = 0xFFFFFF;
    COLORREF fontColor_ = 0xFFFFFF;
    COLORREF backgroundColor_ = 0;
    DWORD* pixels_ = nullptr;
    LINESTYLE lineStyle_;
    FILLSTYLE fillStyle_;
    // What the device context holds that decides whether single pixels may
    // be read and written in the array directly, and the logical points for
    // which they may (draw/raster_access.h keeps these).
    int clipKind_ = 0;  // no clip region
    RECT clipRect_ = {};
    int rasterOp_ = R2_COPYPEN;
    bool contextShared_ = false;
    int directLeft_ = 0;
    int directTop_ = 0;
    unsigned directWidth_ = 0;  // 0: no point
    unsigned directHeight_ = 0;
    size_t directFirst_ = 0;  // index of the pixel of (directLeft_, directTop_)

    // The resize without window side effects; false when the size is refused.
    bool ResizeBase(int width, int height);

    friend class Kanvo::ImageTarget;
    friend struct Kanvo::ImageAccess;
    friend struct Kanvo::RasterAccess;
};

// ---------------------------------------------------------------------------
// A mouse message taken from the graphics window's queue.
struct MOUSEMSG {
    UINT message;     // WM_MOUSEMOVE ... WM_MOUSEWHEEL
    bool ctrlDown;    // MK_CONTROL
    bool shiftDown;   // MK_SHIFT
    bool leftDown;    // MK_LBUTTON
    bool middleDown;  // MK_MBUTTON
    bool rightDown;   // MK_RBUTTON
    short x;          // client coordinates of the pointer
    short y;
    short wheelDelta;  // +-120 per wheel notch, 0 for other messages
};

// ---------------------------------------------------------------------------
// The text, face or path argument of the narrow (UTF-8) forms. Any const
// char* converts to it, a string literal too; a bare nullptr still picks the
// wide form, so calls that pass nullptr stay unambiguous.
struct Utf8Text {
    Utf8Text(const char* utf8) : text(utf8) {}  // implicit on purpose
    const char* text;
};

// --- window/ ---------------------------------------------------------------
// The graphics window. Its close box ends the program at once with exit code
// 0: the C output streams are flushed, but atexit functions and the
// destructors of static objects do not run (the program may still be drawing
// into them). A window that cannot be created gives null and leaves the
// process as it was (a console allocated for it is freed again).
HWND OpenGraphWindow(int width, int height, int flags = 0);
HWND OpenGraphWindow();  // 640 x 480, flags 0
void CloseGraphWindow();
HWND GetWindowHandle();
const wchar_t* GetLibraryVersion();

// Batch drawing: between BeginBatch and EndBatch the window is updated only by
// FlushBatch. Rectangles are in back-buffer pixels, right and bottom inclusive,
// corners in either order; only their part inside the back buffer is copied.
// While an IMAGE is the current target these functions do nothing.
void BeginBatch();
void FlushBatch(int left, int top, int right, int bottom);
void FlushBatch();
void EndBatch(int left, int top, int right, int bottom);
void EndBatch();

// --- window/ (the text dialog: input/) -------------------------------------
// Mouse input. The queue keeps at most 63 messages. When it is full, a new
// move replaces the newest message if that is a move too; any other new
// message (a click, wheel or double-click, or a move after one) takes the
// place of the oldest queued move. So a sweep of the mouse costs no click;
// only a queue that holds nothing but such messages drops a new one.
bool MouseEventPending();
// Removes and returns the oldest message, waiting while the queue is empty.
// While no window is open no message can arrive: with the queue empty it then
// throws the long value 4306, as removing from an empty queue does, instead of
// waiting for ever; so it does when the window is destroyed while it waits.
MOUSEMSG WaitMouseEvent();
// Copies the oldest message to *out (removing it when `remove`); false when empty.
bool PollMouseEvent(MOUSEMSG* out, bool remove = true);
void ClearMouseEvents();

// A modal dialog asking for text, centred on the graphics window (or the
// console), which stays disabled meanwhile. True when confirmed with OK:
// `buffer` then holds at most bufferSize - 1 characters and a terminating zero.
// False after Cancel, Esc or the close box, and at once for a null buffer, a
// bufferSize of 0 or less, while another dialog runs, or when the dialog
// cannot be created; `buffer` is then untouched. A null title takes the
// parent's caption. Width 0 means 357, smaller ones 200; a height above 0
// makes a multi-line box (Ctrl+Enter confirms it). okOnly: no Cancel button,
// no close box, Esc ignored.
// The buttons read "OK" and "Cancel", or their Chinese captions when the
// user's interface language is Chinese.
bool PromptForText(wchar_t* buffer, int bufferSize, const wchar_t* prompt = nullptr,
                   const wchar_t* title = nullptr, const wchar_t* defaultText = nullptr,
                   int width = 0, int height = 0, bool okOnly = false);
// The same with UTF-8 prompt, title and default text.
bool PromptForText(wchar_t* buffer, int bufferSize, Utf8Text prompt, Utf8Text title = nullptr,
                   Utf8Text defaultText = nullptr, int width = 0, int height = 0,
                   bool okOnly = false);
// The typed text returned as UTF-8: at most bufferSize - 1 bytes of whole
// characters (a longer text is cut at a character boundary) and a zero.
// At most 1048576 characters can be typed whatever bufferSize says.
bool PromptForText(char* buffer, int bufferSize, const char* prompt = nullptr,
                   const char* title = nullptr, const char* defaultText = nullptr, int width = 0,
                   int height = 0, bool okOnly = false);

// --- image/ ----------------------------------------------------------------
// Targets, images and pixels. A null IMAGE* means the window's image.
void SetTargetImage(IMAGE* image);
IMAGE* GetTargetImage();  // null while the window is the target
// The pixels, row by row from the top, each 0x00RRGGBB: not the byte order of
// RGB(), so convert with ColorToPixel. A picture read from a file has 0xFF in
// the top byte of each pixel; drawing functions leave it 0.
DWORD* GetSurfacePixels(IMAGE* image = nullptr);
// The image's memory device context, for raw GDI calls. Once a program has
// it, that image's single pixels (GetPixelColor, SetPixelColor) always go
// through GDI, several times slower, since the context's state may change.
HDC GetSurfaceContext(IMAGE* image = nullptr);
void SetImageSize(IMAGE* image, int width, int height);
int GetTargetWidth();
int GetTargetHeight();
int GetLastColumn();  // GetTargetWidth() - 1
int GetLastRow();     // GetTargetHeight() - 1

void CaptureImage(IMAGE* destination, int x, int y, int width, int height);
void PasteImage(int x, int y, const IMAGE* source, DWORD rop = SRCCOPY);
void PasteImage(int x, int y, int width, int height, const IMAGE* source, int sourceX, int sourceY,
                DWORD rop = SRCCOPY);
// Turns `source` counter-clockwise by `radians` (as angles grow on a maths
// graph, not clockwise as on a compass).
void MakeRotatedImage(IMAGE* destination, IMAGE* source, double radians, COLORREF background = 0,
                      bool autoSize = false, bool highQuality = false);

// Picture files (BMP, PNG, JPEG, GIF, TIFF). Reading draws the picture scaled
// to width x height (0: its own size) over a black destination; an empty
// destination, or any other size with resizeToFit, is resized first. False
// when nothing was read: the file is missing (a relative path starts at the
// working directory, not at the program's folder) or is no picture; a
// destination with pixels is then black. Writing picks the format by the extension and
// returns false when nothing was written.
bool ReadImageFile(IMAGE* destination, const wchar_t* path, int width = 0, int height = 0,
                   bool resizeToFit = false);
bool ReadImageResource(IMAGE* destination, const wchar_t* type, const wchar_t* name, int width = 0,
                       int height = 0, bool resizeToFit = false);
bool WriteImageFile(const wchar_t* path, IMAGE* image = nullptr);
// The same with UTF-8 paths and names; MAKEINTRESOURCEA numbers pass unchanged.
bool ReadImageFile(IMAGE* destination, Utf8Text path, int width = 0, int height = 0,
                   bool resizeToFit = false);
bool ReadImageResource(IMAGE* destination, Utf8Text type, Utf8Text name, int width = 0,
                       int height = 0, bool resizeToFit = false);
bool WriteImageFile(Utf8Text path, IMAGE* image = nullptr);

// --- draw/ -----------------------------------------------------------------
// Drawing state.
void ClearTarget();
COLORREF GetStrokeColor();
void SetStrokeColor(COLORREF color);
COLORREF GetFontColor();
void SetFontColor(COLORREF color);
COLORREF GetBackgroundColor();
void SetBackgroundColor(COLORREF color);
int GetBackgroundMode();
void SetBackgroundMode(int mode);  // OPAQUE or TRANSPARENT
COLORREF GetInteriorColor();
void SetInteriorColor(COLORREF color);
COLORREF GetDrawColor();            // the stroke colour
void SetDrawColor(COLORREF color);  // stroke and font colour together

void GetStrokeStyle(LINESTYLE* out);
void SetStrokeStyle(int style, int thickness = 1, const DWORD* userPattern = nullptr,
                    DWORD userCount = 0);
void SetStrokeStyle(const LINESTYLE* style);
void GetInteriorStyle(FILLSTYLE* out);
// BS_PATTERN and BS_DIBPATTERN copy `pattern`; without a pattern that has
// pixels they change nothing.
void SetInteriorStyle(int style, long hatch = 0, IMAGE* pattern = nullptr);
// An 8 x 8 pattern, one byte per row from the top, the high bit leftmost:
// set bits are painted in the font colour and clear bits in the background
// colour (not the interior colour).
void SetInteriorStyle(const BYTE* rows);
void SetInteriorStyle(const FILLSTYLE* style);

int GetRasterOp();
void SetRasterOp(int mode);  // R2_*
void SetMixMode(int mode);   // same as SetRasterOp
int GetPolygonFillMode();
void SetPolygonFillMode(int mode);  // ALTERNATE or WINDING

void MoveOrigin(int x, int y);  // logical origin at device point (x, y)
void GetAxisScale(float* xScale, float* yScale);
void SetAxisScale(float xScale, float yScale);  // 0 or not finite: the scale stays
void SetClipRegion(HRGN region);                // device coordinates; the caller keeps the region
void EraseClipArea();
void ResetDrawingState();

// --- draw/ -----------------------------------------------------------------
// Shapes and pixels. Draw...: outline; DrawFilled...: outline and fill;
// Paint...: fill only; Erase...: filled with the background colour.
// Shapes the system cannot draw correctly and promptly are skipped, silently:
// ellipses, circles, arcs, pies and rounded rectangles more than 800 000
// pixels wide or high on the target, and any shape drawn with a pen wider than
// one pixel (after the axis scale) more than 1 000 000 pixels wide or high.
// Polygons with a point beyond +-134 217 727 on the target are skipped too.
// A pen of thickness 0 or 1 counts as one pixel at any scale; thin lines,
// rectangles, Bezier chains and polylines are drawn at any size.
// GetPixelColor gives CLR_INVALID (0xFFFFFFFF) outside the target or outside
// its clip region. Both are served from memory, ten times faster than GDI or
// more, while the axis scale is 1, the clip region (if any) is a rectangle,
// writes use R2_COPYPEN with a plain RGB colour, and GetSurfaceContext has not
// been called for the target; otherwise GDI serves them, with the same result.
COLORREF GetPixelColor(int x, int y);
void SetPixelColor(int x, int y, COLORREF color);
void DrawLine(int x1, int y1, int x2, int y2);

void DrawRectangle(int left, int top, int right, int bottom);
void DrawFilledRectangle(int left, int top, int right, int bottom);
void PaintRectangle(int left, int top, int right, int bottom);  // both corners inclusive
void EraseRectangle(int left, int top, int right, int bottom);
void PaintBlock(int left, int top, int right, int bottom);  // same as PaintRectangle

void DrawCircle(int x, int y, int radius);
void DrawFilledCircle(int x, int y, int radius);
void PaintCircle(int x, int y, int radius);
void EraseCircle(int x, int y, int radius);

void DrawEllipse(int left, int top, int right, int bottom);
void DrawFilledEllipse(int left, int top, int right, int bottom);
void PaintEllipse(int left, int top, int right, int bottom);
void EraseEllipse(int left, int top, int right, int bottom);

void DrawRoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
void DrawFilledRoundRect(int left, int top, int right, int bottom, int ellipseWidth,
                         int ellipseHeight);
void PaintRoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
void EraseRoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);

// Angles in radians, counter-clockwise from three o'clock.
void DrawArc(int left, int top, int right, int bottom, double startAngle, double endAngle);
void DrawPie(int left, int top, int right, int bottom, double startAngle, double endAngle);
void DrawFilledPie(int left, int top, int right, int bottom, double startAngle, double endAngle);
void PaintPie(int left, int top, int right, int bottom, double startAngle, double endAngle);
void ErasePie(int left, int top, int right, int bottom, double startAngle, double endAngle);

void DrawPolyline(const POINT* points, int count);
void DrawPolygon(const POINT* points, int count);
void DrawFilledPolygon(const POINT* points, int count);
void PaintPolygon(const POINT* points, int count);
void ErasePolygon(const POINT* points, int count);
void DrawPolygonByCount(int count, const POINT* points);
void DrawFilledPolygonByCount(int count, const POINT* points);
void DrawBezier(const POINT* points, int count);  // count = 3n + 1

void FillAreaAt(int x, int y, COLORREF color, int mode);  // FLOODFILLBORDER or FLOODFILLSURFACE

// Front face filled, right side and (with drawTop) top face outlined.
void DrawBox3D(int left, int top, int right, int bottom, int depth, bool drawTop);

// The pen position: one point shared by all targets, moved only by these.
int GetPenX();
int GetPenY();
void MovePenTo(int x, int y);
void MovePenBy(int dx, int dy);
void DrawSegmentTo(int x, int y);
void DrawSegmentBy(int dx, int dy);

// --- draw/ (the UTF-8 forms: narrow/) --------------------------------------
// Text. Each function that takes a string also takes UTF-8 (const char*);
// a character ('A' or L'A') is one character, never a string.
// WriteText draws one line at (x, y), its top-left corner: line breaks and
// tabs are drawn as glyphs, not obeyed. WriteTextInRect breaks lines.
void WriteText(int x, int y, const wchar_t* text);
void WriteText(int x, int y, wchar_t ch);
void WriteText(int x, int y, Utf8Text text);
// DT_* flags; returns the text's height. The text is never written to
// (DT_MODIFYSTRING is ignored).
int WriteTextInRect(const wchar_t* text, RECT* rect, UINT format);
int WriteTextInRect(wchar_t ch, RECT* rect, UINT format);
int WriteTextInRect(Utf8Text text, RECT* rect, UINT format);
void WriteTextAtPen(const wchar_t* text);  // at the pen position; advances the pen's x
void WriteTextAtPen(wchar_t ch);
void WriteTextAtPen(Utf8Text text);
int GetTextPixelWidth(const wchar_t* text);
int GetTextPixelWidth(wchar_t ch);
int GetTextPixelWidth(Utf8Text text);
int GetTextPixelHeight(const wchar_t* text);
int GetTextPixelHeight(wchar_t ch);
int GetTextPixelHeight(Utf8Text text);

// Fonts. `height` is the character cell's height in pixels (internal leading
// included), not a size in points; a width of 0 picks the face's own, a null
// face keeps the current one. The three-field forms change height, width and
// face only: weight, italics, underline, strike-out and angle stay those of
// the previous font.

void SetTextFont(const LOGFONTW* font);
void SetTextFont(int height, int width, const wchar_t* face);
void SetTextFont(int height, int width, const wchar_t* face, int escapement, int orientation,
                 int weight, bool italic, bool underline, bool strikeOut);
void SetTextFont(int height, int width, const wchar_t* face, int escapement, int orientation,
                 int weight, bool italic, bool underline, bool strikeOut, BYTE charSet,
                 BYTE outPrecision, BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily);
void SetTextFont(int height, int width, Utf8Text face);
void SetTextFont(int height, int width, Utf8Text face, int escapement, int orientation, int weight,
                 bool italic, bool underline, bool strikeOut);
void SetTextFont(int height, int width, Utf8Text face, int escapement, int orientation, int weight,
                 bool italic, bool underline, bool strikeOut, BYTE charSet, BYTE outPrecision,
                 BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily);
void SelectTextFont(const LOGFONTW* font);
void SelectTextFont(int height, int width, const wchar_t* face);
void SelectTextFont(int height, int width, const wchar_t* face, int escapement, int orientation,
                    int weight, bool italic, bool underline, bool strikeOut);
void SelectTextFont(int height, int width, const wchar_t* face, int escapement, int orientation,
                    int weight, bool italic, bool underline, bool strikeOut, BYTE charSet,
                    BYTE outPrecision, BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily);
void SelectTextFont(int height, int width, Utf8Text face);
void SelectTextFont(int height, int width, Utf8Text face, int escapement, int orientation,
                    int weight, bool italic, bool underline, bool strikeOut);
void SelectTextFont(int height, int width, Utf8Text face, int escapement, int orientation,
                    int weight, bool italic, bool underline, bool strikeOut, BYTE charSet,
                    BYTE outPrecision, BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily);
void GetTextFont(LOGFONTW* out);
void QueryTextFont(LOGFONTW* out);

// --- image/ ----------------------------------------------------------------
// Colour conversions (pure functions, any thread). Hue in degrees [0, 360),
// the other components in [0, 1]; a null output pointer is skipped.
COLORREF ColorToGray(COLORREF color);
void ColorToHSL(COLORREF color, float* hue, float* saturation, float* lightness);
COLORREF ColorFromHSL(float hue, float saturation, float lightness);
void ColorToHSV(COLORREF color, float* hue, float* saturation, float* value);
COLORREF ColorFromHSV(float hue, float saturation, float value);

// Between a COLORREF (0x00BBGGRR, what RGB() makes) and a surface pixel
// (0x00RRGGBB): red and blue change places. Both ignore the top byte and
// give 0 there, so a pixel read from a picture file converts too.
inline DWORD ColorToPixel(COLORREF color) {
    return ((color & 0xFFu) << 16) | (color & 0xFF00u) | ((color >> 16) & 0xFFu);
}
inline COLORREF ColorFromPixel(DWORD pixel) {
    return ((pixel & 0xFFu) << 16) | (pixel & 0xFF00u) | ((pixel >> 16) & 0xFFu);
}
