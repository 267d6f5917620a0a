// UTF-8 text turned into the UTF-16 text that the wide functions take, so
// that each narrow overload is one line that forwards to its wide twin.
#pragma once

#include <string>

namespace Kanvo {

class WideText {
public:
    // Converts up to the terminating zero with MultiByteToWideChar: a byte
    // sequence that is no valid UTF-8 becomes U+FFFD. A null pointer stays null.
    explicit WideText(const char* utf8);

    // The converted text, or null when the source was null.
    const wchar_t* Get() const { return isNull_ ? nullptr : text_.c_str(); }

private:
    std::wstring text_;
    bool isNull_ = true;
};

// Resource types and names may be small integers (MAKEINTRESOURCE) instead
// of strings: those pass through unchanged, the others are converted.
class WideResourceName {
public:
    explicit WideResourceName(const char* utf8);
    const wchar_t* Get() const;

private:
    const char* source_;
    WideText text_;
};

}  // namespace Kanvo
