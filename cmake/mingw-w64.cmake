# Cross-compiling for 64-bit Windows with MinGW-w64 (Debian's
# g++-mingw-w64-x86-64-posix):
#   cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TANAHUDA_MINGW_PREFIX x86_64-w64-mingw32 CACHE STRING "MinGW-w64 target triplet")
find_program(CMAKE_CXX_COMPILER NAMES ${TANAHUDA_MINGW_PREFIX}-g++-posix ${TANAHUDA_MINGW_PREFIX}-g++
             REQUIRED)
# GoogleTest, built from source for the tests, is a C and C++ project.
find_program(CMAKE_C_COMPILER NAMES ${TANAHUDA_MINGW_PREFIX}-gcc-posix ${TANAHUDA_MINGW_PREFIX}-gcc
             REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${TANAHUDA_MINGW_PREFIX}-windres)

# Headers and libraries for Windows only from the MinGW-w64 tree (and any
# prefix given on CMAKE_FIND_ROOT_PATH); build tools from the host.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${TANAHUDA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
