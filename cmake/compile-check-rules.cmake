# Rules of the Clang compile check: a program's "link" step only marks it
# built, since the check is about the compiler's warnings.
set(CMAKE_CXX_LINK_EXECUTABLE "\"${CMAKE_COMMAND}\" -E touch <TARGET>")
set(CMAKE_C_LINK_EXECUTABLE "\"${CMAKE_COMMAND}\" -E touch <TARGET>")
