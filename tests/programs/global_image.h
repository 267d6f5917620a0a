// The global image of probe_global_image, defined in a library of its own that
// links after Kanvo: its constructors run as early as the toolchain allows.
#pragma once

#include <kanvo.h>

extern IMAGE g_picture;
