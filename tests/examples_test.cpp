// Each example program run as a user runs it: its window must show what the
// program draws, checked in a few areas, and a key typed into its console
// ends it. Each capture is also saved beside the test program
// (example_pictures\<name>.png), the pictures the README shows.
#include <kanvo.h>

#include <gtest/gtest.h>

#include "program_driver.h"
#include "user_input.h"

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace KanvoTest;

// At least `atLeast` pixels of `color` in `area` of the window.
struct Probe {
    RECT area;
    COLORREF color;
    int atLeast;
};

int CountIn(const ScreenCapture& shown, const Probe& probe) {
    const DWORD value = ColorToPixel(probe.color);
    int count = 0;
    for (int y = probe.area.top; y < probe.area.bottom; ++y)
        for (int x = probe.area.left; x < probe.area.right; ++x) count += shown(x, y) == value;
    return count;
}

Probe Point(int x, int y, COLORREF color) {
    return {{x, y, x + 1, y + 1}, color, 1};
}

// An example: what the user does once its window is open (mouse messages,
// the input dialog confirmed), then what its window must show.
struct Example {
    const char* name;
    std::function<void(HWND window, DWORD processId)> act;
    std::vector<Probe> probes;
};

void NothingToDo(HWND, DWORD) {}

void DragAcrossMousePaint(HWND window, DWORD) {
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
    PostMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, 100));
    PostMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, 300));
    PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(300, 300));
    PostMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(500, 400));  // no ink without the button
}

void ConfirmTheDefaultName(HWND, DWORD processId) {
    HWND dialog = nullptr;
    WaitUntil([&] { return !!(dialog = FindVisibleWindow(processId, L"Kanvo_InputBox")); }, 10000);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kInk = RGB(200, 0, 0);
const COLORREF kFace = RGB(255, 220, 0);

const Example kExamples[] = {
    {"shapes",
     NothingToDo,
     {Point(320, 240, RGB(30, 60, 120)), Point(230, 400, ColorFromHSV(0, 1, 1)),
      Point(580, 400, ColorFromHSV(315, 1, 1))}},
    {"text",
     NothingToDo,
     {Point(630, 10, RGB(255, 255, 240)),
      {{20, 20, 400, 70}, RGB(20, 20, 20), 101},
      {{20, 180, 200, 215}, kInk, 51}}},
    {"mouse_paint",
     DragAcrossMousePaint,
     {Point(200, 100, kInk), Point(300, 200, kInk), Point(400, 350, kWhite)}},
    {"bouncing_balls",  // mostly dark between the balls
     NothingToDo,
     {Point(0, 0, kWhite), Point(639, 479, kWhite), {{1, 1, 639, 479}, kBlack, 640 * 480 / 2}}},
    {"fire",  // hot below, dark above, red rather than blue
     NothingToDo,
     {{{0, 199, 320, 200}, kWhite, 51},
      {{0, 0, 320, 20}, kBlack, 320 * 20},
      {{0, 100, 320, 200}, RGB(255, 0, 0), 1}}},
    {"sprites",  // a face, its eye, the background in its corner, and in the thumbnail
     NothingToDo,
     {Point(72, 172, kFace),
      Point(62, 144, kBlack),
      Point(41, 121, RGB(0, 150, 124)),
      {{476, 377, 481, 381}, kFace, 1}}},
    {"input_dialog",
     ConfirmTheDefaultName,
     {Point(470, 10, RGB(240, 240, 255)), {{20, 50, 460, 95}, RGB(0, 0, 160), 201}}},
};

class Examples : public testing::TestWithParam<Example> {};

// The window is captured until every probe holds, at most 10 s.
TEST_P(Examples, ShowWhatTheyDrawAndEndOnAKey) {
    const Example& example = GetParam();
    const std::wstring name(example.name, example.name + std::strlen(example.name));
    const std::wstring path = ProgramDirectory() + L"..\\examples\\" + name + L".exe";
    ProgramDriver program;
    ASSERT_TRUE(program.Start(L"\"" + path + L"\"", ProgramDirectory()));
    const HWND window = program.WaitForWindow();
    ASSERT_NE(window, nullptr);
    example.act(window, program.ProcessId());
    ScreenCapture shown;
    WaitUntil(
        [&] {
            shown = CaptureWindowDc(window);
            for (const Probe& probe : example.probes)
                if (CountIn(shown, probe) < probe.atLeast) return false;
            return true;
        },
        10000);
    CreateDirectoryW((ProgramDirectory() + L"example_pictures").c_str(), nullptr);
    SavePicture(shown, ProgramDirectory() + L"example_pictures\\" + name + L".png");
    for (const Probe& probe : example.probes)
        EXPECT_GE(CountIn(shown, probe), probe.atLeast)
            << "at " << probe.area.left << "," << probe.area.top;
    EXPECT_TRUE(program.TypeKeyInConsole(L'q'));
    EXPECT_EQ(program.WaitForExit(10000), 0u);
}

// Names the cases, and their parameter in gtest's messages.
std::string NameOf(const testing::TestParamInfo<Example>& info) {
    return info.param.name;
}
void PrintTo(const Example& example, std::ostream* out) {
    *out << example.name;
}

INSTANTIATE_TEST_SUITE_P(Each, Examples, testing::ValuesIn(kExamples), NameOf);

}  // namespace
