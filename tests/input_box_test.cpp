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
#include <atomic>
#include <climits>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

using namespace KanvoTest;

constexpr int kEditId = 0x404;
constexpr int kPromptId = 0x408;

// The screen point of the window's close box, if it has one: searched along
// the middle of the caption, which lies just above the client area.
bool FindCloseBox(HWND window, POINT* at) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    POINT client = {0, 0};
    ClientToScreen(window, &client);
    const int y = client.y - GetSystemMetrics(SM_CYCAPTION) / 2;
    for (int x = rect.right - 1; x >= rect.left; --x)
        if (SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
            *at = {x - 3, y};
            return true;
        }
    return false;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(10);
    }
    return true;
}

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

// --- the user ---------------------------------------------------------------

HWND FindDialog() { return FindVisibleWindow(GetCurrentProcessId(), L"Kanvo_InputBox"); }

// Acts on the next dialog from a thread of its own, once the dialog is ready
// for a user: in front, the edit box focused, its parent disabled. A dialog
// that the act leaves open is closed, so that a failing test does not hang.
class User {
public:
    explicit User(std::function<void(HWND dialog)> act)
        : thread_([this, act] {
              HWND dialog = nullptr;
              WaitUntil([&] { return (dialog = FindDialog()) != nullptr; }, 10000);
              if (!dialog) return;
              found = WaitUntil([&] {
                  const HWND owner = GetWindow(dialog, GW_OWNER);
                  return GetForegroundWindow() == dialog &&
                         FocusOf(dialog) == GetDlgItem(dialog, kEditId) &&
                         (!owner || !IsWindowEnabled(owner));
              });
              act(dialog);
              if (!WaitUntil([&] { return !IsWindow(dialog); })) {
                  leftOpen = true;
                  PostMessageW(dialog, WM_CLOSE, 0, 0);
              }
          }) {}
    ~User() { Join(); }
    void Join() {
        if (thread_.joinable()) thread_.join();
    }
    std::atomic<bool> found{false};
    std::atomic<bool> leftOpen{false};

private:
    std::thread thread_;
};

struct Outcome {
    bool result = false;
    std::wstring buffer;
    bool found = false;
    bool leftOpen = false;
};

Outcome Prompt(std::function<void(HWND)> act, int bufferSize = 32, const wchar_t* prompt = L"Name",
               const wchar_t* title = L"Ask", const wchar_t* defaultText = L"def",
               int width = 0, int height = 0, bool okOnly = false) {
    std::vector<wchar_t> buffer(static_cast<size_t>(bufferSize) + 8, L'#');
    buffer.back() = 0;
    User user(std::move(act));
    Outcome outcome;
    outcome.result = PromptForText(buffer.data(), bufferSize, prompt, title, defaultText, width,
                                   height, okOnly);
    user.Join();
    outcome.buffer = buffer.data();
    outcome.found = user.found;
    outcome.leftOpen = user.leftOpen;
    return outcome;
}

// The dialog's font: 14 pixels high, "Arial".
HFONT CreateDialogFont() {
    LOGFONTW logFont = {};
    logFont.lfHeight = 14;
    logFont.lfCharSet = DEFAULT_CHARSET;
    lstrcpyW(logFont.lfFaceName, L"Arial");
    return CreateFontIndirectW(&logFont);
}

const std::wstring kUntouched = std::wstring(32 + 7, L'#');  // Prompt's default buffer

// --- sizes and layout ---------------------------------------------------------

struct Layout {
    RECT client;        // client rectangle on the screen
    RECT edit, ok, cancel, label;  // in client coordinates
    bool multiLine;
};

RECT ChildRect(HWND dialog, int id) {
    RECT rect = {};
    if (HWND child = GetDlgItem(dialog, id)) {
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    }
    return rect;
}

