#!/usr/bin/env bash
# Cross-compiles the Qt-free core (model, barcode, files, render) for 64-bit
# Windows with MinGW-w64 and fails on any warning. Only the library is built
# here (scripts/windows-build.sh builds the programs and the core's tests);
# where wine is installed, the Windows file calls are run by a small program.
#
#   bash scripts/windows-check.sh [build folder, default build-windows]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-windows}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" \
  -DTANAHUDA_CORE_ONLY=ON -DTANAHUDA_TESTS=OFF \
  -DCMAKE_CXX_FLAGS="-Werror" >/dev/null
cmake --build "$build" -j "$(nproc)" --target tanahuda_core
echo "windows-check: the core compiles for Windows without warnings"

# Where wine is installed, the file reading and replacement run through the
# Windows API too.
wine=$(command -v wine64 || command -v wine || ls /usr/lib/wine/wine64 2>/dev/null || true)
if [ -z "$wine" ]; then
  echo "windows-check: wine is not installed, the Windows file calls were not run"
  exit 0
fi
compiler=$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' "$build/CMakeCache.txt")
"$compiler" -std=c++20 -Wall -Wextra -Werror -O2 -Isrc \
  tests/windows/file_io_windows_check.cpp "$build/libtanahuda_core.a" -static \
  -o "$build/file_io_windows_check.exe"
WINEPREFIX="$PWD/$build/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
  "$wine" "$build/file_io_windows_check.exe" >"$build/file_io_windows_check.log" 2>&1 || {
  cat "$build/file_io_windows_check.log"
  echo "windows-check: the Windows file calls failed under wine" >&2
  exit 1
}
grep -c '^ok:' "$build/file_io_windows_check.log" | sed 's/^/windows-check: Windows file calls under wine: /; s/$/ checks passed/'
