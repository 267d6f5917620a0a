// The text input dialog, driven from a second thread the way a user drives
// it: find the dialog, type into it with the keyboard, press keys and click
// buttons with the mouse, while the program thread sits in PromptForText.
#include <kanvo.h>

#include <gtest/gtest.h>

#include "program_driver.h"
#include "resource_counts.h"
#include "user_input.h"

#include <algorithm>
#include <climits>
#include <thread>

namespace {

using namespace KanvoTest;
using Act = std::function<void(HWND dialog)>;

constexpr int kEditId = 0x404;
constexpr int kPromptId = 0x408;
// What Prompt returns when its buffer is left as it was given.
const std::wstring kCancelled = L"no " + std::wstring(32 + 7, L'#');

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

struct PromptArguments {
    int bufferSize = 32;
    const wchar_t* prompt = L"Name";
    const wchar_t* title = L"Ask";
    int width = 0;
    int height = 0;
    bool okOnly = false;
};

// PromptForText on this thread while `act` plays the user on another, once
// the dialog is ready for one: in front, the edit box focused, the graphics
// window disabled. Returns "OK " or "no " and the buffer, after a note when
// the dialog never got ready or the act left it open (it is then closed, so
// that a failing test does not hang).
std::wstring Prompt(const Act& act, const PromptArguments& arguments = {}) {
    std::vector<wchar_t> buffer(static_cast<size_t>(arguments.bufferSize) + 8, L'#');
    buffer.back() = 0;
    std::wstring notes;
    std::thread user([&] {
        HWND d = nullptr;
        if (!WaitUntil([&] { return (d = FindDialog()) != nullptr; }, 10000)) return;
        const bool ready = WaitUntil([&] {
            return GetForegroundWindow() == d && FocusOf(d) == Edit(d) &&
                   !IsWindowEnabled(GetWindowHandle());
        });
        if (!ready) notes += L"not ready; ";
        act(d);
        if (WaitUntil([&] { return !IsWindow(d); })) return;
        notes += L"left open; ";
        PostMessageW(d, WM_CLOSE, 0, 0);
    });
    const bool ok =
        PromptForText(buffer.data(), arguments.bufferSize, arguments.prompt, arguments.title,
                      L"def", arguments.width, arguments.height, arguments.okOnly);
    user.join();
    return notes + (ok ? L"OK " : L"no ") + buffer.data();
}

// A graphics window in front of which the dialogs open: wider than a dialog,
// so that all of it is on the screen.
HWND OpenParent() {
    return OpenGraphWindow(400, 300);
}

// After a dialog the graphics window is enabled and in front again (the
// window thread may take the activation a moment later).
bool ParentIsBack(HWND window) {
    return WaitUntil([&] { return IsWindowEnabled(window) && GetForegroundWindow() == window; },
                     1000);
}

// --- sizes and layout ---------------------------------------------------------

RECT ClientBoxOnScreen(HWND dialog) {
    RECT r = {};
    GetClientRect(dialog, &r);
    MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT ControlBox(HWND dialog, int id) {
    RECT r = {};
    GetWindowRect(GetDlgItem(dialog, id), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Left, top, width, height.
std::vector<LONG> Box(const RECT& r) {
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

TEST(InputBox, SizeAndLayoutFollowTheAskedSizeAndCentreOnTheWindow) {
    RECT parent = {};
    GetWindowRect(OpenParent(), &parent);
    const LONG maxWidth = GetSystemMetrics(SM_CXMAXTRACK);
    const LONG maxHeight = GetSystemMetrics(SM_CYMAXTRACK);
    // Asked width and height; client width and height, multi-line. Sizes
    // beyond the largest window are cut to it.
    const struct {
        int width, height;
        LONG clientWidth, clientHeight;
        bool multiLine;
    } cases[] = {{0, 0, 357, 93, false},
                 {150, 50, 200, 93, true},
                 {-7, 200, 200, 200, true},
                 {500, 0, 500, 93, false},
                 {INT_MAX, INT_MAX, maxWidth, maxHeight, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "width " << c.width << ", height " << c.height);
        const LONG w = c.clientWidth;
        const LONG h = c.clientHeight;
        const LONG left = parent.left + (parent.right - w - parent.left) / 2;
        const LONG top = parent.top + (parent.bottom - h - parent.top) / 2;
        PromptArguments arguments;
        arguments.width = c.width;
        arguments.height = c.height;
        EXPECT_EQ(
            Prompt(
                [&](HWND d) {
                    EXPECT_EQ(Box(ClientBoxOnScreen(d)), (std::vector<LONG>{left, top, w, h}));
                    EXPECT_EQ(Box(ControlBox(d, kPromptId)),
                              (std::vector<LONG>{9, 10, w - 90, 45}));
                    EXPECT_EQ(Box(ControlBox(d, kEditId)),
                              (std::vector<LONG>{9, 65, w - 18, h - 75}));
                    EXPECT_EQ(Box(ControlBox(d, IDOK)), (std::vector<LONG>{w - 69, 10, 60, 21}));
                    EXPECT_EQ(Box(ControlBox(d, IDCANCEL)),
                              (std::vector<LONG>{w - 69, 34, 60, 21}));
                    const bool multiLine = (GetWindowLongW(Edit(d), GWL_STYLE) & ES_MULTILINE) != 0;
                    EXPECT_EQ(multiLine, c.multiLine);
                    Press(VK_ESCAPE);
                },
                arguments),
            kCancelled);
    }
}

// --- keys, buttons and the graphics window --------------------------------------

TEST(InputBox, EnterConfirmsTheTypedTextWhichReplacesTheDefault) {
    const HWND window = OpenParent();
    EXPECT_EQ(Prompt([](HWND) {
                  Type(L"abc");
                  Press(VK_RETURN);
              }),
              L"OK abc");
    EXPECT_TRUE(ParentIsBack(window));
}

// Changed directly in the back buffer, only the window thread's periodic
// copy shows the change.
TEST(InputBox, TheGraphicsWindowKeepsRefreshingMeanwhile) {
    const HWND window = OpenParent();
    bool refreshed = false;
    Prompt([&](HWND) {
        for (int y = 10; y < 30; ++y)
            std::fill_n(GetSurfacePixels(nullptr) + y * 400 + 10, 20, 0xFF0000);
        refreshed = WaitUntil([&] { return CaptureWindowDc(window).At(20, 20) == 0xFF0000; });
        Press(VK_ESCAPE);
    });
    EXPECT_TRUE(refreshed);
}

TEST(InputBox, InAMultiLineBoxEnterAddsALineAndCtrlEnterConfirms) {
    OpenParent();
    PromptArguments arguments;
    arguments.height = 120;
    EXPECT_EQ(Prompt(
                  [](HWND) {
                      Type(L"ab");
                      Press(VK_RETURN);
                      Type(L"cd");
                      Press(VK_RETURN, VK_CONTROL);
                  },
                  arguments),
              L"OK ab\r\ncd");
}

TEST(InputBox, EscapeTheCloseBoxAndCancelLeaveTheBufferUntouched) {
    const HWND window = OpenParent();
    EXPECT_EQ(Prompt([](HWND) { Press(VK_ESCAPE); }), kCancelled);
    EXPECT_EQ(Prompt([](HWND d) { PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); }), kCancelled);
    EXPECT_EQ(Prompt([](HWND d) { Click(GetDlgItem(d, IDCANCEL)); }), kCancelled);
    EXPECT_TRUE(ParentIsBack(window));
}

TEST(InputBox, TabGoesRoundTheControlsAndOkTakesTheDefaultText) {
    OpenParent();
    std::wstring order;
    EXPECT_EQ(Prompt([&](HWND d) {
                  order = TabOrder(d, 3);
                  Click(GetDlgItem(d, IDOK));
              }),
              L"OK def");
    EXPECT_EQ(order, L" 1 2 1028");
}

// No Cancel, no close box (no system menu), and Esc does nothing: the "q"
// typed after it lands in the box.
TEST(InputBox, TheOkOnlyFormCannotBeCancelled) {
    OpenParent();
    PromptArguments arguments;
    arguments.okOnly = true;
    bool hasCancel = true;
    bool hasSystemMenu = true;
    std::wstring order;
    EXPECT_EQ(Prompt(
                  [&](HWND d) {
                      hasCancel = GetDlgItem(d, IDCANCEL) != nullptr;
                      hasSystemMenu = (GetWindowLongW(d, GWL_STYLE) & WS_SYSMENU) != 0;
                      order = TabOrder(d, 2);
                      Press(VK_ESCAPE);
                      Type(L"q");
                      Click(GetDlgItem(d, IDOK));
                  },
                  arguments),
              L"OK q");
    EXPECT_FALSE(hasCancel);
    EXPECT_FALSE(hasSystemMenu);
    EXPECT_EQ(order, L" 1 1028");
}

// Input is taken in order: once the Tab has moved the focus, every letter
// was handled. A buffer of 1 holds only the terminator.
TEST(InputBox, TextBeyondBufferSizeMinusOneIsRefused) {
    OpenParent();
    for (int size : {4, 1}) {
        std::wstring shown;
        PromptArguments arguments;
        arguments.bufferSize = size;
        const std::wstring result = Prompt(
            [&](HWND d) {
                Type(L"abcdef");
                TabOrder(d, 1);
                shown = WindowTitle(Edit(d));
                Press(VK_RETURN);
            },
            arguments);
        EXPECT_EQ(result, size == 4 ? L"OK abc" : L"OK ");
        EXPECT_EQ(shown, size == 4 ? L"abc" : L"def");
    }
}

// --- the dialog's font ------------------------------------------------------------

// The font a control draws its text with.
LOGFONTW FontOf(HWND control) {
    LOGFONTW font = {};
    const auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    GetObjectW(handle, sizeof font, &font);
    return font;
}

TEST(InputBox, EveryControlTalksInArialFourteenPixelsHigh) {
    OpenParent();
    Prompt([](HWND d) {
        for (int id : {kPromptId, kEditId, IDOK, IDCANCEL}) {
            const LOGFONTW font = FontOf(GetDlgItem(d, id));
            EXPECT_EQ(font.lfHeight, 14) << id;
            EXPECT_STREQ(font.lfFaceName, L"Arial") << id;
        }
        Press(VK_ESCAPE);
    });
}

// --- bad input, failures and resources ---------------------------------------------

TEST(InputBox, BadBuffersReturnFalseAtOnce) {
    wchar_t buffer[8] = L"keep";
    EXPECT_FALSE(PromptForText(nullptr, 8, L"p"));
    EXPECT_FALSE(PromptForText(buffer, 0, L"p"));
    EXPECT_FALSE(PromptForText(buffer, -5, L"p"));
    EXPECT_STREQ(buffer, L"keep");
}

// A hook (a named CALLBACK: 32-bit builds take no lambda for one) that
// refuses the creation of every window of this thread.
LRESULT CALLBACK RefuseEveryWindow(int code, WPARAM wParam, LPARAM lParam) {
    return code == HCBT_CREATEWND ? 1 : CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(InputBox, ADialogThatCannotBeCreatedFreesItsFontAndLeavesNoQuitRequest) {
    const HWND window = OpenParent();
    wchar_t buffer[8] = L"keep";
    HHOOK hook = SetWindowsHookExW(WH_CBT, RefuseEveryWindow, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    PromptForText(buffer, 8);  // the first use registers the class
    const int gdiBefore = FreeGdiSlots();
    const bool shown = PromptForText(buffer, 8, L"p");
    const int gdiAfter = FreeGdiSlots();
    UnhookWindowsHookEx(hook);
    MSG quit = {};
    EXPECT_FALSE(shown);
    EXPECT_EQ(gdiAfter, gdiBefore);
    EXPECT_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_TRUE(IsWindowEnabled(window));
}

TEST(InputBox, AQuitRequestEndsTheDialogAndIsHandedOn) {
    const HWND window = OpenParent();
    wchar_t buffer[8] = L"keep";
    PostQuitMessage(7);
    EXPECT_FALSE(PromptForText(buffer, 8, L"p"));
    MSG quit = {};
    ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 7u);
    EXPECT_STREQ(buffer, L"keep");
    EXPECT_EQ(FindDialog(), nullptr);
    EXPECT_TRUE(IsWindowEnabled(window));
}

TEST(InputBox, ASecondDialogWhileOneIsOpenReturnsFalseAtOnce) {
    OpenParent();
    wchar_t other[8] = L"other";
    bool second = true;
    Prompt([&](HWND) {
        second = PromptForText(other, 8, L"p");
        Press(VK_ESCAPE);
    });
    EXPECT_FALSE(second);
    EXPECT_STREQ(other, L"other");
}

TEST(InputBox, ANullTitleTakesTheParentsCaption) {
    OpenParent();
    std::wstring title;
    PromptArguments arguments;
    arguments.title = nullptr;
    Prompt(
        [&](HWND d) {
            title = WindowTitle(d);
            Press(VK_ESCAPE);
        },
        arguments);
    EXPECT_EQ(title, L"test_input_box");
}

// The first single-line and multi-line dialogs may set up lasting system
// state (the class, the controls' own caches).
TEST(InputBox, RepeatedDialogsLeaveNoGdiObjectHandleOrThread) {
    OpenParent();
    const Act cancel = [](HWND) {
        Press(VK_ESCAPE);
    };
    PromptArguments singleLine;
    PromptArguments multiLine;
    multiLine.height = 100;
    Prompt(cancel, singleLine);
    Prompt(cancel, multiLine);
    const int gdiBefore = FreeGdiSlots();
    const int handlesBefore = OpenHandleCount();
    const int threadsBefore = ThreadCount();
    for (int i = 0; i < 2; ++i) {
        Prompt(cancel, singleLine);
        Prompt(cancel, multiLine);
    }
    const int gdiAfter = FreeGdiSlots();
    const int threadsAfter = ThreadCount();
    // A handle only on its way out may still be counted a moment; a leak stays.
    int handlesAfter = 0;
    WaitUntil([&] { return (handlesAfter = OpenHandleCount()) <= handlesBefore; }, 3000);
    EXPECT_EQ(gdiAfter, gdiBefore);
    EXPECT_EQ(handlesAfter, handlesBefore);
    EXPECT_EQ(threadsAfter, threadsBefore);
}

}  // namespace
