// The modal text input dialog behind PromptForText: a prompt, an edit box and
// OK and Cancel buttons in a window of the class "Kanvo_InputBox", run by a
// message loop of its own on the calling thread while the parent window is
// disabled. One dialog runs at a time.
#pragma once

#include "../kanvo.h"

// The user's interface language, asked each time a dialog builds its buttons:
// Chinese keeps the Chinese captions, any other language gets "OK" and
// "Cancel". Tests point it at a function of their own to try a language.
using InterfaceLanguageQuery = LANGID(WINAPI*)();
extern InterfaceLanguageQuery g_interfaceLanguage;

// The dialog's window procedure; it serves the one running CInputBox.
LRESULT CALLBACK InputBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

class CInputBox {
public:
    // Sizes: a width of 0 means 357, smaller ones become 200; a height above 0
    // makes a multi-line box, and below 93 becomes 93. A prompt taller than
    // 45 pixels (word-wrapped) makes the dialog taller by the excess.
    CInputBox(HWND parent, wchar_t* buffer, int bufferSize, const wchar_t* prompt,
              const wchar_t* title, const wchar_t* defaultText, int width, int height, bool okOnly);
    CInputBox(const CInputBox&) = delete;
    CInputBox& operator=(const CInputBox&) = delete;
    virtual ~CInputBox();

    // Shows the dialog and runs its loop; true when the user confirmed with OK
    // (the buffer then holds the text). False at once when the dialog cannot
    // be created.
    bool RunModal();
    // Builds the controls in the dialog's client area (on WM_CREATE).
    void CreateControls(HWND dialog);

private:
    friend LRESULT CALLBACK InputBoxProc(HWND, UINT, WPARAM, LPARAM);

    // Handles the loop's special keys; true when the key is used up.
    bool HandleKey(WPARAM key);
    void MoveFocusOn();
    // Ends the dialog with the loop's exit code (1 = OK).
    void End(int exitCode);
    void OnDestroy();

    HWND dialog = nullptr;
    HWND editBox = nullptr;
    HWND okButton = nullptr;
    HWND cancelButton = nullptr;  // null in the OK-only form
    HWND promptLabel = nullptr;
    HFONT font = nullptr;
    int bufferSize = 0;
    const wchar_t* prompt = nullptr;
    int promptHeight = 0;
    const wchar_t* title = nullptr;
    const wchar_t* defaultText = nullptr;
    int width = 0;  // client size of the dialog
    int height = 0;
    bool okOnly = false;
    bool multiLine = false;
    wchar_t* buffer = nullptr;

    int exitCode = 0;                // posted with WM_QUIT when the dialog is destroyed
    bool postQuitOnDestroy = false;  // only once the dialog exists and is ours to end
    bool destroyed = false;
};
