// The graphics window: an IMAGE that is the window's back buffer, plus the
// window handle, its thread, the console bookkeeping and the mouse queue.
#pragma once

#include "../core/library_state.h"

#include <atomic>
#include <cstdio>

namespace Kanvo {

constexpr UINT WM_KANVO_WAIT_REQUEST = WM_USER + 1;   // WaitMouseEvent's request
constexpr UINT WM_KANVO_CLOSE_REQUEST = WM_USER + 2;  // destroy the window on its own thread
constexpr int kMouseRingSlots = 64;

class GraphicsWindow : public IMAGE {
public:
    GraphicsWindow();
    void ResetDrawingState() override;
    ~GraphicsWindow() override;
    void SetSize(int width, int height) override;

    // The open sequence; returns the window handle, null when the window
    // could not be created.
    HWND Open(int width, int height, int flags);
    // The close sequence, from any thread.
    void Close();

    bool hadConsole = false;
    bool allocatedConsole = false;  // Open allocated the console it has
    HANDLE signal = nullptr;        // auto-reset: open handshake and mouse wait
    MOUSEMSG messages[kMouseRingSlots] = {};
    // The mouse ring's positions, each written by one thread only: the window
    // procedure advances writePosition, the program thread readPosition.
    std::atomic<unsigned> readPosition{0};
    std::atomic<unsigned> writePosition{0};
    FILE* consoleOut = nullptr;
    FILE* consoleIn = nullptr;
    // The console's input, for the keys typed into the window; null without a
    // console. Opened and closed by the program thread, read by the window's.
    std::atomic<HANDLE> consoleInput{nullptr};
    std::atomic<HWND> hwnd{nullptr};
    std::atomic<bool> batching{false};

    // The window thread of the open window (joined when the program closes it).
    HANDLE thread = nullptr;
    DWORD threadId = 0;
    // Set while the program closes the window, so that its destruction does
    // not end the process.
    std::atomic<bool> closingByProgram{false};

    // Copies a rectangle of the back buffer one to one to the same place in
    // the window (the refresh and the flushes). Call under the library lock.
    void PresentLocked(int left, int top, int width, int height);

private:
    void CloseOnWindowThread();
    void ReleaseWindowDc();
    // Frees the console that Open allocated, if it did; a console the
    // program had stays.
    void GiveBackAllocatedConsole();
};

// The window object while the library is started, else null.
GraphicsWindow* Window();

// Module globals shared by the window thread and the program thread.
extern std::atomic<HWND> g_consoleWindow;
extern std::atomic<bool> g_waitingForInput;

// The window thread and its window procedure (window_thread.cpp).
struct WindowThreadParams {
    int width;  // client size
    int height;
    int x;
    int y;
    bool noCloseBox;
    bool noMinimizeBox;
    bool doubleClicks;
};
DWORD WINAPI WindowThreadMain(LPVOID params);
// Writes a key message of the window (WM_KEYDOWN, WM_KEYUP, WM_CHAR) into the
// console input as key records (console_keys.cpp).
void ForwardKeyToConsole(HANDLE input, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK GraphWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The mouse queue's window-thread side (mouse_queue.cpp): queue a message;
// answer WaitMouseEvent's request (1 = the request was taken); release a
// waiting reader when the window goes away.
void QueueMouseMessage(GraphicsWindow& window, HWND hwnd, UINT message, WPARAM wParam,
                       LPARAM lParam);
LRESULT AnswerWaitRequest(GraphicsWindow& window);
void ReleaseMouseWait(GraphicsWindow& window);

}  // namespace Kanvo
