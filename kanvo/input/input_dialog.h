// The modal text input dialog behind PromptForText: a prompt, an edit box and
// OK and Cancel buttons in a window of the class "Kanvo_InputBox", run by a
// message loop of its own on the calling thread while the parent window is
// disabled. One dialog runs at a time.
#pragma once

#include "../kanvo.h"

namespace Kanvo {

// The user's interface language, asked each time a dialog builds its buttons:
// Chinese keeps the Chinese captions, any other language gets "OK" and
// "Cancel". Tests point it at a function of their own to try a language.
using InterfaceLanguageQuery = LANGID(WINAPI*)();
extern InterfaceLanguageQuery g_interfaceLanguage;

// The dialog's window procedure; it serves the one running InputDialog.
LRESULT CALLBACK InputDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

class InputDialog {
public:
    // Sizes: a width of 0 means 357, smaller ones become 200; a height above 0
    // makes a multi-line box, and below 93 becomes 93. A prompt taller than
    // 45 pixels (word-wrapped) makes the dialog taller by the excess.
    InputDialog(HWND parent, wchar_t* buffer, int bufferSize, const wchar_t* prompt,
                const wchar_t* title, const wchar_t* defaultText, int width, int height,
                bool okOnly);
    InputDialog(const InputDialog&) = delete;
    InputDialog& operator=(const InputDialog&) = delete;
    virtual ~InputDialog();

    // Shows the dialog and runs its loop; true when the user confirmed with OK
    // (the buffer then holds the text). False at once when the dialog cannot
    // be created.
    bool RunModal();
    // Builds the controls in the dialog's client area (on WM_CREATE).
    void CreateControls(HWND dialog);

private:
    friend LRESULT CALLBACK InputDialogProc(HWND, UINT, WPARAM, LPARAM);

    // Handles the loop's special keys; true when the key is used up.
    bool HandleKey(WPARAM key);
    void MoveFocusOn();
    // Ends the dialog with the loop's exit code (1 = OK).
    void End(int exitCode);
    void OnDestroy();

    HWND dialog_ = nullptr;
    HWND editBox_ = nullptr;
    HWND okButton_ = nullptr;
    HWND cancelButton_ = nullptr;  // null in the OK-only form
    HWND promptLabel_ = nullptr;
    HFONT font_ = nullptr;
    int bufferSize_ = 0;
    const wchar_t* prompt_ = nullptr;
    int promptHeight_ = 0;
    const wchar_t* title_ = nullptr;
    const wchar_t* defaultText_ = nullptr;
    int width_ = 0;  // client size of the dialog
    int height_ = 0;
    bool okOnly_ = false;
    bool multiLine_ = false;
    wchar_t* buffer_ = nullptr;

    int exitCode_ = 0;                // posted with WM_QUIT when the dialog is destroyed
    bool postQuitOnDestroy_ = false;  // only once the dialog exists and is ours to end
    bool destroyed_ = false;
};

}  // namespace Kanvo
