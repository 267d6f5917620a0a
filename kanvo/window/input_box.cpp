// The text input dialog and PromptForText.
#include "input_box.h"

#include <algorithm>
#include <atomic>
#include <vector>

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

HWND inputParent = nullptr;              // parent of the running dialog
CInputBox* activeInputBox = nullptr;     // the dialog being shown
std::atomic<bool> dialogRunning{false};  // one dialog at a time, on any thread

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
    windowClass.lpfnWndProc = InputBoxProc;
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
    bool taken = !dialogRunning.exchange(true);
    ~DialogSlot() {
        if (taken) dialogRunning = false;
    }
};

}  // namespace

InterfaceLanguageQuery g_interfaceLanguage = GetUserDefaultUILanguage;

CInputBox::CInputBox(HWND parent, wchar_t* buffer_, int bufferSize_, const wchar_t* prompt_,
                     const wchar_t* title_, const wchar_t* defaultText_, int width_, int height_,
                     bool okOnly_)
    : bufferSize(bufferSize_),
      prompt(prompt_),
      title(title_),
      defaultText(defaultText_),
      okOnly(okOnly_),
      multiLine(height_ > 0),
      buffer(buffer_) {
    RegisterDialogClass(GetModuleHandleW(nullptr));
    inputParent = parent;
    width = width_ == 0 ? kDefaultWidth : std::max(width_, kMinWidth);
    height = std::max(height_, kMinHeight);
    activeInputBox = this;

    LOGFONTW logFont = {};
    logFont.lfHeight = 14;
    logFont.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(logFont.lfFaceName, L"Arial", LF_FACESIZE);
    font = CreateFontIndirectW(&logFont);

    // Sizes beyond the largest window the system allows are cut to it; this
    // also keeps the arithmetic below far from overflow.
    const int maxWidth = GetSystemMetrics(SM_CXMAXTRACK);
    const int maxHeight = GetSystemMetrics(SM_CYMAXTRACK);
    width = std::min(width, maxWidth);
    promptHeight = MeasurePrompt(font, prompt, width - 90);
    if (promptHeight < kMinPromptHeight) promptHeight = kMinPromptHeight;
    promptHeight = std::min(promptHeight, maxHeight);
    height = std::min(height, maxHeight);
    if (promptHeight > kMinPromptHeight)
        height = std::min(height + (promptHeight - kMinPromptHeight), maxHeight);
}

CInputBox::~CInputBox() {
    if (activeInputBox == this) activeInputBox = nullptr;
    if (font) DeleteObject(font);
}

bool CInputBox::RunModal() {
    RECT reference = {};
    if (inputParent) {
        GetWindowRect(inputParent, &reference);
    } else {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &reference, 0);
    }

    std::vector<wchar_t> parentCaption;
    const wchar_t* caption = title;
    if (!caption) {
        parentCaption.assign(static_cast<size_t>(GetWindowTextLengthW(inputParent)) + 1, L'\0');
        GetWindowTextW(inputParent, parentCaption.data(), static_cast<int>(parentCaption.size()));
        caption = parentCaption.data();
    }

    const DWORD style = okOnly ? kOkOnlyStyle : kDialogStyle;
    RECT outer;
    outer.left = reference.left + (reference.right - width - reference.left) / 2;
    outer.top = reference.top + (reference.bottom - height - reference.top) / 2;
    outer.right = outer.left + width;
    outer.bottom = outer.top + height;
    AdjustWindowRectEx(&outer, style, FALSE, WS_EX_DLGMODALFRAME);

    dialog = CreateWindowExW(WS_EX_DLGMODALFRAME, kDialogClass, caption, style, outer.left,
                             outer.top, outer.right - outer.left, outer.bottom - outer.top,
                             inputParent, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!dialog) return false;  // no loop could ever end: give up at once
    postQuitOnDestroy = true;

    SetForegroundWindow(dialog);
    if (inputParent) EnableWindow(inputParent, FALSE);
    ShowWindow(dialog, SW_SHOW);
    UpdateWindow(dialog);

    MSG message = {};
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        if (message.message == WM_KEYDOWN && HandleKey(message.wParam)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (!destroyed) {
        // The loop ended on a quit request that is not the dialog's: close
        // the dialog as cancelled and hand the request on to the program.
        postQuitOnDestroy = false;
        End(0);
        if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
        return false;
    }
    return message.wParam == 1;
}

