// The text input dialog, driven from a second thread the way a user drives
// it: find the dialog, type into it and press keys with the keyboard, read
// its buttons, while the program thread sits in PromptForText.
#include "image_checks.h"
#include "input/input_dialog.h"
#include "user_input.h"

#include <thread>

namespace {

using namespace KanvoTest;
using Kanvo::g_interfaceLanguage;
using Kanvo::InterfaceLanguageQuery;
using Act = std::function<void(HWND dialog)>;

constexpr int kEditId = 0x404;

HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

// Runs `ask` (a PromptForText call) on this thread while `act` plays the
// user on another, once the dialog is ready for one: in front, the edit box
// focused, the graphics window disabled. Returns a note when the dialog never
// got ready or the act left it open (it is then closed, so that a failing
// test does not hang), otherwise "".
std::wstring WhileOpen(const std::function<void()>& ask, const Act& act) {
    std::wstring notes;
    std::thread user([&] {
        HWND d = nullptr;
        const auto found = [&] {
            return (d = FindVisibleWindow(GetCurrentProcessId(), L"Kanvo_InputBox")) != nullptr;
        };
        if (!WaitUntil(found, 10000)) return;
        const bool ready = WaitUntil([&] {
            return GetForegroundWindow() == d && FocusOf(d) == GetDlgItem(d, kEditId) &&
                   !IsWindowEnabled(GetWindowHandle());
        });
        if (!ready) notes += L"not ready; ";
        act(d);
        if (WaitUntil([&] { return !IsWindow(d); })) return;
        notes += L"left open; ";
        PostMessageW(d, WM_CLOSE, 0, 0);
    });
    ask();
    user.join();
    return notes;
}

// The wide dialog with the default text "def" in a buffer of '#'s: any notes,
// then "OK " or "no " and the buffer.
std::wstring Prompt(const Act& act, int bufferSize = 32) {
    std::vector<wchar_t> buffer(static_cast<size_t>(bufferSize) + 8, L'#');
    buffer.back() = 0;
    bool ok = false;
    const std::wstring notes = WhileOpen(
        [&] { ok = PromptForText(buffer.data(), bufferSize, L"Name", L"Ask", L"def"); }, act);
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

void PressCloseBox(HWND dialog) {
    PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
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

TEST(InputBox, EscapeOrTheCloseBoxLeavesTheBufferUntouched) {
    OpenParent();
    const std::wstring untouched = L"no " + std::wstring(32 + 7, L'#');
    EXPECT_EQ(Prompt(Cancel), untouched);
    EXPECT_EQ(Prompt(PressCloseBox), untouched);
}

// The box itself shows no more than the buffer takes back.
TEST(InputBox, TextBeyondBufferSizeMinusOneIsRefused) {
    OpenParent();
    std::wstring shown;
    const std::wstring result = Prompt(
        [&](HWND d) {
            Type(L"abcdef");
            // Keys are handled in order: once the focus moved, so were the letters.
            Press(VK_TAB);
            WaitUntil([&] { return FocusOf(d) != GetDlgItem(d, kEditId); }, 2000);
            shown = WindowTitle(GetDlgItem(d, kEditId));
            Press(VK_RETURN);
        },
        4);
    EXPECT_EQ(result, L"OK abc");
    EXPECT_EQ(shown, L"abc");
}

TEST(InputBox, BadBuffersReturnFalseAtOnce) {
    wchar_t buffer[8] = L"keep";
    EXPECT_FALSE(PromptForText(nullptr, 8, L"p"));
    EXPECT_FALSE(PromptForText(buffer, 0, L"p"));
    EXPECT_STREQ(buffer, L"keep");
}

// The UTF-8 form confirmed at once: characters of 1, 2, 3 and 4 bytes (the
// last a surrogate pair in UTF-16), then "b". With the zero that makes 12
// bytes, so a buffer of 11 takes back all but the "b", and nothing past it
// is written.
TEST(InputBox, TheUtf8FormCutsLongTextBetweenCharacters) {
    OpenParent();
    const std::string kept = "a\xC3\xBC\xE4\xB8\xAD\xF0\x9F\x98\x80";
    std::string buffer(16, '#');
    bool confirmed = false;
    const std::wstring notes = WhileOpen(
        [&] { confirmed = PromptForText(&buffer[0], 11, "?", "T", (kept + "b").c_str()); },
        [](HWND) { Press(VK_RETURN); });
    EXPECT_EQ(notes, L"");
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(std::string(buffer.c_str()), kept);
    EXPECT_EQ(buffer.substr(11), "#####");
}

struct Captions {
    std::wstring ok;
    std::wstring cancel;
};

// The button captions that a user whose interface speaks `language` sees.
Captions CaptionsIn(LANGID(WINAPI* language)()) {
    const InterfaceLanguageQuery saved = g_interfaceLanguage;
    g_interfaceLanguage = language;
    Captions seen;
    wchar_t buffer[8] = {};
    WhileOpen([&] { PromptForText(buffer, 8, L"?"); },
              [&](HWND d) {
                  seen.ok = WindowTitle(GetDlgItem(d, IDOK));
                  seen.cancel = WindowTitle(GetDlgItem(d, IDCANCEL));
                  Press(VK_ESCAPE);
              });
    g_interfaceLanguage = saved;
    return seen;
}

LANGID WINAPI Chinese() {
    return MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
}
LANGID WINAPI English() {
    return MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
}

TEST(InputBox, TheButtonsSpeakTheUsersLanguage) {
    OpenParent();
    const Captions chinese = CaptionsIn(Chinese);
    const Captions english = CaptionsIn(English);
    EXPECT_EQ(chinese.ok, L"\u786E\u5B9A");
    EXPECT_EQ(chinese.cancel, L"\u53D6\u6D88");
    EXPECT_EQ(english.ok, L"OK");
    EXPECT_EQ(english.cancel, L"Cancel");
}

// The first dialog may set up lasting system state (the class, the
// controls' own caches). What a dialog itself makes are GDI objects (its font
// and a context that measures the prompt); the kernel handles and threads
// that come and go meanwhile are the system's (it starts one now and then
// and keeps it).
TEST(InputBox, RepeatedDialogsLeaveNoGdiObject) {
    OpenParent();
    Prompt(Cancel);
    const int before = SettledCounts().first;
    Prompt(Cancel);
    Prompt(Cancel);
    const int after = SettledCounts().first;
    EXPECT_GE(after, before);  // free GDI slots
}

}  // namespace
