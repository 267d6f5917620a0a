# Cross-compiles Kanvo for Windows with the mingw-w64 compilers of the posix
# thread model (the win32 model lacks std::mutex, which GoogleTest needs) and
# runs the built programs under Wine. By itself it targets 64-bit Windows;
# mingw-w64-i686-posix.cmake sets the 32-bit target and includes it.
set(CMAKE_SYSTEM_NAME Windows)
if(NOT KANVO_MINGW_PREFIX)
  set(KANVO_MINGW_PREFIX x86_64-w64-mingw32)
  set(CMAKE_SYSTEM_PROCESSOR x86_64)
  set(KANVO_WINE_NAMES wine64 wine)
endif()

set(CMAKE_C_COMPILER   ${KANVO_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KANVO_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${KANVO_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KANVO_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Packages may also come from prefixes outside the sysroot, such as an
# installed Kanvo found through CMAKE_PREFIX_PATH.
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# Debian installs the Wine loaders (wine64 for 64-bit programs, wine for
# 32-bit ones) outside PATH.
find_program(KANVO_WINE NAMES ${KANVO_WINE_NAMES} PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(KANVO_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KANVO_WINE})
endif()