void CInputBox::CreateControls(HWND dialogWindow) {
    RECT client = {};
    GetClientRect(dialogWindow, &client);
    const int cw = client.right;
    const int ch = client.bottom;
    promptLabel = CreateControl(0, L"Static", prompt, WS_CHILD | WS_VISIBLE, 9, 10, cw - 90,
                                promptHeight, dialogWindow, kPromptId, font);
    editBox =
        CreateControl(WS_EX_CLIENTEDGE, L"Edit", defaultText,
                      multiLine ? kMultiLineEditStyle : kSingleLineEditStyle, 9, promptHeight + 20,
                      cw - 18, ch - promptHeight - 30, dialogWindow, kEditId, font);
    if (bufferSize > 1) {
        SendMessageW(editBox, EM_LIMITTEXT, static_cast<WPARAM>(bufferSize - 1), 0);
    } else {
        // A limit of 0 would mean "no limit"; the buffer has room for nothing.
        SendMessageW(editBox, EM_SETREADONLY, TRUE, 0);
    }
    SendMessageW(editBox, EM_SETSEL, 0, -1);
    const bool chinese = SpeaksChinese();
    okButton = CreateControl(0, L"Button", chinese ? kChineseOkText : L"OK",
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, cw - 69, 10, 60,
                             21, dialogWindow, IDOK, font);
    if (!okOnly) {
        cancelButton = CreateControl(0, L"Button", chinese ? kChineseCancelText : L"Cancel",
                                     WS_CHILD | WS_VISIBLE | WS_TABSTOP, cw - 69, 34, 60, 21,
                                     dialogWindow, IDCANCEL, font);
    }
    SetFocus(editBox);
}

bool CInputBox::HandleKey(WPARAM key) {
    switch (key) {
        case VK_TAB:
            MoveFocusOn();
            return true;
        case VK_RETURN:
            if (multiLine && GetKeyState(VK_CONTROL) >= 0) return false;  // a new line
            PostMessageW(dialog, WM_COMMAND, IDOK, 0);
            return true;
        case VK_ESCAPE:
            if (okOnly) return false;
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            return true;
        default:
            return false;
    }
}

void CInputBox::MoveFocusOn() {
    const HWND focus = GetFocus();
    if (focus == editBox) {
        SetFocus(okButton);
    } else if (focus == okButton) {
        SetFocus(okOnly ? editBox : cancelButton);
    } else if (focus == cancelButton && cancelButton) {
        SetFocus(editBox);
    }
}

void CInputBox::End(int code) {
    exitCode = code;
    // Enabled before the dialog goes, so that the parent can take the
    // activation back.
    if (inputParent) EnableWindow(inputParent, TRUE);
    DestroyWindow(dialog);
}

void CInputBox::OnDestroy() {
    destroyed = true;
    if (inputParent) {
        EnableWindow(inputParent, TRUE);
        SetForegroundWindow(inputParent);
    }
    if (postQuitOnDestroy) PostQuitMessage(exitCode);
}

LRESULT CALLBACK InputBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CInputBox* box = activeInputBox;
    if (!box) return DefWindowProcW(hwnd, message, wParam, lParam);
    switch (message) {
        case WM_CREATE:
            box->CreateControls(hwnd);
            // Without its edit box and OK button the dialog could not be used.
            return box->editBox && box->okButton ? 0 : -1;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                GetWindowTextW(box->editBox, box->buffer, box->bufferSize);
                box->End(1);
            } else if (LOWORD(wParam) == IDCANCEL) {
                box->End(0);
            }
            return 0;
        case WM_CLOSE:  // the close box: counts as Cancel
            box->End(0);
            return 0;
        case WM_DESTROY:
            if (hwnd == box->dialog) box->OnDestroy();
            return 0;
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

bool PromptForText(wchar_t* buffer, int bufferSize, const wchar_t* prompt, const wchar_t* title,
                   const wchar_t* defaultText, int width, int height, bool okOnly) {
    if (!buffer || bufferSize <= 0) return false;
    DialogSlot slot;
    if (!slot.taken) return false;
    HWND parent = GetWindowHandle();
    if (!parent) parent = GetConsoleWindow();
    CInputBox box(parent, buffer, bufferSize, prompt, title, defaultText, width, height, okOnly);
    return box.RunModal();
}
