#!/usr/bin/env bash
# Cross-compiles the Qt-free core (model, barcode, files, render) and its
# GoogleTest programs for 64-bit Windows with MinGW-w64 and fails on any
# warning (with libqrencode built for Windows from Debian's source by
# scripts/windows-qrencode.sh), then runs them under wine in a private wine prefix: the core's
# tests, the Windows file calls (tests/windows/file_io_windows_check.cpp), and
# the code page 932 table of the Windows API compared with the Linux build's,
# code for code.
#
#   bash scripts/windows-check.sh [Windows build folder, default build-windows]
#                                 [Linux build folder, default build]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-windows}
linux_build=${2:-build}
jobs=$(nproc)
wine=$(command -v wine || true)

qrencode=$(bash scripts/windows-qrencode.sh)

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" \
  -DTANAHUDA_CORE_ONLY=ON -DTANAHUDA_TESTS=ON \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$wine" \
  -DCMAKE_CXX_FLAGS="-Werror" \
  -DQRENCODE_INCLUDE_DIR="$qrencode/include" \
  -DQRENCODE_LIBRARY="$qrencode/lib/libqrencode.a" >/dev/null
cmake --build "$build" -j "$jobs"
echo "windows-check: the core and its tests compile for Windows without warnings"

if [ -z "$wine" ]; then
  echo "windows-check: wine is not installed (scripts/setup.sh installs it)" >&2
  exit 1
fi
source scripts/windows-wine.sh
trap wine_cleanup EXIT
wine_prefix_create

compiler=$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' "$build/CMakeCache.txt")
"$compiler" -std=c++20 -Wall -Wextra -Werror -O2 -Isrc \
  tests/windows/file_io_windows_check.cpp "$build/libtanahuda_core.a" -static \
  -o "$build/file_io_windows_check.exe"
wine "$build/file_io_windows_check.exe" >"$build/file_io_windows_check.log" 2>&1 || {
  cat "$build/file_io_windows_check.log"
  echo "windows-check: the Windows file calls failed under wine" >&2
  exit 1
}
grep -c '^ok:' "$build/file_io_windows_check.log" | sed 's/^/windows-check: Windows file calls under wine: /; s/$/ checks passed/'

echo "windows-check: the core's tests under wine"
(cd "$build" && ctest --output-on-failure -j "$jobs" --timeout 300)

# Windows' own table against the C library's, for every single byte, every
# lead and trail byte pair and every character of the Basic Multilingual Plane.
cmake --build "$linux_build" --target cp932_table >/dev/null
"$linux_build/tests/windows/cp932_table" "$WINE_TEMP/cp932-linux.txt"
wine "$build/tests/windows/cp932_table.exe" "$(winepath -w "$WINE_TEMP/cp932-windows.txt")"
if ! diff -u "$WINE_TEMP/cp932-linux.txt" "$WINE_TEMP/cp932-windows.txt" >"$WINE_TEMP/cp932.diff"; then
  head -40 "$WINE_TEMP/cp932.diff"
  echo "windows-check: code page 932 differs between Linux and Windows" \
    "($(grep -c '^+[a-z]' "$WINE_TEMP/cp932.diff") lines)" >&2
  exit 1
fi
echo "windows-check: code page 932 is the same on Linux and Windows" \
  "($(wc -l <"$WINE_TEMP/cp932-linux.txt") conversions compared)"
