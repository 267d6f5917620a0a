// The close box ends a program that is drawing into a global image in a
// tight loop: cleanly every time, its buffered output written, exit code 0.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "program_driver.h"

namespace {

using namespace KanvoTest;

// KANVO_CLOSE_BOX_RUNS in the environment asks for more runs than the
// default, for a longer soak than CI affords.
int Runs() {
    const char* runs = std::getenv("KANVO_CLOSE_BOX_RUNS");
    return runs ? std::atoi(runs) : 5;
}

TEST(CloseBox, EndsAProgramDrawingIntoAGlobalImageWithItsOutputWritten) {
    for (int run = 0; run < Runs(); ++run) {
        SCOPED_TRACE(run);
        const std::wstring output = ProgramDirectory() + L"draw_until_closed_" +
                                    std::to_wstring(GetCurrentProcessId()) + L"_" +
                                    std::to_wstring(run) + L".txt";
        ProgramDriver program;
        program.SendOutputTo(output);
        ASSERT_TRUE(program.Start(L"\"" + ProgramDirectory() + L"draw_until_closed.exe\""));
        ASSERT_NE(program.WaitForWindow(), nullptr);
        Sleep(100);  // well into its drawing loop
        ASSERT_TRUE(program.PressCloseBox());
        EXPECT_EQ(program.WaitForExit(15000), 0u);
        EXPECT_EQ(FileText(output), "drawing\n");
        DeleteFileW(output.c_str());
    }
}

}  // namespace
