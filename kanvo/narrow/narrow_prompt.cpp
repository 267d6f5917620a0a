// The input dialog with UTF-8 prompt, title and default text, and its form
// that hands the typed text back as UTF-8.
#include "../kanvo.h"
#include "wide_text.h"

#include <algorithm>
#include <vector>

using Kanvo::WideText;

namespace {

// The dialog's wide buffer for the narrow form. A UTF-8 character never has
// fewer bytes than UTF-16 units, so bufferSize units always suffice; the cap
// keeps an absurd size from asking for gigabytes.
constexpr int kMaxWideUnits = 1 << 20;

// Bytes that the character at text[index] takes in UTF-8 (a lone surrogate
// becomes U+FFFD, three bytes); *unitsUsed: its UTF-16 units.
int Utf8Bytes(const wchar_t* text, int index, int* unitsUsed) {
    const unsigned unit = static_cast<unsigned>(text[index]);
    *unitsUsed = 1;
    if (unit < 0x80) return 1;
    if (unit < 0x800) return 2;
    const unsigned next = static_cast<unsigned>(text[index + 1]);
    if (unit >= 0xD800 && unit < 0xDC00 && next >= 0xDC00 && next < 0xE000) {
        *unitsUsed = 2;
        return 4;
    }
    return 3;
}

// Writes `text` as UTF-8 into buffer (bufferSize > 0), with as many whole
// characters as fit before the terminating zero.
void CopyAsUtf8(const wchar_t* text, char* buffer, int bufferSize) {
    int units = 0;
    int bytes = 0;
    while (text[units] != 0) {
        int unitsUsed = 1;
        const int more = Utf8Bytes(text, units, &unitsUsed);
        if (bytes + more > bufferSize - 1) break;
        bytes += more;
        units += unitsUsed;
    }
    if (units > 0) WideCharToMultiByte(CP_UTF8, 0, text, units, buffer, bytes, nullptr, nullptr);
    buffer[bytes] = 0;
}

}  // namespace

bool PromptForText(wchar_t* buffer, int bufferSize, Utf8Text prompt, Utf8Text title,
                   Utf8Text defaultText, int width, int height, bool okOnly) {
    return PromptForText(buffer, bufferSize, WideText(prompt.text).Get(),
                         WideText(title.text).Get(), WideText(defaultText.text).Get(), width,
                         height, okOnly);
}

bool PromptForText(char* buffer, int bufferSize, const char* prompt, const char* title,
                   const char* defaultText, int width, int height, bool okOnly) {
    if (!buffer || bufferSize <= 0) return false;
    std::vector<wchar_t> wide(static_cast<size_t>(std::min(bufferSize, kMaxWideUnits)), L'\0');
    if (!PromptForText(wide.data(), static_cast<int>(wide.size()), prompt, title, defaultText,
                       width, height, okOnly))
        return false;
    CopyAsUtf8(wide.data(), buffer, bufferSize);
    return true;
}
