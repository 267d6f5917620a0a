// The text input dialog, driven from a second thread the way a user drives
// it: find the dialog, type into it with the keyboard, press keys and click
// buttons with the mouse, while the program thread sits in PromptForText.
#include <kanvo.h>

#include <gtest/gtest.h>

#include "gdi_twin.h"
#include "program_driver.h"
#include "resource_counts.h"
#include "user_input.h"
#include "window/input_box.h"

#include <algorithm>
#include <climits>
#include <thread>

namespace {

using namespace KanvoTest;
using Act = std::function<void(HWND dialog)>;
using Boxes = std::vector<std::vector<LONG>>;

constexpr int kEditId = 0x404, kPromptId = 0x408;
// What Prompt returns when its buffer is left as it was given.
const std::wstring kCancelled = L"no " + std::wstring(32 + 7, L'#');
// "确定" and "取消" on the buttons, the prompt "请输入名字".
const wchar_t* const kTexts[] = {L"\u786E\u5B9A", L"\u53D6\u6D88",
                                 L"\u8BF7\u8F93\u5165\u540D\u5B57"};

HWND Edit(HWND dialog) {
    return GetDlgItem(dialog, kEditId);
}
HWND FindDialog() {
    return FindVisibleWindow(GetCurrentProcessId(), L"Kanvo_InputBox");
}
HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

// Presses Tab `count` times: the identifiers of the controls that have the
// focus after each (1 OK, 2 Cancel, 1028 the edit box).
std::wstring TabOrder(HWND dialog, int count) {
    std::wstring order;
    for (int i = 0; i < count; ++i) {
        const HWND before = FocusOf(dialog);
        Press(VK_TAB);
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
    std::vector<wchar_t> buffer(static_cast<size_t>(bufferSize) + 8, L'#');
    buffer.back() = 0;
    std::wstring notes;
    std::thread user([&] {
        HWND d = nullptr;
        if (!WaitUntil([&] { return !!(d = FindDialog()); }, 10000)) return;
        if (!WaitUntil([&] {
                return GetForegroundWindow() == d && FocusOf(d) == Edit(d) &&
                       !IsWindowEnabled(GetWindowHandle());
            }))
            notes += L"not ready; ";
        act(d);
        if (WaitUntil([&] { return !IsWindow(d); })) return;
        notes += L"left open; ";
        PostMessageW(d, WM_CLOSE, 0, 0);
    });
    const bool ok =
        PromptForText(buffer.data(), bufferSize, prompt, title, L"def", width, height, okOnly);
    user.join();
    return notes + (ok ? L"OK " : L"no ") + buffer.data();
}

// Text in the dialog's font (14 pixels high, "Arial"), black on white, drawn
// with raw GDI on `twin` (or only measured, with DT_CALCRECT); its height.
int DrawDialogText(const GdiTwin& twin, const wchar_t* text, UINT format) {
    const HDC dc = twin.Dc();
    RECT rect = {0, 0, twin.Width(), twin.Height()};
    SetTextColor(dc, 0);
    SetBkMode(dc, TRANSPARENT);  // the twin owns the font from now on
    SelectAndDelete(dc,
                    CreateFontW(14, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"));
    return DrawTextW(dc, text, -1, &rect, DT_WORDBREAK | DT_NOPREFIX | format);
}

// --- sizes and layout ---------------------------------------------------------

// The dialog's client area on the screen, then the prompt, the edit box, OK
// and Cancel in client coordinates, each as left, top, width, height; last
// {1} when the edit box is multi-line, else {0}.
Boxes Measure(int width, int height, const wchar_t* prompt) {
    Boxes boxes;
    EXPECT_EQ(Prompt(
                  [&](HWND d) {
                      for (int id : {0, kPromptId, kEditId, IDOK, IDCANCEL}) {
                          RECT r = {};
                          if (id)
                              GetWindowRect(GetDlgItem(d, id), &r);
                          else
                              GetClientRect(d, &r);
                          MapWindowPoints(id ? nullptr : d, id ? d : nullptr,
                                          reinterpret_cast<POINT*>(&r), 2);
                          boxes.push_back({r.left, r.top, r.right - r.left, r.bottom - r.top});
                      }
                      boxes.push_back({(GetWindowLongW(Edit(d), GWL_STYLE) & ES_MULTILINE) != 0});
                      Press(VK_ESCAPE);
                  },
                  32, prompt, L"Ask", width, height),
              kCancelled);
    return boxes;
}

TEST(InputBox, SizeRulesCentringLayoutAndAWrappedPrompt) {
    // Wrapped in the dialog's font, measured the way the dialog measures.
    std::wstring longPrompt;
    for (int i = 0; i < 40; ++i) longPrompt += L"word ";
    const int wrapped =
        DrawDialogText(GdiTwin(357 - 90, 10), longPrompt.c_str(), DT_EXPANDTABS | DT_CALCRECT);
    ASSERT_GT(wrapped, 45);
    // Sizes beyond the largest window are cut to it. Height -1: the long prompt.
    const LONG maxW = GetSystemMetrics(SM_CXMAXTRACK), maxH = GetSystemMetrics(SM_CYMAXTRACK);
    // Asked width and height; client width and height, prompt height, multi-line.
    const struct {
        int width, height;
        LONG cw, ch, ph, multi;
    } cases[] = {{0, 0, 357, 93, 45, 0},
                 {0, 0, 357, 93, 45, 0},
                 {150, 50, 200, 93, 45, 1},
                 {-7, 200, 200, 200, 45, 1},
                 {500, 0, 500, 93, 45, 0},
                 {INT_MAX, INT_MAX, maxW, maxH, 45, 1},
                 {0, -1, 357, 93 + wrapped - 45, wrapped, 0}};
    // The dialog centres on the console or, without one, on the work area;
    // from the second case on, on the graphics window.
    RECT on = {};
    if (HWND console = GetConsoleWindow())
        GetWindowRect(console, &on);
    else
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &on, 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "width " << c.width << ", height " << c.height);
        if (&c == &cases[1]) GetWindowRect(OpenGraphWindow(400, 300), &on);
        const LONG left = on.left + (on.right - c.cw - on.left) / 2;
        const LONG top = on.top + (on.bottom - c.ch - on.top) / 2;
        EXPECT_EQ(Measure(c.width, c.height, c.height < 0 ? longPrompt.c_str() : L"Name"),
                  (Boxes{{left, top, c.cw, c.ch},
                         {9, 10, c.cw - 90, c.ph},
                         {9, c.ph + 20, c.cw - 18, c.ch - c.ph - 30},
                         {c.cw - 69, 10, 60, 21},
                         {c.cw - 69, 34, 60, 21},
                         {c.multi}}));
    }
    CloseGraphWindow();
}

// --- keys, buttons, the graphics window and what the screen shows ----------------

// Ink of a capture, `inset` pixels in from its edges: per row, '#' where a
// pixel differs from the background (the innermost bottom-right pixel, which
// no text reaches) and '.' where not, cut to the ink's bounding box.
using Ink = std::vector<std::string>;
Ink InkOf(const ScreenCapture& c, int inset = 0) {
    const DWORD background = c.At(c.width - 1 - inset, c.height - 1 - inset);
    int x0 = c.width, x1 = -1, y0 = c.height, y1 = -1;
    for (int y = inset; y < c.height - inset; ++y)
        for (int x = inset; x < c.width - inset; ++x)
            if (c.At(x, y) != background)
                x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = y;
    std::vector<std::string> rows(std::max(y1 - y0 + 1, 0));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) rows[y - y0] += c.At(x, y) != background ? '#' : '.';
    return rows;
}

// The ink of a text drawn with raw GDI in the dialog's font.
Ink ReferenceInk(const wchar_t* text, int width = 60, int height = 21) {  // a button's size
    GdiTwin twin(width, height);
    twin.Fill(0xFFFFFF);
    DrawDialogText(twin, text, 0);
    GdiFlush();
    return InkOf({width, height, {twin.Pixels(), twin.Pixels() + width * height}});
}

// Whether the screen shows ink in OK, Cancel (inside their borders, where only
// the caption differs from the face) and the prompt; that ink in `inks`.
bool ShowsInk(HWND dialog, std::vector<Ink>& inks) {
    inks.clear();
    for (int id : {IDOK, IDCANCEL, kPromptId})
        inks.push_back(InkOf(CaptureClientArea(GetDlgItem(dialog, id)), id == kPromptId ? 0 : 4));
    return !inks[0].empty() && !inks[1].empty() && !inks[2].empty();
}

// The Chinese captions whatever the language of the machine that runs the test.
LANGID WINAPI ChineseInterface() {
    return MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
}

TEST(InputBox, KeysButtonsTheGraphicsWindowAndRealGlyphs) {
    g_interfaceLanguage = ChineseInterface;
    HWND window = OpenGraphWindow(400, 300);  // wider than the dialog: all of it on the screen
    std::wstring seen;                        // what an act saw
    std::vector<Ink> shown;                   // OK, Cancel, the prompt
    // Typed text beyond bufferSize - 1 is refused. Input is taken in order:
    // once the Tab has moved the focus, every letter was handled.
    const Act typeTooMuch = [&](HWND d) {
        Type(L"abcdef");
        TabOrder(d, 1);
        seen = WindowTitle(Edit(d));
        Press(VK_RETURN);
    };
    struct Case {
        Act act;
        std::wstring result, seen;
        int size = 32, height = 0, okOnly = 0;
    };
    const Case cases[] = {
        // Enter confirms; the typed text replaces the selected default text.
        // Meanwhile the graphics window keeps refreshing: changed directly in
        // the back buffer, only the window thread's periodic copy shows it.
        {[&](HWND) {
             for (int y = 10; y < 30; ++y)
                 std::fill_n(GetSurfacePixels(nullptr) + y * 400 + 10, 20, 0xFF0000);
             if (WaitUntil([&] { return CaptureWindowDc(window).At(20, 20) == 0xFF0000; }))
                 seen = L"refreshed";
             Type(L"abc");
             Press(VK_RETURN);
         },
         L"OK abc", L"refreshed"},
        // In a multi-line box Enter adds a line and Ctrl+Enter confirms.
        {[](HWND) {
             Type(L"ab");
             Press(VK_RETURN);
             Type(L"cd");
             Press(VK_RETURN, VK_CONTROL);
         },
         L"OK ab\r\ncd", L"", 32, 120},
        // Esc, the close box and Cancel leave the buffer untouched. Before the
        // Esc, what the screen shows once each control shows some ink.
        {[&](HWND d) {
             WaitUntil([&] { return ShowsInk(d, shown); }, 2000);
             Press(VK_ESCAPE);
         },
         kCancelled, L""},
        {[](HWND d) { PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); }, kCancelled, L""},
        {[](HWND d) { Click(GetDlgItem(d, IDCANCEL)); }, kCancelled, L""},
        // Tab goes round the controls; OK takes the untouched default text.
        {[&](HWND d) {
             seen = TabOrder(d, 3);
             Click(GetDlgItem(d, IDOK));
         },
         L"OK def", L" 1 2 1028"},
        // The OK-only form: no Cancel, no close box (no system menu), and Esc
        // does nothing: the "q" typed after it lands in the box.
        {[&](HWND d) {
             seen = WindowTitle(d) + (GetDlgItem(d, IDCANCEL) ? L" Cancel" : L"") + TabOrder(d, 2);
             if (GetWindowLongW(d, GWL_STYLE) & WS_SYSMENU) seen += L" close box";
             Press(VK_ESCAPE);
             Type(L"q");
             Click(GetDlgItem(d, IDOK));
         },
         L"OK q", L"Ask 1 1028", 32, 0, true},
        // A buffer of 1 holds only the terminator: nothing can be typed.
        {typeTooMuch, L"OK abc", L"abc", 4},
        {typeTooMuch, L"OK ", L"def", 1}};
    // After each the graphics window is enabled and in front again (the
    // window thread may take the activation a moment later).
    const auto back = [&] {
        return IsWindowEnabled(window) && GetForegroundWindow() == window;
    };
    for (const auto& c : cases) {
        seen.clear();
        SCOPED_TRACE(&c - cases);
        EXPECT_EQ(Prompt(c.act, c.size, kTexts[2], L"Ask", 0, c.height, c.okOnly), c.result);
        EXPECT_EQ(seen, c.seen);
        EXPECT_TRUE(WaitUntil(back, 1000));
    }
    CloseGraphWindow();

