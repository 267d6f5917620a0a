// LINESTYLE and FILLSTYLE: copies own their dash pattern or pattern image.
#include "../kanvo.h"

#include <algorithm>

namespace {

bool HasUserPattern(const LINESTYLE& s) {
    return (s.style & PS_STYLE_MASK) == PS_USERSTYLE && s.userPattern && s.userCount != 0;
}

bool UsesPatternImage(const FILLSTYLE& s) {
    return s.pattern && (s.style == BS_PATTERN || s.style == BS_DIBPATTERN);
}

}  // namespace

LINESTYLE::LINESTYLE(const LINESTYLE& other) : style(other.style), thickness(other.thickness) {
    if (HasUserPattern(other)) {
        userPattern = new DWORD[other.userCount];
        std::copy(other.userPattern, other.userPattern + other.userCount, userPattern);
        userCount = other.userCount;
    }
}

LINESTYLE& LINESTYLE::operator=(const LINESTYLE& other) {
    if (this == &other) return *this;
    // Allocate first, so that running out of memory leaves this style whole.
    DWORD* copy = nullptr;
    DWORD count = 0;
    if (HasUserPattern(other)) {
        copy = new DWORD[other.userCount];
        std::copy(other.userPattern, other.userPattern + other.userCount, copy);
        count = other.userCount;
    }
    delete[] userPattern;
    userPattern = copy;
    userCount = count;
    style = other.style;
    thickness = other.thickness;
    return *this;
}

LINESTYLE::~LINESTYLE() {
    delete[] userPattern;
}

FILLSTYLE::FILLSTYLE(const FILLSTYLE& other) : style(other.style), hatch(other.hatch) {
    if (UsesPatternImage(other)) pattern = new IMAGE(*other.pattern);
}

FILLSTYLE& FILLSTYLE::operator=(const FILLSTYLE& other) {
    if (this == &other) return *this;
    if (UsesPatternImage(other)) {
        if (!pattern) pattern = new IMAGE(0, 0);
        *pattern = *other.pattern;
    } else {
        delete pattern;
        pattern = nullptr;
    }
    style = other.style;
    hatch = other.hatch;
    return *this;
}

FILLSTYLE::~FILLSTYLE() {
    delete pattern;
}
