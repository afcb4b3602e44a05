# Shared by the mingw-w64 toolchain files, which set MINGW_PREFIX first.
#
# MELVORIN_THREAD_MODEL picks the compilers' thread model, which decides the C++ runtime that
# every program of the tree links:
#   posix (default): the tested build. GoogleTest and the tests need std::thread and
#       std::mutex, which only this model has. Its runtime brings libwinpthread, which imports
#       functions of Windows XP and Vista.
#   win32: the shipped build. Its runtime calls the Win32 thread functions directly and imports
#       nothing that Windows 2000 lacks; it has no std::thread or std::mutex, which the program
#       does not use. The tests cannot be built with it.
if(NOT MELVORIN_THREAD_MODEL)
    set(MELVORIN_THREAD_MODEL posix)
endif()
if(NOT MELVORIN_THREAD_MODEL MATCHES "^(posix|win32)$")
    message(FATAL_ERROR "MELVORIN_THREAD_MODEL must be posix or win32")
endif()
# The checks that CMake compiles while it configures read this file again.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES MELVORIN_THREAD_MODEL)

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${MINGW_PREFIX}-gcc-${MELVORIN_THREAD_MODEL})
set(CMAKE_CXX_COMPILER ${MINGW_PREFIX}-g++-${MELVORIN_THREAD_MODEL})
set(CMAKE_RC_COMPILER ${MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