Layout Measure(int width, int height, const wchar_t* prompt = L"Name") {
    Layout layout = {};
    const Outcome o = Prompt(
        [&](HWND dialog) {
            GetClientRect(dialog, &layout.client);
            MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&layout.client), 2);
            layout.edit = ChildRect(dialog, kEditId);
            layout.ok = ChildRect(dialog, IDOK);
            layout.cancel = ChildRect(dialog, IDCANCEL);
            layout.label = ChildRect(dialog, kPromptId);
            layout.multiLine = (GetWindowLongW(GetDlgItem(dialog, kEditId), GWL_STYLE) & ES_MULTILINE) != 0;
            Press(VK_ESCAPE);
        },
        32, prompt, L"t", L"", width, height);
    EXPECT_TRUE(o.found);
    EXPECT_FALSE(o.leftOpen);
    return layout;
}

bool SameRect(const RECT& rect, int left, int top, int width, int height) {
    return rect.left == left && rect.top == top && rect.right == left + width &&
           rect.bottom == top + height;
}

TEST(InputBox, SizeRulesCentringAndLayout) {
    HWND window = OpenGraphWindow(400, 300);
    RECT parent = {};
    GetWindowRect(window, &parent);
    struct Case {
        int width, height, clientWidth, clientHeight;
        bool multiLine;
    };
    // Sizes beyond the largest window are cut to it.
    const int maxWidth = GetSystemMetrics(SM_CXMAXTRACK);
    const int maxHeight = GetSystemMetrics(SM_CYMAXTRACK);
    for (const Case& c : {Case{0, 0, 357, 93, false}, Case{150, 50, 200, 93, true},
                          Case{-7, 200, 200, 200, true}, Case{500, 0, 500, 93, false},
                          Case{INT_MAX, INT_MAX, maxWidth, maxHeight, true}}) {
        SCOPED_TRACE(testing::Message() << "width " << c.width << ", height " << c.height);
        const Layout l = Measure(c.width, c.height);
        const int cw = l.client.right - l.client.left;
        const int ch = l.client.bottom - l.client.top;
        EXPECT_EQ(cw, c.clientWidth);
        EXPECT_EQ(ch, c.clientHeight);
        EXPECT_EQ(l.multiLine, c.multiLine);
        EXPECT_EQ(l.client.left, parent.left + (parent.right - cw - parent.left) / 2);
        EXPECT_EQ(l.client.top, parent.top + (parent.bottom - ch - parent.top) / 2);
        EXPECT_TRUE(SameRect(l.label, 9, 10, cw - 90, 45));
        EXPECT_TRUE(SameRect(l.edit, 9, 65, cw - 18, ch - 75));
        EXPECT_TRUE(SameRect(l.ok, cw - 69, 10, 60, 21));
        EXPECT_TRUE(SameRect(l.cancel, cw - 69, 34, 60, 21));
    }
    CloseGraphWindow();
}

TEST(InputBox, WrappedPromptMakesTheDialogTaller) {
    // Wrapped in the dialog's font, measured the way the dialog measures.
    const wchar_t* prompt =
        L"Please type the name under which the picture will be saved. The name may "
        L"hold letters, digits and spaces; the extension chooses the format of the "
        L"file. Press Enter to go on or Esc to give up.";
    HFONT font = CreateDialogFont();
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    RECT rect = {0, 0, 357 - 90, 10};
    const int textHeight = DrawTextW(dc, prompt, -1, &rect,
                                     DT_WORDBREAK | DT_EXPANDTABS | DT_CALCRECT | DT_NOPREFIX);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(font);
    ASSERT_GT(textHeight, 45);

    OpenGraphWindow(400, 300);
    const Layout l = Measure(0, 0, prompt);
    EXPECT_EQ(l.client.bottom - l.client.top, 93 + textHeight - 45);
    EXPECT_EQ(l.label.bottom - l.label.top, textHeight);
    EXPECT_EQ(l.edit.top, textHeight + 20);
    CloseGraphWindow();
}

TEST(InputBox, WithoutAWindowItCentresOnTheConsoleOrTheWorkArea) {
    RECT reference = {};
    if (HWND console = GetConsoleWindow()) {
        GetWindowRect(console, &reference);
    } else {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &reference, 0);
    }
    const Layout l = Measure(0, 0);
    EXPECT_EQ(l.client.left, reference.left + (reference.right - 357 - reference.left) / 2);
    EXPECT_EQ(l.client.top, reference.top + (reference.bottom - 93 - reference.top) / 2);
}

