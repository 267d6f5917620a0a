# Installs the built library into a fresh prefix, then configures, builds and
# runs a separate project that finds it with find_package(Kanvo). The
# project's CMakeLists.txt is the README's snippet, word for word, and the
# program it builds must run as it is, without DLLs copied beside it. Then the
# README's g++ command line builds the same program, with the build's own
# compiler and the fresh prefix in place of /opt/kanvo, and it must run too.
file(REMOVE_RECURSE ${KANVO_WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${KANVO_BINARY_DIR} --prefix ${KANVO_WORK_DIR}/prefix
                RESULT_VARIABLE result)
if(result)
  message(FATAL_ERROR "install failed")
endif()

# The first ```cmake block of the README.
file(READ ${KANVO_CONSUMER_SOURCE}/../../README.md readme)
string(REGEX MATCH "```cmake\n([^`]*)```" snippet "${readme}")
if(NOT CMAKE_MATCH_1)
  message(FATAL_ERROR "the README shows no CMake snippet")
endif()
file(WRITE ${KANVO_WORK_DIR}/source/CMakeLists.txt "${CMAKE_MATCH_1}")
file(COPY ${KANVO_CONSUMER_SOURCE}/app.cpp DESTINATION ${KANVO_WORK_DIR}/source)

set(toolchain)
if(KANVO_TOOLCHAIN)
  set(toolchain -DCMAKE_TOOLCHAIN_FILE=${KANVO_TOOLCHAIN})
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -S ${KANVO_WORK_DIR}/source -B ${KANVO_WORK_DIR}/build
                        ${toolchain} -DCMAKE_PREFIX_PATH=${KANVO_WORK_DIR}/prefix
                RESULT_VARIABLE result)
if(result)
  message(FATAL_ERROR "configuring the consumer failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${KANVO_WORK_DIR}/build RESULT_VARIABLE result)
if(result)
  message(FATAL_ERROR "building the consumer failed")
endif()
set(runner)
if(CMAKE_HOST_UNIX AND KANVO_TOOLCHAIN)
  find_program(wine NAMES wine64 wine PATHS /usr/lib/wine REQUIRED)
  set(runner ${wine})
endif()

# Runs a consumer program in its folder; it must print the version and the pixel.
function(run_consumer program)
  get_filename_component(folder ${program} DIRECTORY)
  execute_process(COMMAND ${runner} ${program} WORKING_DIRECTORY ${folder}
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
  message(STATUS "consumer printed: ${output}${errors}")
  if(NOT result EQUAL 0 OR NOT output MATCHES "20210224 0xFF0000")
    message(FATAL_ERROR "the consumer program ${program} failed: ${result}")
  endif()
endfunction()
run_consumer(${KANVO_WORK_DIR}/build/app.exe)

# The README's g++ command: the ```sh block that links -lkanvo.
string(REGEX MATCHALL "```sh\n[^`]*```" blocks "${readme}")
set(command)
foreach(block ${blocks})
  if(block MATCHES "-lkanvo")
    set(command ${block})
  endif()
endforeach()
if(NOT command)
  message(FATAL_ERROR "the README shows no g++ command line")
endif()
string(REGEX REPLACE "```(sh)?" "" command "${command}")
string(REPLACE "\\\n" " " command "${command}")
string(STRIP "${command}" command)
string(REPLACE "/opt/kanvo" "${KANVO_WORK_DIR}/prefix" command "${command}")
string(REGEX REPLACE "^[^ ]+" "${KANVO_CXX_COMPILER}" command "${command}")
separate_arguments(command UNIX_COMMAND "${command}")
file(COPY ${KANVO_CONSUMER_SOURCE}/app.cpp DESTINATION ${KANVO_WORK_DIR}/gxx)
execute_process(COMMAND ${command} WORKING_DIRECTORY ${KANVO_WORK_DIR}/gxx RESULT_VARIABLE result)
if(result)
  string(JOIN " " shown ${command})
  message(FATAL_ERROR "the README's g++ command failed: ${shown}")
endif()
run_consumer(${KANVO_WORK_DIR}/gxx/app.exe)
