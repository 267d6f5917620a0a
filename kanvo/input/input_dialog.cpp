// The text input dialog and PromptForText.
#include "input_dialog.h"

#include <algorithm>
#include <atomic>
#include <vector>

namespace Kanvo {
namespace {

constexpr wchar_t kDialogClass[] = L"Kanvo_InputBox";
constexpr wchar_t kChineseOkText[] = L"\u786E\u5B9A";      // "确定"
constexpr wchar_t kChineseCancelText[] = L"\u53D6\u6D88";  // "取消"
constexpr int kDefaultWidth = 357;
constexpr int kMinWidth = 200;
constexpr int kMinHeight = 93;
constexpr int kMinPromptHeight = 45;
constexpr int kPromptId = 0x408;
constexpr int kEditId = 0x404;
constexpr DWORD kOkOnlyStyle = WS_POPUP | WS_VISIBLE | WS_CAPTION;
constexpr DWORD kDialogStyle = kOkOnlyStyle | WS_SYSMENU;
constexpr DWORD kMultiLineEditStyle =
    WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | ES_AUTOVSCROLL | ES_MULTILINE;
constexpr DWORD kSingleLineEditStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;

HWND g_inputParent = nullptr;              // parent of the running dialog
InputDialog* g_activeDialog = nullptr;     // the dialog being shown
std::atomic<bool> g_dialogRunning{false};  // one dialog at a time, on any thread

bool SpeaksChinese() {
    return PRIMARYLANGID(g_interfaceLanguage()) == LANG_CHINESE;
}

void RegisterDialogClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExW(instance, kDialogClass, &windowClass)) return;
    windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = InputDialogProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = kDialogClass;
    RegisterClassExW(&windowClass);
}

// Height of the prompt word-wrapped to `wrapWidth` pixels in `font`.
int MeasurePrompt(HFONT font, const wchar_t* prompt, int wrapWidth) {
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) return 0;
    HGDIOBJ oldFont = SelectObject(dc, font);
    RECT rect = {0, 0, wrapWidth, 10};
    const int height = DrawTextW(dc, prompt ? prompt : L"", prompt ? lstrlenW(prompt) : 0, &rect,
                                 DT_WORDBREAK | DT_EXPANDTABS | DT_CALCRECT | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    DeleteDC(dc);
    return height;
}

HWND CreateControl(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style, int x,
                   int y, int width, int height, HWND dialog, int id, HFONT font) {
    HWND control = CreateWindowExW(exStyle, className, text, style, x, y, width, height, dialog,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleW(nullptr), nullptr);
    if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    return control;
}

// Clears the flag of the running dialog however PromptForText is left.
struct DialogSlot {
    bool taken = !g_dialogRunning.exchange(true);
    ~DialogSlot() {
        if (taken) g_dialogRunning = false;
    }
};

}  // namespace

InterfaceLanguageQuery g_interfaceLanguage = GetUserDefaultUILanguage;

InputDialog::InputDialog(HWND parent, wchar_t* buffer, int bufferSize, const wchar_t* prompt,
                         const wchar_t* title, const wchar_t* defaultText, int width, int height,
                         bool okOnly)
    : bufferSize_(bufferSize),
      prompt_(prompt),
      title_(title),
      defaultText_(defaultText),
      okOnly_(okOnly),
      multiLine_(height > 0),
      buffer_(buffer) {
    RegisterDialogClass(GetModuleHandleW(nullptr));
    g_inputParent = parent;
    width_ = width == 0 ? kDefaultWidth : std::max(width, kMinWidth);
    height_ = std::max(height, kMinHeight);
    g_activeDialog = this;

    LOGFONTW logFont = {};
    logFont.lfHeight = 14;
    logFont.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(logFont.lfFaceName, L"Arial", LF_FACESIZE);
    font_ = CreateFontIndirectW(&logFont);

    // Sizes beyond the largest window the system allows are cut to it; this
    // also keeps the arithmetic below far from overflow.
    const int maxWidth = GetSystemMetrics(SM_CXMAXTRACK);
    const int maxHeight = GetSystemMetrics(SM_CYMAXTRACK);
    width_ = std::min(width_, maxWidth);
    promptHeight_ = MeasurePrompt(font_, prompt_, width_ - 90);
    if (promptHeight_ < kMinPromptHeight) promptHeight_ = kMinPromptHeight;
    promptHeight_ = std::min(promptHeight_, maxHeight);
    height_ = std::min(height_, maxHeight);
    if (promptHeight_ > kMinPromptHeight)
        height_ = std::min(height_ + (promptHeight_ - kMinPromptHeight), maxHeight);
}

InputDialog::~InputDialog() {
    if (g_activeDialog == this) g_activeDialog = nullptr;
    if (font_) DeleteObject(font_);
}