// --- keys and buttons -----------------------------------------------------------

TEST(InputBox, EnterConfirmsASingleLineBoxWithTheTypedText) {
    OpenGraphWindow(300, 200);
    const Outcome o = Prompt([](HWND) {
        Type(L"abc");  // replaces the selected default text
        Press(VK_RETURN);
    });
    EXPECT_TRUE(o.found);
    EXPECT_FALSE(o.leftOpen);
    EXPECT_TRUE(o.result);
    EXPECT_EQ(o.buffer, L"abc");
    CloseGraphWindow();
}

TEST(InputBox, MultiLineEnterAddsALineAndCtrlEnterConfirms) {
    OpenGraphWindow(300, 200);
    const Outcome o = Prompt(
        [](HWND) {
            Type(L"ab");
            Press(VK_RETURN);
            Type(L"cd");
            Press(VK_RETURN, VK_CONTROL);
        },
        32, L"Lines", L"t", nullptr, 0, 120);
    EXPECT_TRUE(o.result);
    EXPECT_EQ(o.buffer, L"ab\r\ncd");
    CloseGraphWindow();
}

TEST(InputBox, EscTheCloseBoxAndCancelLeaveTheBufferUntouched) {
    OpenGraphWindow(300, 200);
    const std::function<void(HWND)> cancels[] = {
        [](HWND) { Press(VK_ESCAPE); },
        [](HWND dialog) {
            POINT closeBox = {};
            if (FindCloseBox(dialog, &closeBox)) ClickAt(closeBox);
        },
        [](HWND dialog) { Click(GetDlgItem(dialog, IDCANCEL)); },
    };
    for (const auto& cancel : cancels) {
        const Outcome o = Prompt([&](HWND dialog) {
            Type(L"xyz");
            WaitUntil([&] { return TextOf(GetDlgItem(dialog, kEditId)) == L"xyz"; });
            cancel(dialog);
        });
        EXPECT_FALSE(o.leftOpen);
        EXPECT_FALSE(o.result);
        EXPECT_EQ(o.buffer, kUntouched);
    }
    CloseGraphWindow();
}

TEST(InputBox, TabMovesTheFocusRoundTheControls) {
    OpenGraphWindow(300, 200);
    std::vector<int> order;
    const Outcome o = Prompt([&](HWND dialog) {
        for (int i = 0; i < 3; ++i) {
            const HWND before = FocusOf(dialog);
            Press(VK_TAB);
            WaitUntil([&] { return FocusOf(dialog) != before; }, 2000);
            order.push_back(GetDlgCtrlID(FocusOf(dialog)));
        }
        Click(GetDlgItem(dialog, IDOK));
    });
    EXPECT_EQ(order, (std::vector<int>{IDOK, IDCANCEL, kEditId}));
    EXPECT_TRUE(o.result);
    EXPECT_EQ(o.buffer, L"def");  // OK with the untouched default text
    CloseGraphWindow();
}

