// UTF-8 to UTF-16 through the platform's own converter.
#include "wide_text.h"

#include "../kanvo.h"

namespace Kanvo {

WideText::WideText(const char* utf8) : isNull_(utf8 == nullptr) {
    if (!utf8) return;
    // -1: the converter stops at the terminator and counts it. Without
    // MB_ERR_INVALID_CHARS it replaces malformed sequences instead of failing.
    const int units = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    if (units <= 1) return;
    text_.resize(static_cast<size_t>(units));
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, &text_[0], units);
    text_.resize(static_cast<size_t>(units) - 1);  // the string keeps its own terminator
}

WideResourceName::WideResourceName(const char* utf8)
    : source_(utf8), text_(IS_INTRESOURCE(utf8) ? nullptr : utf8) {}

const wchar_t* WideResourceName::Get() const {
    if (IS_INTRESOURCE(source_)) return reinterpret_cast<const wchar_t*>(source_);
    return text_.Get();
}

}  // namespace Kanvo
