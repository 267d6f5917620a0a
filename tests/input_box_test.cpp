// The text input dialog, driven from a second thread the way a user drives
// it: find the dialog, type into it with the keyboard, press keys and click
// buttons with the mouse, while the program thread sits in PromptForText.
#include <kanvo.h>

#include <gtest/gtest.h>

#include "gdi_twin.h"
#include "program_driver.h"
#include "resource_counts.h"
#include "user_input.h"

#include <algorithm>
#include <climits>
#include <thread>

namespace {

using namespace KanvoTest;
using Act = std::function<void(HWND dialog)>; using Boxes = std::vector<std::vector<LONG>>;

constexpr int kEditId = 0x404, kPromptId = 0x408;
// What Prompt returns when its buffer is left as it was given.
const std::wstring kCancelled = L"no " + std::wstring(32 + 7, L'#');
// "确定" and "取消" on the buttons, the prompt "请输入名字".
const wchar_t* const kTexts[] = {L"\u786E\u5B9A", L"\u53D6\u6D88",
                                 L"\u8BF7\u8F93\u5165\u540D\u5B57"};

HWND Edit(HWND dialog) { return GetDlgItem(dialog, kEditId); }
HWND FindDialog() { return FindVisibleWindow(GetCurrentProcessId(), L"Kanvo_InputBox"); }
HWND FocusOf(HWND window) {
    GUITHREADINFO info = {}; info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

// Presses Tab `count` times: the identifiers of the controls that have the
// focus after each (1 OK, 2 Cancel, 1028 the edit box).
std::wstring TabOrder(HWND dialog, int count) {
    std::wstring order;
    for (int i = 0; i < count; ++i) {
        const HWND before = FocusOf(dialog); Press(VK_TAB);
        WaitUntil([&] { return FocusOf(dialog) != before; }, 2000);
        order += L" " + std::to_wstring(GetDlgCtrlID(FocusOf(dialog)));
    }
    return order;
}

// PromptForText on this thread while `act` plays the user on another, once
// the dialog is ready for one: in front, the edit box focused, the graphics
// window disabled. Returns "OK " or "no " and the buffer, after a note when
// the dialog never got ready or the act left it open (it is then closed, so
// that a failing test does not hang).
std::wstring Prompt(const Act& act, int bufferSize = 32, const wchar_t* prompt = kTexts[2],
                    const wchar_t* title = L"Ask", int width = 0, int height = 0,
                    bool okOnly = false) {
    std::vector<wchar_t> buffer(static_cast<size_t>(bufferSize) + 8, L'#'); buffer.back() = 0;
    std::wstring notes;
    std::thread user([&] {
        HWND d = nullptr;
        if (!WaitUntil([&] { return (d = FindDialog()) != nullptr; }, 10000)) return;
        if (!WaitUntil([&] { return GetForegroundWindow() == d && FocusOf(d) == Edit(d) &&
                                    !IsWindowEnabled(GetWindowHandle()); }))
            notes += L"not ready; ";
        act(d); if (WaitUntil([&] { return !IsWindow(d); })) return;
        notes += L"left open; "; PostMessageW(d, WM_CLOSE, 0, 0);
    });
    const bool ok = PromptForText(buffer.data(), bufferSize, prompt, title, L"def", width, height,
                                  okOnly);
    user.join();
    return notes + (ok ? L"OK " : L"no ") + buffer.data();
}

// Text in the dialog's font (14 pixels high, "Arial"), black on white, drawn
// with raw GDI on `twin` (or only measured, with DT_CALCRECT); its height.
int DrawDialogText(GdiTwin& twin, const wchar_t* text, UINT format) {
    LOGFONTW font = {}; font.lfHeight = 14;
    font.lfCharSet = DEFAULT_CHARSET; lstrcpyW(font.lfFaceName, L"Arial");
    HGDIOBJ old = SelectObject(twin.Dc(), CreateFontIndirectW(&font));
    SetTextColor(twin.Dc(), 0); SetBkMode(twin.Dc(), TRANSPARENT);
    RECT rect = {0, 0, twin.Width(), twin.Height()};
    const int height = DrawTextW(twin.Dc(), text, -1, &rect, DT_WORDBREAK | DT_NOPREFIX | format);
    DeleteObject(SelectObject(twin.Dc(), old)); GdiFlush();
    return height;
}

// --- sizes and layout ---------------------------------------------------------

// The dialog's client area on the screen, then the prompt, the edit box, OK
// and Cancel in client coordinates, each as left, top, width, height; last
// {1} when the edit box is multi-line, else {0}.
Boxes Measure(int width, int height, const wchar_t* prompt) {
    Boxes boxes;
    const Act measure = [&](HWND d) {
        for (int id : {0, kPromptId, kEditId, IDOK, IDCANCEL}) {
            RECT r = {}; if (id) GetWindowRect(GetDlgItem(d, id), &r); else GetClientRect(d, &r);
            MapWindowPoints(id ? nullptr : d, id ? d : nullptr, reinterpret_cast<POINT*>(&r), 2);
            boxes.push_back({r.left, r.top, r.right - r.left, r.bottom - r.top});
        }
        boxes.push_back({(GetWindowLongW(Edit(d), GWL_STYLE) & ES_MULTILINE) != 0});
        Press(VK_ESCAPE);
    };
    EXPECT_EQ(Prompt(measure, 32, prompt, L"Ask", width, height), kCancelled);
    return boxes;
}

TEST(InputBox, SizeRulesCentringLayoutAndAWrappedPrompt) {
    // Wrapped in the dialog's font, measured the way the dialog measures.
    std::wstring longPrompt; for (int i = 0; i < 40; ++i) longPrompt += L"word ";
    GdiTwin measure(357 - 90, 10);
    const int wrapped = DrawDialogText(measure, longPrompt.c_str(), DT_EXPANDTABS | DT_CALCRECT);
    ASSERT_GT(wrapped, 45);
    // Sizes beyond the largest window are cut to it. Height -1: the long prompt.
    const LONG maxW = GetSystemMetrics(SM_CXMAXTRACK), maxH = GetSystemMetrics(SM_CYMAXTRACK);
    // Asked width and height; client width and height, prompt height, multi-line.
    const struct { int width, height; LONG cw, ch, ph, multi; } cases[] = {
        {0, 0, 357, 93, 45, 0}, {0, 0, 357, 93, 45, 0}, {150, 50, 200, 93, 45, 1},
        {-7, 200, 200, 200, 45, 1}, {500, 0, 500, 93, 45, 0}, {INT_MAX, INT_MAX, maxW, maxH, 45, 1},
        {0, -1, 357, 93 + wrapped - 45, wrapped, 0}};
    // The dialog centres on the console or, without one, on the work area;
    // from the second case on, on the graphics window.
    RECT on = {};
    if (HWND console = GetConsoleWindow()) GetWindowRect(console, &on);
    else SystemParametersInfoW(SPI_GETWORKAREA, 0, &on, 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "width " << c.width << ", height " << c.height);
        if (&c == &cases[1]) GetWindowRect(OpenGraphWindow(400, 300), &on);
        const LONG cw = c.cw, ch = c.ch, ph = c.ph;
        const LONG left = on.left + (on.right - cw - on.left) / 2;
        const LONG top = on.top + (on.bottom - ch - on.top) / 2;
        EXPECT_EQ(Measure(c.width, c.height, c.height < 0 ? longPrompt.c_str() : L"Name"),
                  (Boxes{{left, top, cw, ch}, {9, 10, cw - 90, ph},
                         {9, ph + 20, cw - 18, ch - ph - 30}, {cw - 69, 10, 60, 21},
                         {cw - 69, 34, 60, 21}, {c.multi}}));
    }
    CloseGraphWindow();
}

// --- keys, buttons, the graphics window and what the screen shows ----------------

// Ink of a capture, `inset` pixels in from its edges: per row, '#' where a
// pixel differs from the background and '.' where not, cut to the ink's
// bounding box.
std::vector<std::string> Ink(const ScreenCapture& c, DWORD background, int inset = 0) {
    int x0 = c.width, x1 = -1, y0 = c.height, y1 = -1;
    for (int y = inset; y < c.height - inset; ++y)
        for (int x = inset; x < c.width - inset; ++x)
            if (c.At(x, y) != background) {
                x0 = std::min(x0, x); x1 = std::max(x1, x);
                y0 = std::min(y0, y); y1 = std::max(y1, y);
            }
    std::vector<std::string> rows(std::max(y1 - y0 + 1, 0));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) rows[y - y0] += c.At(x, y) != background ? '#' : '.';
    return rows;
}