TEST(InputBox, OkOnlyFormIgnoresEscAndHasNoCloseBox) {
    OpenGraphWindow(300, 200);
    std::vector<int> order;
    bool hasCancel = true, hasCloseBox = true, hasSystemMenu = true, openAfterEsc = false;
    const Outcome o = Prompt(
        [&](HWND dialog) {
            hasCancel = GetDlgItem(dialog, IDCANCEL) != nullptr;
            POINT at = {};
            hasCloseBox = FindCloseBox(dialog, &at);
            hasSystemMenu = (GetWindowLongW(dialog, GWL_STYLE) & WS_SYSMENU) != 0;
            for (int i = 0; i < 2; ++i) {
                const HWND before = FocusOf(dialog);
                Press(VK_TAB);
                WaitUntil([&] { return FocusOf(dialog) != before; }, 2000);
                order.push_back(GetDlgCtrlID(FocusOf(dialog)));
            }
            // Input is taken in order: once "q" is in the box, Esc was handled.
            Press(VK_ESCAPE);
            Type(L"q");
            HWND edit = GetDlgItem(dialog, kEditId);
            openAfterEsc = WaitUntil([&] { return TextOf(edit) == L"q"; }) && IsWindow(dialog);
            Click(GetDlgItem(dialog, IDOK));
        },
        32, L"Note", L"t", L"def", 0, 0, true);
    EXPECT_FALSE(hasCancel);
    EXPECT_FALSE(hasCloseBox);
    EXPECT_FALSE(hasSystemMenu);
    EXPECT_EQ(order, (std::vector<int>{IDOK, kEditId}));
    EXPECT_TRUE(openAfterEsc);
    EXPECT_TRUE(o.result);
    EXPECT_EQ(o.buffer, L"q");
    CloseGraphWindow();
}

TEST(InputBox, NullTitleTakesTheParentsCaption) {
    OpenGraphWindow(300, 200);
    std::wstring captions[2];
    for (int i = 0; i < 2; ++i) {
        Prompt([&](HWND dialog) { captions[i] = TextOf(dialog); Press(VK_ESCAPE); }, 32, L"p",
               i == 0 ? nullptr : L"Own title");
    }
    EXPECT_EQ(captions[0], L"test_input_box");
    EXPECT_EQ(captions[1], L"Own title");
    CloseGraphWindow();
}

TEST(InputBox, TextBeyondTheBufferCannotBeTyped) {
    OpenGraphWindow(300, 200);
    // A buffer of 1 holds only the terminator: nothing can be typed at all.
    for (const auto& c : {std::make_pair(4, std::wstring(L"abc")), std::make_pair(1, std::wstring())}) {
        std::wstring shown;
        const Outcome o = Prompt(
            [&](HWND dialog) {
                Type(L"abcdef");
                // Input is taken in order: once the Tab has moved the focus,
                // every letter was handled.
                Press(VK_TAB);
                WaitUntil([&] { return FocusOf(dialog) == GetDlgItem(dialog, IDOK); });
                shown = TextOf(GetDlgItem(dialog, kEditId));
                Press(VK_RETURN);
            },
            c.first, L"p", L"t", L"");
        EXPECT_EQ(shown, c.second);
        EXPECT_TRUE(o.result);
        EXPECT_EQ(o.buffer, c.second);
    }
    CloseGraphWindow();
}

// --- bad input, failures and resources ---------------------------------------------

TEST(InputBox, BadBuffersAndASecondDialogReturnFalseAtOnce) {
    OpenGraphWindow(300, 200);
    wchar_t buffer[8] = L"keep";
    EXPECT_FALSE(PromptForText(nullptr, 8, L"p"));
    EXPECT_FALSE(PromptForText(buffer, 0, L"p"));
    EXPECT_FALSE(PromptForText(buffer, -5, L"p"));
    EXPECT_STREQ(buffer, L"keep");
    EXPECT_EQ(FindDialog(), nullptr);

    bool second = true;
    std::wstring secondBuffer;
    const Outcome o = Prompt([&](HWND) {
        wchar_t other[8] = L"other";
        second = PromptForText(other, 8, L"p");
        secondBuffer = other;
        Press(VK_ESCAPE);
    });
    EXPECT_FALSE(second);
    EXPECT_EQ(secondBuffer, L"other");
    EXPECT_FALSE(o.leftOpen);
    CloseGraphWindow();
}

HHOOK g_cbtHook = nullptr;
LRESULT CALLBACK RefuseDialogs(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
        const LPCWSTR name = create->lpcs->lpszClass;
        if (!IS_INTRESOURCE(name) && lstrcmpW(name, L"Kanvo_InputBox") == 0) return 1;
    }
    return CallNextHookEx(g_cbtHook, code, wParam, lParam);
}