bool InputDialog::RunModal() {
    RECT reference = {};
    if (g_inputParent) {
        GetWindowRect(g_inputParent, &reference);
    } else {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &reference, 0);
    }

    std::vector<wchar_t> parentCaption;
    const wchar_t* caption = title_;
    if (!caption) {
        parentCaption.assign(static_cast<size_t>(GetWindowTextLengthW(g_inputParent)) + 1, L'\0');
        GetWindowTextW(g_inputParent, parentCaption.data(), static_cast<int>(parentCaption.size()));
        caption = parentCaption.data();
    }

    const DWORD style = okOnly_ ? kOkOnlyStyle : kDialogStyle;
    RECT outer;
    outer.left = reference.left + (reference.right - width_ - reference.left) / 2;
    outer.top = reference.top + (reference.bottom - height_ - reference.top) / 2;
    outer.right = outer.left + width_;
    outer.bottom = outer.top + height_;
    AdjustWindowRectEx(&outer, style, FALSE, WS_EX_DLGMODALFRAME);

    dialog_ = CreateWindowExW(WS_EX_DLGMODALFRAME, kDialogClass, caption, style, outer.left,
                              outer.top, outer.right - outer.left, outer.bottom - outer.top,
                              g_inputParent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!dialog_) return false;  // no loop could ever end: give up at once
    postQuitOnDestroy_ = true;

    SetForegroundWindow(dialog_);
    if (g_inputParent) EnableWindow(g_inputParent, FALSE);
    ShowWindow(dialog_, SW_SHOW);
    UpdateWindow(dialog_);

    MSG message = {};
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        if (message.message == WM_KEYDOWN && HandleKey(message.wParam)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (!destroyed_) {
        // The loop ended on a quit request that is not the dialog's: close
        // the dialog as cancelled and hand the request on to the program.
        postQuitOnDestroy_ = false;
        End(0);
        if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
        return false;
    }
    return message.wParam == 1;
}

void InputDialog::CreateControls(HWND dialogWindow) {
    RECT client = {};
    GetClientRect(dialogWindow, &client);
    const int cw = client.right;
    const int ch = client.bottom;
    promptLabel_ = CreateControl(0, L"Static", prompt_, WS_CHILD | WS_VISIBLE, 9, 10, cw - 90,
                                 promptHeight_, dialogWindow, kPromptId, font_);
    editBox_ = CreateControl(WS_EX_CLIENTEDGE, L"Edit", defaultText_,
                             multiLine_ ? kMultiLineEditStyle : kSingleLineEditStyle, 9,
                             promptHeight_ + 20, cw - 18, ch - promptHeight_ - 30, dialogWindow,
                             kEditId, font_);
    if (bufferSize_ > 1) {
        SendMessageW(editBox_, EM_LIMITTEXT, static_cast<WPARAM>(bufferSize_ - 1), 0);
    } else {
        // A limit of 0 would mean "no limit"; the buffer has room for nothing.
        SendMessageW(editBox_, EM_SETREADONLY, TRUE, 0);
    }
    SendMessageW(editBox_, EM_SETSEL, 0, -1);
    const bool chinese = SpeaksChinese();
    okButton_ = CreateControl(0, L"Button", chinese ? kChineseOkText : L"OK",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, cw - 69, 10,
                              60, 21, dialogWindow, IDOK, font_);
    if (!okOnly_) {
        cancelButton_ = CreateControl(0, L"Button", chinese ? kChineseCancelText : L"Cancel",
                                      WS_CHILD | WS_VISIBLE | WS_TABSTOP, cw - 69, 34, 60, 21,
                                      dialogWindow, IDCANCEL, font_);
    }
    SetFocus(editBox_);
}

bool InputDialog::HandleKey(WPARAM key) {
    switch (key) {
        case VK_TAB:
            MoveFocusOn();
            return true;
        case VK_RETURN:
            if (multiLine_ && GetKeyState(VK_CONTROL) >= 0) return false;  // a new line
            PostMessageW(dialog_, WM_COMMAND, IDOK, 0);
            return true;
        case VK_ESCAPE:
            if (okOnly_) return false;
            PostMessageW(dialog_, WM_COMMAND, IDCANCEL, 0);
            return true;
        default:
            return false;
    }
}

void InputDialog::MoveFocusOn() {
    const HWND focus = GetFocus();
    if (focus == editBox_) {
        SetFocus(okButton_);
    } else if (focus == okButton_) {
        SetFocus(okOnly_ ? editBox_ : cancelButton_);
    } else if (focus == cancelButton_ && cancelButton_) {
        SetFocus(editBox_);
    }
}

void InputDialog::End(int code) {
    exitCode_ = code;
    // Enabled before the dialog goes, so that the parent can take the
    // activation back.
    if (g_inputParent) EnableWindow(g_inputParent, TRUE);
    DestroyWindow(dialog_);
}

void InputDialog::OnDestroy() {
    destroyed_ = true;
    if (g_inputParent) {
        EnableWindow(g_inputParent, TRUE);
        SetForegroundWindow(g_inputParent);
    }
    if (postQuitOnDestroy_) PostQuitMessage(exitCode_);
}

LRESULT CALLBACK InputDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    InputDialog* box = g_activeDialog;
    if (!box) return DefWindowProcW(hwnd, message, wParam, lParam);
    switch (message) {
        case WM_CREATE:
            box->CreateControls(hwnd);
            // Without its edit box and OK button the dialog could not be used.
            return box->editBox_ && box->okButton_ ? 0 : -1;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                GetWindowTextW(box->editBox_, box->buffer_, box->bufferSize_);
                box->End(1);
            } else if (LOWORD(wParam) == IDCANCEL) {
                box->End(0);
            }
            return 0;
        case WM_CLOSE:  // the close box: counts as Cancel
            box->End(0);
            return 0;
        case WM_DESTROY:
            if (hwnd == box->dialog_) box->OnDestroy();
            return 0;
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

}  // namespace Kanvo

using namespace Kanvo;

bool PromptForText(wchar_t* buffer, int bufferSize, const wchar_t* prompt, const wchar_t* title,
                   const wchar_t* defaultText, int width, int height, bool okOnly) {
    if (!buffer || bufferSize <= 0) return false;
    DialogSlot slot;
    if (!slot.taken) return false;
    HWND parent = GetWindowHandle();
    if (!parent) parent = GetConsoleWindow();
    InputDialog box(parent, buffer, bufferSize, prompt, title, defaultText, width, height, okOnly);
    return box.RunModal();
}
