// Each example program run as a user runs it: its window must show what the
// program draws, checked at a few points, and a key typed into its console
// ends it. Each capture is also saved beside the test program
// (example_pictures\<name>.png), the pictures the README shows.
#include <kanvo.h>

#include <gtest/gtest.h>

#include "program_driver.h"
#include "user_input.h"

#include <functional>
#include <string>

namespace {

using namespace KanvoTest;
using Ready = std::function<bool(const ScreenCapture&)>;

DWORD PixelOf(COLORREF color) {
    return ColorToPixel(color);
}

// Runs one example until its window shows what `ready` accepts (at most 10 s)
// after `act` has played the user; then ends it with a key.
class ExampleRun {
public:
    explicit ExampleRun(const std::wstring& name) : name_(name) {
        const std::wstring path = ProgramDirectory() + L"..\\examples\\" + name + L".exe";
        if (driver_.Start(L"\"" + path + L"\"", ProgramDirectory()))
            window_ = driver_.WaitForWindow();
    }
    HWND Window() const { return window_; }
    DWORD ProcessId() const { return driver_.ProcessId(); }

    // The window's picture once `ready` holds, or the last one after 10 s.
    ScreenCapture ShownWhen(const Ready& ready) {
        ScreenCapture shown;
        if (!window_) return shown;
        WaitUntil([&] { return ready(shown = CaptureWindowDc(window_)); }, 10000);
        CreateDirectoryW((ProgramDirectory() + L"example_pictures").c_str(), nullptr);
        SavePicture(shown, ProgramDirectory() + L"example_pictures\\" + name_ + L".png");
        return shown;
    }
    // The exit code after a key typed into the console.
    DWORD EndWithAKey() {
        driver_.TypeKeyInConsole(L'q');
        return driver_.WaitForExit(10000);
    }

private:
    std::wstring name_;
    ProgramDriver driver_;
    HWND window_ = nullptr;
};

// Pixels of `value` in the rectangle.
int CountIn(const ScreenCapture& shown, RECT area, DWORD value) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) count += shown(x, y) == value;
    return count;
}

TEST(Examples, ShapesShowsItsRectangleAndCircles) {
    ExampleRun run(L"shapes");
    const ScreenCapture shown =
        run.ShownWhen([](const ScreenCapture& s) { return s(230, 400) == 0xFF0000; });
    EXPECT_EQ(shown(320, 240), PixelOf(RGB(30, 60, 120)));       // inside the rectangle
    EXPECT_EQ(shown(230, 400), PixelOf(ColorFromHSV(0, 1, 1)));  // the red circle
    EXPECT_EQ(shown(580, 400), PixelOf(ColorFromHSV(315, 1, 1)));
    EXPECT_EQ(run.EndWithAKey(), 0u);
}

TEST(Examples, TextShowsInkOnItsBackground) {
    ExampleRun run(L"text");
    const DWORD paper = PixelOf(RGB(255, 255, 240));
    const ScreenCapture shown =
        run.ShownWhen([&](const ScreenCapture& s) { return s(630, 10) == paper; });
    EXPECT_EQ(shown(630, 10), paper);
    EXPECT_GT(CountIn(shown, {20, 20, 400, 70}, PixelOf(RGB(20, 20, 20))), 100);
    EXPECT_GT(CountIn(shown, {20, 180, 200, 215}, PixelOf(RGB(200, 0, 0))), 50);
    EXPECT_EQ(run.EndWithAKey(), 0u);
}

TEST(Examples, MousePaintDrawsWhereTheButtonIsDragged) {
    ExampleRun run(L"mouse_paint");
    PostMessageW(run.Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
    PostMessageW(run.Window(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, 100));
    PostMessageW(run.Window(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, 300));
    PostMessageW(run.Window(), WM_LBUTTONUP, 0, MAKELPARAM(300, 300));
    PostMessageW(run.Window(), WM_MOUSEMOVE, 0, MAKELPARAM(500, 400));
    const DWORD ink = PixelOf(RGB(200, 0, 0));
    const ScreenCapture shown =
        run.ShownWhen([&](const ScreenCapture& s) { return s(300, 200) == ink; });
    EXPECT_EQ(shown(200, 100), ink);
    EXPECT_EQ(shown(300, 200), ink);
    EXPECT_EQ(shown(400, 350), 0xFFFFFFu);  // moved there without the button
    EXPECT_EQ(run.EndWithAKey(), 0u);
}

TEST(Examples, BouncingBallsStayInsideTheirWalls) {
    ExampleRun run(L"bouncing_balls");
    const ScreenCapture shown =
        run.ShownWhen([](const ScreenCapture& s) { return s(0, 0) == 0xFFFFFF; });
    EXPECT_EQ(shown(0, 0), 0xFFFFFFu);
    EXPECT_EQ(shown(639, 479), 0xFFFFFFu);
    EXPECT_GT(CountIn(shown, {1, 1, 639, 479}, 0), 640 * 480 / 2);  // mostly dark between balls
    EXPECT_EQ(run.EndWithAKey(), 0u);
}

TEST(Examples, FireIsHotBelowAndDarkAbove) {
    ExampleRun run(L"fire");
    const DWORD hottest = PixelOf(RGB(255, 255, 255));
    // Ready once the flames have risen to row 80.
    const ScreenCapture shown = run.ShownWhen([](const ScreenCapture& s) {
        return CountIn(s, {0, 80, 320, 81}, 0) < 300;
    });
    EXPECT_GT(CountIn(shown, {0, 199, 320, 200}, hottest), 50);
    EXPECT_LT(CountIn(shown, {0, 80, 320, 81}, 0), 300);
    EXPECT_EQ(CountIn(shown, {0, 0, 320, 20}, 0), 320 * 20);
    EXPECT_GT(CountIn(shown, {0, 100, 320, 200}, PixelOf(RGB(255, 0, 0))), 0);  // red, not blue
    EXPECT_EQ(run.EndWithAKey(), 0u);
}

TEST(Examples, SpritesCoverOnlyWhereTheirMaskIsBlack) {
    ExampleRun run(L"sprites");
    const DWORD face = PixelOf(RGB(255, 220, 0));
    const ScreenCapture shown =
        run.ShownWhen([](const ScreenCapture& s) { return s(500, 380) != s(440, 380); });
    EXPECT_EQ(shown(72, 172), face);              // the first sprite's middle
    EXPECT_EQ(shown(62, 144), 0u);                // its left eye
    EXPECT_EQ(shown(41, 121), shown(20, 121));    // its corner: the background
    EXPECT_NE(shown(500, 380), shown(440, 380));  // the thumbnail read back
    EXPECT_EQ(run.EndWithAKey(), 0u);
}

TEST(Examples, InputDialogGreetsTheNameConfirmed) {
    ExampleRun run(L"input_dialog");
    HWND dialog = nullptr;
    WaitUntil([&] { return !!(dialog = FindVisibleWindow(run.ProcessId(), L"Kanvo_InputBox")); },
              10000);
    ASSERT_NE(dialog, nullptr);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);  // confirms the default name
    const DWORD ink = PixelOf(RGB(0, 0, 160));
    const ScreenCapture shown = run.ShownWhen([&](const ScreenCapture& s) {
        return CountIn(s, {20, 50, 460, 95}, ink) > 0;
    });
    EXPECT_EQ(shown(470, 10), PixelOf(RGB(240, 240, 255)));
    EXPECT_GT(CountIn(shown, {20, 50, 460, 95}, ink), 200);
    EXPECT_EQ(run.EndWithAKey(), 0u);
}

}  // namespace
