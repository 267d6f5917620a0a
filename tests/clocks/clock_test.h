// What the clock tests share: GoogleTest, the standard headers they draw on,
// the end-to-end and pixel helpers, and the raw GDI twin.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "clock_run.h"
#include "gdi_twin.h"

using namespace KanvoTest;  // the tests' own helpers, used throughout

// Several colours compared at once.
using Colors = std::vector<COLORREF>;
