// Picture files and resources named by UTF-8 paths and names.
#include "../kanvo.h"
#include "wide_text.h"

using Kanvo::WideResourceName;
using Kanvo::WideText;

bool ReadImageFile(IMAGE* destination, Utf8Text path, int width, int height, bool resizeToFit) {
    return ReadImageFile(destination, WideText(path.text).Get(), width, height, resizeToFit);
}

bool ReadImageResource(IMAGE* destination, Utf8Text type, Utf8Text name, int width, int height,
                       bool resizeToFit) {
    return ReadImageResource(destination, WideResourceName(type.text).Get(),
                             WideResourceName(name.text).Get(), width, height, resizeToFit);
}

bool WriteImageFile(Utf8Text path, IMAGE* image) {
    return WriteImageFile(WideText(path.text).Get(), image);
}
