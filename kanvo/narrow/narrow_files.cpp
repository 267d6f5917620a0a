// Picture files and resources named by UTF-8 paths and names.
#include "../kanvo.h"
#include "wide_text.h"

using Kanvo::WideResourceName;
using Kanvo::WideText;

bool ReadImageFile(IMAGE* destination, const char* path, int width, int height, bool resizeToFit) {
    return ReadImageFile(destination, WideText(path).Get(), width, height, resizeToFit);
}

bool ReadImageResource(IMAGE* destination, const char* type, const char* name, int width,
                       int height, bool resizeToFit) {
    return ReadImageResource(destination, WideResourceName(type).Get(),
                             WideResourceName(name).Get(), width, height, resizeToFit);
}

bool WriteImageFile(const char* path, IMAGE* image) {
    return WriteImageFile(WideText(path).Get(), image);
}
