// The input dialog's buttons in the user's language, and its UTF-8 forms.
// A second thread reads the dialog and confirms it with OK.
#include <kanvo.h>

#include <gtest/gtest.h>

#include "program_driver.h"
#include "user_input.h"
#include "input/input_dialog.h"

#include <string>
#include <thread>

namespace {

using namespace KanvoTest;
using Kanvo::g_interfaceLanguage;
using Kanvo::InterfaceLanguageQuery;

LANGID WINAPI Chinese() {
    return MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
}
LANGID WINAPI English() {
    return MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
}

std::wstring ControlText(HWND dialog, int id) {
    wchar_t text[32] = {};
    GetWindowTextW(GetDlgItem(dialog, id), text, 32);
    return text;
}

struct Captions {
    std::wstring ok;
    std::wstring cancel;
};

// Runs `prompt` on this thread while another waits for the dialog to show
// (its controls exist by then), notes its button captions and presses OK.
template <typename Prompt>
Captions CaptionsWhile(Prompt prompt) {
    Captions seen;
    std::thread user([&] {
        HWND dialog = nullptr;
        if (!WaitUntil([&] {
                return !!(dialog = FindVisibleWindow(GetCurrentProcessId(), L"Kanvo_InputBox"));
            }))
            return;
        seen.ok = ControlText(dialog, IDOK);
        seen.cancel = ControlText(dialog, IDCANCEL);
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
    prompt();
    user.join();
    return seen;
}

Captions CaptionsIn(LANGID(WINAPI* language)()) {
    const InterfaceLanguageQuery saved = g_interfaceLanguage;
    g_interfaceLanguage = language;
    wchar_t buffer[8] = {};
    const Captions seen = CaptionsWhile([&] { PromptForText(buffer, 8, L"?"); });
    g_interfaceLanguage = saved;
    return seen;
}

TEST(InputBoxLanguage, ChineseUserSeesChineseButtons) {
    const Captions seen = CaptionsIn(Chinese);
    EXPECT_EQ(seen.ok, L"\u786E\u5B9A");
    EXPECT_EQ(seen.cancel, L"\u53D6\u6D88");
}

TEST(InputBoxLanguage, OtherUserSeesOkAndCancel) {
    const Captions seen = CaptionsIn(English);
    EXPECT_EQ(seen.ok, L"OK");
    EXPECT_EQ(seen.cancel, L"Cancel");
}

// The narrow form confirmed at once: its result and what it left in a
// buffer of `size` bytes that held '#' before.
std::string NarrowAnswer(const char* defaultText, int size, bool* confirmed) {
    std::string buffer(static_cast<size_t>(size) + 4, '#');
    CaptionsWhile([&] { *confirmed = PromptForText(&buffer[0], size, "?", "T", defaultText); });
    return buffer;
}

TEST(InputBoxUtf8, ConfirmedTextComesBackAsUtf8) {
    bool confirmed = false;
    const std::string buffer = NarrowAnswer("Grüße, 世界", 32, &confirmed);
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(std::string(buffer.c_str()), "Grüße, 世界");
}

TEST(InputBoxUtf8, LongTextIsCutBetweenCharacters) {
    bool confirmed = false;
    // "aü" needs 3 bytes and the zero a fourth: only "a" fits in 3.
    const std::string buffer = NarrowAnswer("aü", 3, &confirmed);
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(std::string(buffer.c_str()), "a");
    EXPECT_EQ(buffer.substr(3), "####");  // nothing written past the buffer
}

}  // namespace
