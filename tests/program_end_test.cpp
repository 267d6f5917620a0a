// A program ends the way a user ends it: with a key typed into its console,
// or with its window's close box. Each case starts a real program.
#include <gtest/gtest.h>

#include "program_driver.h"

namespace {

using KanvoTest::ProgramDirectory;
using KanvoTest::ProgramDriver;

TEST(ProgramEnd, KeyInItsConsoleEndsItWithExitCodeZero) {
    ProgramDriver program;
    ASSERT_TRUE(program.Start(L"\"" + ProgramDirectory() + L"probe_until_key.exe\""));
    HWND window = program.WaitForWindow();
    ASSERT_NE(window, nullptr);
    wchar_t title[64] = {};
    GetWindowTextW(window, title, 64);
    EXPECT_STREQ(title, L"probe_until_key");
    Sleep(100);
    ASSERT_TRUE(program.TypeKeyInConsole(L'q'));
    EXPECT_EQ(program.WaitForExit(10000), 0u);
}

TEST(ProgramEnd, CloseBoxEndsItWithExitCodeZero) {
    ProgramDriver program;
    ASSERT_TRUE(program.Start(L"\"" + ProgramDirectory() + L"probe_close_box.exe\""));
    ASSERT_NE(program.WaitForWindow(), nullptr);
    Sleep(200);
    ASSERT_TRUE(program.PressCloseBox());
    EXPECT_EQ(program.WaitForExit(10000), 0u);
}

}  // namespace

namespace {

TEST(ProgramConsole, HiddenWhileTheWindowIsOpenAndBackWhereItWas) {
    ProgramDriver program;
    ASSERT_TRUE(program.Start(L"\"" + ProgramDirectory() + L"probe_console.exe\""));
    EXPECT_EQ(program.WaitForExit(15000), 0u);
}

TEST(ProgramConsole, CreatedOnRequestAndFreedAtClose) {
    ProgramDriver program;
    ASSERT_TRUE(program.Start(L"\"" + ProgramDirectory() + L"probe_new_console.exe\"", L"", false));
    EXPECT_EQ(program.WaitForExit(15000), 0u);
}

TEST(ProgramEnd, KeyPressedInTheWindowReachesTheConsole) {
    ProgramDriver program;
    ASSERT_TRUE(program.Start(L"\"" + ProgramDirectory() + L"probe_until_key.exe\""));
    HWND window = program.WaitForWindow();
    ASSERT_NE(window, nullptr);
    Sleep(100);
    PostMessageW(window, WM_KEYDOWN, 'Q', 0x00100001);
    PostMessageW(window, WM_KEYUP, 'Q', static_cast<LPARAM>(0xC0100001u));
    EXPECT_EQ(program.WaitForExit(10000), 0u);
}

}  // namespace
