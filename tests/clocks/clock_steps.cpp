#include "clock_test.h"

#include "resource_counts.h"

namespace KanvoTest {

std::vector<DWORD> PixelsOf(IMAGE& image) {
    GdiFlush();
    const DWORD* pixels = GetSurfacePixels(&image);
    std::vector<DWORD> copy(pixels ? static_cast<size_t>(image.Width()) * image.Height() : 0);
    for (size_t i = 0; i < copy.size(); ++i) copy[i] = pixels[i] & 0xFFFFFF;
    return copy;
}

ScreenCapture Drawn(int width, int height, const std::function<void()>& draw) {
    IMAGE image(width, height);
    SetTargetImage(&image), draw(), SetTargetImage(nullptr);
    ScreenCapture drawn = {width, height, PixelsOf(image)};
    if (drawn.pixels.empty()) drawn.width = drawn.height = 0;
    return drawn;
}

int GdiObjectsLeftBy(const std::function<void()>& work) {
    const int before = FreeGdiSlots();
    return work(), before - FreeGdiSlots();
}

std::string TwinTextIn(IMAGE& image, const GdiTwin& twin, RECT box, int minInked) {
    const std::vector<DWORD> drawn = PixelsOf(image);
    int differing = 0, inked = 0;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x) {
            const DWORD expected = twin.Pixels()[y * twin.Width() + x] & 0xFFFFFF;
            differing += drawn[y * twin.Width() + x] != expected;
            inked += expected != (twin.Pixels()[y * twin.Width()] & 0xFFFFFF);
        }
    if (differing == 0 && inked >= minInked) return "";
    return std::to_string(differing) + " differ, " + std::to_string(inked) + " inked";
}

std::string Mismatches(const std::vector<Expected>& expected,
                       const std::function<DWORD(int, int)>& read) {
    std::string wrong;
    char text[64];
    for (const Expected& e : expected)
        if (read(e.x, e.y) != e.value) {
            const unsigned long value = read(e.x, e.y), wanted = e.value;
            std::snprintf(text, sizeof text, "(%d,%d) %06lX not %06lX; ", e.x, e.y, value, wanted);
            wrong += text;
        }
    return wrong;
}

std::string PointsText(std::initializer_list<POINT> points) {
    std::string text;
    for (POINT p : points) text += "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ") ";
    return text.substr(0, text.size() - !text.empty());
}

ClockCheck ShowsPixels(const std::vector<Expected>& expected) {
    return [expected](HWND, const ScreenCapture& shown) {
        return Mismatches(expected, shown);
    };
}

// Seen from a test program in build/tests/clocks: build/clocks/<name>/.
std::wstring ClockProgramDirectory(const std::wstring& name) {
    return ProgramDirectory() + L"..\\..\\clocks\\" + name + L"\\";
}

// Starts the clock at the faked time (through the faketime timestamp file
// that the test environment names) and waits for its window; null when
// either fails.
static HWND StartClock(ProgramDriver& program, const wchar_t* name, const char* localTime,
                       const std::wstring& directory) {
    const char* file = std::getenv("FAKETIME_TIMESTAMP_FILE");
    if (!file || file[0] != '/') return nullptr;
    std::string path = std::string("Z:") + file;  // the Unix path as Wine's drive Z: sees it
    for (char& c : path) c = c == '/' ? '\\' : c;
    // This process reads the file too, whenever its cached copy runs out, and
    // faketime ends a process that finds the file empty: write a new file
    // beside it and put it in place with one rename, so that no reader ever
    // sees it half written.
    FILE* out = std::fopen((path + ".new").c_str(), "w");
    if (!out) return nullptr;
    const bool written = std::fprintf(out, "@%s\n", localTime) > 0;
    const std::wstring own = ClockProgramDirectory(name);
    const bool started =
        std::fclose(out) == 0 && written &&
        MoveFileExA((path + ".new").c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) &&
        program.Start(L"\"" + own + name + L".exe\"", directory.empty() ? own : directory);
    return started ? program.WaitForWindow() : nullptr;
}

std::string RunClockAsAUser(const wchar_t* name, const char* localTime, int width, int height,
                            const ClockCheck& check, const std::wstring& directory,
                            const std::wstring& output) {
    ProgramDriver byKey, byCloseBox;
    byKey.SendOutputTo(output);
    HWND window = StartClock(byKey, name, localTime, directory);
    if (!window) return "no window";
    // Kept on top: other tests' windows may appear meanwhile, and the screen
    // must show this one's pixels.
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    std::string wrong = WindowTitle(window) == name ? "" : "title; ", shows = "no capture";
    // A clock may still be starting up, or be caught in the middle of a frame
    // that it draws without batching: the picture counts once it is right.
    for (const DWORD start = GetTickCount(); !shows.empty() && GetTickCount() - start < 20000;) {
        const ScreenCapture shown = CaptureClientArea(window);
        shows = shown.width == width && shown.height == height ? check(window, shown)
                                                               : "a client area of another size";
        if (!shows.empty()) Sleep(20);
    }
    if (!shows.empty()) wrong += "picture: " + shows + "; ";
    if (!byKey.TypeKeyInConsole(L'q') || byKey.WaitForExit(10000) != 0) wrong += "key: no exit 0; ";
    if (!StartClock(byCloseBox, name, localTime, directory)) return wrong + "no second window";
    Sleep(1500);  // well into its loop
    const bool closed = byCloseBox.PressCloseBox() && byCloseBox.WaitForExit(10000) == 0;
    return closed ? wrong : wrong + "close box: no exit 0";
}

}  // namespace KanvoTest