// The ink of a text drawn with raw GDI in the dialog's font.
std::vector<std::string> ReferenceInk(const wchar_t* text, int width, int height) {
    GdiTwin twin(width, height); twin.Fill(0xFFFFFF);
    DrawDialogText(twin, text, 0);
    return Ink({width, height, {twin.Pixels(), twin.Pixels() + width * height}}, 0xFFFFFF);
}

// The ink that the screen shows of OK and Cancel (inside their borders, where
// only the caption differs from the face) and of the prompt.
std::vector<std::vector<std::string>> ShownInk(HWND dialog) {
    const DWORD face = GetSysColor(COLOR_BTNFACE);
    const DWORD facePixel = ((face & 0xFF) << 16) | (face & 0xFF00) | ((face >> 16) & 0xFF);
    std::vector<std::vector<std::string>> inks;
    for (int id : {IDOK, IDCANCEL, kPromptId}) {
        const ScreenCapture c = CaptureClientArea(GetDlgItem(dialog, id));
        const DWORD background = id == kPromptId ? c.At(c.width - 1, c.height - 1) : facePixel;
        inks.push_back(Ink(c, background, id == kPromptId ? 0 : 4));
    }
    return inks;
}

TEST(InputBox, KeysButtonsTheGraphicsWindowAndRealGlyphs) {
    HWND window = OpenGraphWindow(400, 300);  // wider than the dialog: all of it on the screen
    std::wstring seen;       // what an act saw
    std::vector<std::vector<std::string>> shown;  // OK, Cancel, the prompt
    const auto click = [](HWND d, int id) { Click(GetDlgItem(d, id)); };
    // Typed text beyond bufferSize - 1 is refused. Input is taken in order:
    // once the Tab has moved the focus, every letter was handled.
    const Act typeTooMuch = [&](HWND d) {
        Type(L"abcdef"); TabOrder(d, 1); seen = WindowTitle(Edit(d)); Press(VK_RETURN);
    };
    const struct { Act act; int size, height; bool okOnly; std::wstring result, seen; } cases[] = {
        // Enter confirms; the typed text replaces the selected default text.
        // Meanwhile the graphics window keeps refreshing: changed directly in
        // the back buffer, only the window thread's periodic copy shows it.
        {[&](HWND) {
             DWORD* pixels = GetSurfacePixels(nullptr);
             for (int y = 10; y < 30; ++y) std::fill_n(pixels + y * 400 + 10, 20, 0xFF0000);
             if (WaitUntil([&] { return CaptureWindowDc(window).At(20, 20) == 0xFF0000; }))
                 seen = L"refreshed";
             Type(L"abc"); Press(VK_RETURN);
         }, 32, 0, false, L"OK abc", L"refreshed"},
        // In a multi-line box Enter adds a line and Ctrl+Enter confirms.
        {[](HWND) { Type(L"ab"); Press(VK_RETURN); Type(L"cd"); Press(VK_RETURN, VK_CONTROL); },
         32, 120, false, L"OK ab\r\ncd", L""},
        // Esc, the close box and Cancel leave the buffer untouched. Before the
        // Esc, what the screen shows once each control shows some ink.
        {[&](HWND d) {
             WaitUntil([&] {
                 shown = ShownInk(d);
                 return !shown[0].empty() && !shown[1].empty() && !shown[2].empty();
             }, 2000);
             Press(VK_ESCAPE);
         }, 32, 0, false, kCancelled, L""},
        {[](HWND d) { PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, 32, 0, false, kCancelled, {}},
        {[&](HWND d) { click(d, IDCANCEL); }, 32, 0, false, kCancelled, L""},
        // Tab goes round the controls; OK takes the untouched default text.
        {[&](HWND d) { seen = TabOrder(d, 3); click(d, IDOK); }, 32, 0, false, L"OK def",
         L" 1 2 1028"},
        // The OK-only form: no Cancel, no close box (no system menu), and Esc
        // does nothing: the "q" typed after it lands in the box.
        {[&](HWND d) {
             seen = WindowTitle(d) + (GetDlgItem(d, IDCANCEL) ? L" Cancel" : L"") + TabOrder(d, 2);
             if (GetWindowLongW(d, GWL_STYLE) & WS_SYSMENU) seen += L" close box";
             Press(VK_ESCAPE); Type(L"q"); click(d, IDOK);
         }, 32, 0, true, L"OK q", L"Ask 1 1028"},
        // A buffer of 1 holds only the terminator: nothing can be typed.
        {typeTooMuch, 4, 0, false, L"OK abc", L"abc"}, {typeTooMuch, 1, 0, false, L"OK ", L"def"}};
    // After each the graphics window is enabled and in front again (the
    // window thread may take the activation a moment later).
    const auto back = [&] { return IsWindowEnabled(window) && GetForegroundWindow() == window; };
    for (const auto& c : cases) {
        seen.clear();
        EXPECT_EQ(Prompt(c.act, c.size, kTexts[2], L"Ask", 0, c.height, c.okOnly), c.result)
            << &c - cases;
        EXPECT_EQ(seen, c.seen) << &c - cases;
        EXPECT_TRUE(WaitUntil(back, 1000)) << &c - cases;
    }
    CloseGraphWindow();

    // The buttons and the prompt show their texts as raw GDI draws them, and in
    // real glyphs, not one box for every character: the two buttons' texts of
    // two characters differ.
    const std::vector<std::vector<std::string>> drawn = {
        ReferenceInk(kTexts[0], 60, 21), ReferenceInk(kTexts[1], 60, 21),
        ReferenceInk(kTexts[2], 357 - 90, 45)};
    EXPECT_EQ(shown, drawn); EXPECT_NE(drawn[0], drawn[1]);
}

// --- bad input, failures and resources ---------------------------------------------

// Refuses to create windows of the dialog's class.
LRESULT CALLBACK RefuseDialogs(int code, WPARAM wParam, LPARAM lParam) {
    const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
    if (code == HCBT_CREATEWND && !IS_INTRESOURCE(create->lpcs->lpszClass) &&
        lstrcmpW(create->lpcs->lpszClass, L"Kanvo_InputBox") == 0)
        return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(InputBox, BadInputFailuresOneDialogAtATimeAndNothingLeftBehind) {
    HWND window = OpenGraphWindow(300, 200); wchar_t buffer[8] = L"keep";
    EXPECT_FALSE(PromptForText(nullptr, 8, L"p") || PromptForText(buffer, 0, L"p") ||
                 PromptForText(buffer, -5, L"p"));
    // A dialog that cannot be created: its font goes again, no quit request stays.
    HHOOK hook = SetWindowsHookExW(WH_CBT, RefuseDialogs, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    PromptForText(buffer, 8);  // the first use registers the class
    int gdiBefore = FreeGdiSlots(); const bool refused = !PromptForText(buffer, 8, L"p");
    int gdiAfter = FreeGdiSlots(); UnhookWindowsHookEx(hook);
    MSG quit = {};
    EXPECT_TRUE(refused && gdiAfter == gdiBefore &&
                !PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    // A quit request ends the dialog and is handed on.
    PostQuitMessage(7); EXPECT_FALSE(PromptForText(buffer, 8, L"p"));
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && quit.wParam == 7);
    EXPECT_STREQ(buffer, L"keep");
    EXPECT_TRUE(FindDialog() == nullptr && IsWindowEnabled(window));

    // A second dialog while one runs returns false at once. The first
    // single-line and multi-line dialogs may set up lasting system state (the
    // class, the controls' own caches).
    wchar_t other[8] = L"other"; bool second = true;
    Prompt([&](HWND) { second = PromptForText(other, 8, L"p"); Press(VK_ESCAPE); });
    EXPECT_TRUE(!second && std::wstring(other) == L"other");
    std::wstring title;
    const Act cancel = [&](HWND d) { title = WindowTitle(d); Press(VK_ESCAPE); };
    Prompt(cancel, 32, L"p", nullptr, 0, 100);
    EXPECT_EQ(title, L"test_input_box");  // a null title takes the parent's caption
    gdiBefore = FreeGdiSlots();
    const int handlesBefore = OpenHandleCount(), threadsBefore = ThreadCount();
    for (int i = 0; i < 4; ++i) Prompt(cancel, 32, L"p", nullptr, 0, (i % 2) * 100);
    gdiAfter = FreeGdiSlots(); const int threadsAfter = ThreadCount();
    // A handle only on its way out may still be counted a moment; a leak stays.
    int handlesAfter = 0;
    WaitUntil([&] { return (handlesAfter = OpenHandleCount()) <= handlesBefore; }, 3000);
    EXPECT_EQ(std::make_tuple(gdiAfter, handlesAfter, threadsAfter),
              std::make_tuple(gdiBefore, handlesBefore, threadsBefore));
    CloseGraphWindow();
}

}  // namespace