TEST(InputBox, DialogThatCannotBeCreatedReturnsFalseAtOnce) {
    HWND window = OpenGraphWindow(300, 200);
    wchar_t buffer[8] = L"keep";
    g_cbtHook = SetWindowsHookExW(WH_CBT, RefuseDialogs, nullptr, GetCurrentThreadId());
    ASSERT_NE(g_cbtHook, nullptr);
    PromptForText(buffer, 8);  // the first use registers the class
    const int gdiBefore = FreeGdiSlots();
    const bool result = PromptForText(buffer, 8, L"p");
    const int gdiAfter = FreeGdiSlots();
    UnhookWindowsHookEx(g_cbtHook);
    EXPECT_FALSE(result);
    EXPECT_STREQ(buffer, L"keep");
    EXPECT_TRUE(IsWindowEnabled(window));
    EXPECT_EQ(gdiAfter, gdiBefore);  // the font is gone again
    MSG quit = {};
    EXPECT_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    CloseGraphWindow();
}

TEST(InputBox, AQuitRequestEndsTheDialogAndIsHandedOn) {
    HWND window = OpenGraphWindow(300, 200);
    wchar_t buffer[8] = L"keep";
    PostQuitMessage(7);
    EXPECT_FALSE(PromptForText(buffer, 8, L"p"));
    EXPECT_STREQ(buffer, L"keep");
    EXPECT_EQ(FindDialog(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(window));
    MSG quit = {};
    ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 7u);
    CloseGraphWindow();
}

TEST(InputBox, DialogsLeaveNoGdiObjectsHandlesOrThreads) {
    OpenGraphWindow(300, 200);
    const auto cancel = [](HWND) { Press(VK_ESCAPE); };
    // The first single-line and multi-line dialogs may set up lasting
    // system state (the class, the controls' own caches).
    Prompt(cancel);
    Prompt(cancel, 32, L"p", nullptr, L"d", 0, 100);
    const int gdiBefore = FreeGdiSlots();
    const int handlesBefore = OpenHandleCount();
    const int threadsBefore = ThreadCount();
    for (int i = 0; i < 4; ++i) Prompt(cancel, 32, L"p", nullptr, L"d", 0, (i % 2) * 100);
    const int gdiAfter = FreeGdiSlots();
    // On a busy machine one run in many counted one handle more here; waiting
    // a little lets a handle that is only on its way out go, a leak stays.
    int handlesAfter = OpenHandleCount();
    for (int i = 0; i < 20 && handlesAfter > handlesBefore; ++i) {
        Sleep(50);
        handlesAfter = OpenHandleCount();
    }
    const int threadsAfter = ThreadCount();
    EXPECT_EQ(gdiAfter, gdiBefore);
    EXPECT_EQ(handlesAfter, handlesBefore);
    EXPECT_EQ(threadsAfter, threadsBefore);
    CloseGraphWindow();
}

// --- the parent window and what the screen shows ----------------------------------

TEST(InputBox, GraphicsWindowIsDisabledKeepsRefreshingAndComesBack) {
    HWND window = OpenGraphWindow(300, 200);
    bool enabledMeanwhile = true, refreshed = false;
    Prompt([&](HWND) {
        enabledMeanwhile = IsWindowEnabled(window) != FALSE;
        // Change the back buffer directly: only the window thread's periodic
        // copy can bring it to the window.
        DWORD* pixels = GetSurfacePixels(nullptr);
        for (int y = 10; y < 30; ++y)
            for (int x = 10; x < 30; ++x) pixels[y * 300 + x] = 0xFF0000;
        refreshed = WaitUntil([&] { return CaptureWindowDc(window).At(20, 20) == 0xFF0000; });
        Press(VK_ESCAPE);
    });
    EXPECT_FALSE(enabledMeanwhile);
    EXPECT_TRUE(refreshed);
    EXPECT_TRUE(IsWindowEnabled(window));
    EXPECT_EQ(GetForegroundWindow(), window);
    CloseGraphWindow();
}

