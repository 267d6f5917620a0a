# Cross-compiles Kanvo for 32-bit Windows (i686) with the mingw-w64 compilers
# of the posix thread model, and runs the built programs under Wine's 32-bit
# loader. Everything but the target is shared with the 64-bit toolchain.
set(KANVO_MINGW_PREFIX i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(KANVO_WINE_NAMES wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-posix.cmake)