    // The buttons and the prompt show their texts as raw GDI draws them, and in
    // real glyphs, not one box for every character: the two buttons' texts of
    // two characters differ.
    const std::vector<Ink> drawn = {ReferenceInk(kTexts[0]), ReferenceInk(kTexts[1]),
                                    ReferenceInk(kTexts[2], 357 - 90, 45)};
    EXPECT_EQ(shown, drawn);
    EXPECT_NE(drawn[0], drawn[1]);
}

// --- bad input, failures and resources ---------------------------------------------

// A hook (a named CALLBACK: 32-bit builds take no lambda for one) that
// refuses the creation of every window.
LRESULT CALLBACK RefuseEveryWindow(int code, WPARAM wParam, LPARAM lParam) {
    return code == HCBT_CREATEWND ? 1 : CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(InputBox, BadInputFailuresOneDialogAtATimeAndNothingLeftBehind) {
    HWND window = OpenGraphWindow(300, 200);
    wchar_t buffer[8] = L"keep";
    EXPECT_FALSE(PromptForText(nullptr, 8, L"p") || PromptForText(buffer, 0, L"p") ||
                 PromptForText(buffer, -5, L"p"));
    // A dialog that cannot be created: its font goes again, no quit request stays.
    // The hook refuses every window that this thread creates.
    HHOOK hook = SetWindowsHookExW(WH_CBT, RefuseEveryWindow, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    PromptForText(buffer, 8);  // the first use registers the class
    int gdiBefore = FreeGdiSlots();
    const bool refused = !PromptForText(buffer, 8, L"p");
    int gdiAfter = FreeGdiSlots();
    UnhookWindowsHookEx(hook);
    MSG quit = {};
    EXPECT_TRUE(refused && gdiAfter == gdiBefore &&
                !PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    // A quit request ends the dialog and is handed on.
    PostQuitMessage(7);
    EXPECT_FALSE(PromptForText(buffer, 8, L"p"));
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && quit.wParam == 7);
    EXPECT_STREQ(buffer, L"keep");
    EXPECT_TRUE(FindDialog() == nullptr && IsWindowEnabled(window));

    // A second dialog while one runs returns false at once. The first
    // single-line and multi-line dialogs may set up lasting system state (the
    // class, the controls' own caches).
    wchar_t other[8] = L"other";
    bool second = true;
    std::wstring title;
    Prompt([&](HWND) {
        second = PromptForText(other, 8, L"p");
        Press(VK_ESCAPE);
    });
    EXPECT_TRUE(!second && std::wstring(other) == L"other");
    const Act cancel = [&](HWND d) {
        title = WindowTitle(d);
        Press(VK_ESCAPE);
    };
    Prompt(cancel, 32, L"p", nullptr, 0, 100);
    EXPECT_EQ(title, L"test_input_box");  // a null title takes the parent's caption
    gdiBefore = FreeGdiSlots();
    const int handlesBefore = OpenHandleCount(), threadsBefore = ThreadCount();
    for (int i = 0; i < 4; ++i) Prompt(cancel, 32, L"p", nullptr, 0, (i % 2) * 100);
    gdiAfter = FreeGdiSlots();
    const int threadsAfter = ThreadCount();
    // A handle only on its way out may still be counted a moment; a leak stays.
    int handlesAfter = 0;
    WaitUntil([&] { return (handlesAfter = OpenHandleCount()) <= handlesBefore; }, 3000);
    EXPECT_EQ(std::make_tuple(gdiAfter, handlesAfter, threadsAfter),
              std::make_tuple(gdiBefore, handlesBefore, threadsBefore));
    CloseGraphWindow();
}

}  // namespace
