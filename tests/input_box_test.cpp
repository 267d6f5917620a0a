// The text input dialog, driven from a second thread the way a user drives
// it: find the dialog, type into it with the keyboard, press keys and click
// buttons with the mouse, while the program thread sits in PromptForText.
#include "image_checks.h"
#include "user_input.h"

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

HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

// Presses Tab `count` times: the identifiers of the controls that have the
// focus after each.
std::vector<int> TabOrder(HWND dialog, int count) {
    std::vector<int> order;
    for (int i = 0; i < count; ++i) {
        const HWND before = FocusOf(dialog);
        Press(VK_TAB);
        WaitUntil([&] { return FocusOf(dialog) != before; }, 2000);
        order.push_back(GetDlgCtrlID(FocusOf(dialog)));
    }
    return order;
}

struct PromptArguments {
    int bufferSize = 32;
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
        const auto found = [&] {
            return (d = FindVisibleWindow(GetCurrentProcessId(), L"Kanvo_InputBox")) != nullptr;
        };
        if (!WaitUntil(found, 10000)) return;
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
    const bool ok = PromptForText(buffer.data(), arguments.bufferSize, L"Name", L"Ask", L"def",
                                  arguments.width, arguments.height, arguments.okOnly);
    user.join();
    return notes + (ok ? L"OK " : L"no ") + buffer.data();
}

// A graphics window in front of which the dialogs open: wider than a dialog,
// so that all of it is on the screen.
HWND OpenParent() {
    return OpenGraphWindow(400, 300);
}

void Cancel(HWND) {
    Press(VK_ESCAPE);
}

// Left, top, width and height on the screen of the client area of a dialog
// asked for at `width` x `height`.
std::vector<LONG> ClientBoxOfADialog(int width, int height) {
    RECT r = {};
    PromptArguments arguments;
    arguments.width = width;
    arguments.height = height;
    Prompt(
        [&](HWND d) {
            GetClientRect(d, &r);
            MapWindowPoints(d, nullptr, reinterpret_cast<POINT*>(&r), 2);
            Press(VK_ESCAPE);
        },
        arguments);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// A box of `width` x `height` centred on `outer`.
std::vector<LONG> Centred(const RECT& outer, LONG width, LONG height) {
    return {(outer.left + outer.right - width) / 2, (outer.top + outer.bottom - height) / 2, width,
            height};
}

// Nothing asked, and sizes beyond the largest window, which are cut to it.
TEST(InputBox, TheAskedSizeIsKeptWithinLimitsAndCentredOnTheWindow) {
    RECT parent = {};
    GetWindowRect(OpenParent(), &parent);
    const LONG maxWidth = GetSystemMetrics(SM_CXMAXTRACK);
    const LONG maxHeight = GetSystemMetrics(SM_CYMAXTRACK);
    EXPECT_EQ(ClientBoxOfADialog(0, 0), Centred(parent, 357, 93));
    EXPECT_EQ(ClientBoxOfADialog(INT_MAX, INT_MAX), Centred(parent, maxWidth, maxHeight));
}

TEST(InputBox, EnterConfirmsTheTypedTextWhichReplacesTheDefault) {
    const HWND window = OpenParent();
    EXPECT_EQ(Prompt([](HWND) {
                  Type(L"abc");
                  Press(VK_RETURN);
              }),
              L"OK abc");
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }, 1000));
    EXPECT_TRUE(IsWindowEnabled(window));
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

// The Cancel button and the close box end the dialog the same way.
TEST(InputBox, EscapeLeavesTheBufferUntouched) {
    const HWND window = OpenParent();
    EXPECT_EQ(Prompt(Cancel), kCancelled);
    EXPECT_TRUE(IsWindowEnabled(window));
}

TEST(InputBox, TabGoesRoundTheControls) {
    OpenParent();
    std::vector<int> order;
    Prompt([&](HWND d) {
        order = TabOrder(d, 3);
        Press(VK_ESCAPE);
    });
    EXPECT_EQ(order, (std::vector<int>{IDOK, IDCANCEL, kEditId}));
}

// No Cancel button, and Esc does nothing: the "q"
// typed after it lands in the box.
TEST(InputBox, TheOkOnlyFormCannotBeCancelled) {
    OpenParent();
    PromptArguments arguments;
    arguments.okOnly = true;
    bool hasCancel = true;
    EXPECT_EQ(Prompt(
                  [&](HWND d) {
                      hasCancel = GetDlgItem(d, IDCANCEL) != nullptr;
                      Press(VK_ESCAPE);
                      Type(L"q");
                      Click(GetDlgItem(d, IDOK));
                  },
                  arguments),
              L"OK q");
    EXPECT_FALSE(hasCancel);
}

// A buffer of 1 holds only the terminator, so nothing can be typed.
TEST(InputBox, TextBeyondBufferSizeMinusOneIsRefused) {
    OpenParent();
    for (int size : {4, 1}) {
        std::wstring shown;
        PromptArguments arguments;
        arguments.bufferSize = size;
        const std::wstring result = Prompt(
            [&](HWND d) {
                Type(L"abcdef");
                TabOrder(d, 1);  // keys are handled in order: then so were the letters
                shown = WindowTitle(Edit(d));
                Press(VK_RETURN);
            },
            arguments);
        EXPECT_EQ(result, size == 4 ? L"OK abc" : L"OK ");
        EXPECT_EQ(shown, size == 4 ? L"abc" : L"def");
    }
}

TEST(InputBox, EveryControlTalksInArialFourteenPixelsHigh) {
    OpenParent();
    Prompt([](HWND d) {
        for (int id : {kPromptId, kEditId, IDOK, IDCANCEL}) {
            LOGFONTW font = {};
            const LRESULT handle = SendMessageW(GetDlgItem(d, id), WM_GETFONT, 0, 0);
            GetObjectW(reinterpret_cast<HFONT>(handle), sizeof font, &font);
            EXPECT_EQ(font.lfHeight, 14) << id;
            EXPECT_STREQ(font.lfFaceName, L"Arial") << id;
        }
        Press(VK_ESCAPE);
    });
}

TEST(InputBox, BadBuffersReturnFalseAtOnce) {
    wchar_t buffer[8] = L"keep";
    EXPECT_FALSE(PromptForText(nullptr, 8, L"p"));
    EXPECT_FALSE(PromptForText(buffer, 0, L"p"));
    EXPECT_STREQ(buffer, L"keep");
}

// The first single-line and multi-line dialogs may set up lasting system
// state (the class, the controls' own caches).
TEST(InputBox, RepeatedDialogsLeaveNoGdiObjectHandleOrThread) {
    OpenParent();
    PromptArguments multiLine;
    multiLine.height = 100;
    Prompt(Cancel);
    Prompt(Cancel, multiLine);
    const std::pair<int, int> before = SettledCounts();
    const int threadsBefore = ThreadCount();
    for (int i = 0; i < 2; ++i) {
        Prompt(Cancel);
        Prompt(Cancel, multiLine);
    }
    EXPECT_EQ(SettledCounts(), before);
    EXPECT_EQ(ThreadCount(), threadsBefore);
}

}  // namespace
