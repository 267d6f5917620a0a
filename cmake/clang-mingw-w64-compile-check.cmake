# Compiles Kanvo with Clang for 64-bit Windows (or 32-bit with
# -DKANVO_CLANG_TARGET=i686-w64-mingw32), against the headers and the C++
# library of the mingw-w64 posix toolchain, to hear Clang's warnings. A check
# only: programs are not linked (their "link" step just marks them built), so
# nothing of this build runs.
set(CMAKE_SYSTEM_NAME Windows)
set(KANVO_CLANG_TARGET x86_64-w64-mingw32 CACHE STRING "Clang's target triple")
if(KANVO_CLANG_TARGET MATCHES "^i686")
  set(CMAKE_SYSTEM_PROCESSOR x86)
else()
  set(CMAKE_SYSTEM_PROCESSOR x86_64)
endif()

set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${KANVO_CLANG_TARGET})
set(CMAKE_CXX_COMPILER_TARGET ${KANVO_CLANG_TARGET})
set(CMAKE_RC_COMPILER ${KANVO_CLANG_TARGET}-windres)
set(CMAKE_AR ${KANVO_CLANG_TARGET}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${KANVO_CLANG_TARGET}-ranlib CACHE FILEPATH "")

# Debian names the GCC directory "<version>-posix", which this Clang does not
# take for a version, so the C++ library's headers are named here.
file(GLOB KANVO_GCC_DIRS /usr/lib/gcc/${KANVO_CLANG_TARGET}/*-posix)
list(SORT KANVO_GCC_DIRS COMPARE NATURAL ORDER DESCENDING)
list(GET KANVO_GCC_DIRS 0 KANVO_GCC_DIR)
set(KANVO_CXX_INCLUDE ${KANVO_GCC_DIR}/include/c++)
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES
    ${KANVO_CXX_INCLUDE} ${KANVO_CXX_INCLUDE}/${KANVO_CLANG_TARGET} ${KANVO_CXX_INCLUDE}/backward)

set(CMAKE_FIND_ROOT_PATH /usr/${KANVO_CLANG_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# CMake's own compiler checks build a static library instead of a program,
# and the rules file replaces the link step (the platform's rules, read after
# this file, would set it again).
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
set(CMAKE_USER_MAKE_RULES_OVERRIDE ${CMAKE_CURRENT_LIST_DIR}/compile-check-rules.cmake)