// Ink of a capture: 1 where a pixel differs from the background, cut to the
// ink's bounding box.
std::vector<std::string> Ink(const ScreenCapture& c, int left, int top, int right,
                             int bottom, DWORD background) {
    int x0 = right, x1 = left - 1, y0 = bottom, y1 = top - 1;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (c.At(x, y) != background) {
                x0 = std::min(x0, x), x1 = std::max(x1, x);
                y0 = std::min(y0, y), y1 = std::max(y1, y);
            }
    std::vector<std::string> rows;
    for (int y = y0; y <= y1; ++y) {
        std::string row;
        for (int x = x0; x <= x1; ++x) row += c.At(x, y) != background ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

// The text drawn with raw GDI in the dialog's font, black on white.
ScreenCapture Reference(const wchar_t* text, int width, int height) {
    GdiTwin twin(width, height);
    twin.Fill(0xFFFFFF);
    HFONT font = CreateDialogFont();
    HGDIOBJ old = SelectObject(twin.Dc(), font);
    SetTextColor(twin.Dc(), 0);
    SetBkMode(twin.Dc(), TRANSPARENT);
    RECT rect = {0, 0, width, height};
    DrawTextW(twin.Dc(), text, -1, &rect, DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(twin.Dc(), old);
    DeleteObject(font);
    GdiFlush();
    ScreenCapture capture;
    capture.width = width;
    capture.height = height;
    capture.pixels.assign(twin.Pixels(), twin.Pixels() + width * height);
    return capture;
}

TEST(InputBox, PromptAndButtonTextsShowRealGlyphs) {
    OpenGraphWindow(400, 300);
    const wchar_t* prompt = L"\u8BF7\u8F93\u5165\u540D\u5B57";  // "请输入名字"
    ScreenCapture label, ok, cancel;
    Prompt(
        [&](HWND dialog) {
            // Painted now, on the dialog's own thread, before this returns.
            RedrawWindow(dialog, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            label = CaptureClientArea(GetDlgItem(dialog, kPromptId));
            ok = CaptureClientArea(GetDlgItem(dialog, IDOK));
            cancel = CaptureClientArea(GetDlgItem(dialog, IDCANCEL));
            Press(VK_ESCAPE);
        },
        32, prompt);
    ASSERT_EQ(ok.width, 60);
    const DWORD face = GetSysColor(COLOR_BTNFACE);
    const DWORD facePixel = ((face & 0xFF) << 16) | (face & 0xFF00) | ((face >> 16) & 0xFF);
    const ScreenCapture okText = Reference(L"\u786E\u5B9A", 60, 21);
    const ScreenCapture cancelText = Reference(L"\u53D6\u6D88", 60, 21);
    const ScreenCapture promptText = Reference(prompt, label.width, label.height);
    // Inside the buttons' borders only the caption differs from the face.
    EXPECT_EQ(Ink(ok, 4, 4, 56, 17, facePixel), Ink(okText, 0, 0, 60, 21, 0xFFFFFF));
    EXPECT_EQ(Ink(cancel, 4, 4, 56, 17, facePixel), Ink(cancelText, 0, 0, 60, 21, 0xFFFFFF));
    const DWORD labelBackground = label.At(label.width - 1, label.height - 1);
    EXPECT_EQ(Ink(label, 0, 0, label.width, label.height, labelBackground),
              Ink(promptText, 0, 0, label.width, label.height, 0xFFFFFF));
    // Real glyphs, not one box for every character: drawn alone, each
    // character of the three texts leaves ink of its own.
    std::vector<std::vector<std::string>> inks;
    for (const wchar_t* text : {L"\u786E\u5B9A", L"\u53D6\u6D88", prompt})
        for (; *text; ++text) {
            const wchar_t one[2] = {*text, 0};
            inks.push_back(Ink(Reference(one, 30, 21), 0, 0, 30, 21, 0xFFFFFF));
            EXPECT_FALSE(inks.back().empty());
        }
    for (size_t i = 0; i < inks.size(); ++i)
        for (size_t j = i + 1; j < inks.size(); ++j) EXPECT_NE(inks[i], inks[j]) << i << ", " << j;
    CloseGraphWindow();
}

}  // namespace
