#!/usr/bin/env bash
# Cross-builds tanahuda for 64-bit Windows on Debian: Qt and libqrencode's DLL
# from Debian's source (scripts/windows-qt.sh, scripts/windows-qrencode.sh,
# both cached), tanahuda.exe, tanahuda-print.exe and the core's
# tests with MinGW-w64, then the installer
# tanahuda-<version>-setup.exe with NSIS. Prints the installer's name, size
# and contents.
#
#   bash scripts/windows-build.sh [build folder, default build-windows]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-windows}
jobs=$(nproc)

seconds() { date +%s; }
started=$(seconds)
qt=$(bash scripts/windows-qt.sh | tail -1)
qrencode=$(bash scripts/windows-qrencode.sh | tail -1)
qt_ready=$(seconds)

wine=$(command -v wine || true)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$wine" \
  -DQRENCODE_INCLUDE_DIR="$qrencode/include" \
  -DQRENCODE_LIBRARY="$qrencode/lib/libqrencode.dll.a" \
  -DTANAHUDA_QRENCODE_DLL="$qrencode/bin/libqrencode.dll" \
  -DTANAHUDA_CORE_ONLY=OFF -DTANAHUDA_BENCH=OFF -DTANAHUDA_TESTS=ON -DCMAKE_CXX_FLAGS="-Werror" >"$build.configure.log" 2>&1 || {
  tail -30 "$build.configure.log" >&2
  exit 1
}
rm -f "$build.configure.log"
# The programs, the core's tests and the code page table.
cmake --build "$build" -j "$jobs"
programs_ready=$(seconds)

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
stage="$PWD/$build/stage"
rm -rf "$stage"
cmake --install "$build" --prefix "$stage" --strip >/dev/null
# The MinGW runtime comes with its symbols; the installer need not carry them.
x86_64-w64-mingw32-strip --strip-unneeded "$stage"/bin/*.dll
setup="$PWD/$build/tanahuda-$version-setup.exe"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$setup" \
  packaging/windows/tanahuda.nsi
finished=$(seconds)

echo "windows-build: $setup"
echo "windows-build: $(stat -c %s "$setup") bytes ($(du -h "$setup" | cut -f1)), holding:"
(cd "$stage" && find . -type f -printf '  %P  %s\n' | sort)
echo "windows-build: Qt $((qt_ready - started)) s, programs and tests" \
  "$((programs_ready - qt_ready)) s, installer $((finished - programs_ready)) s"
