#!/usr/bin/env bash
# Sets up, builds and runs every test: the style of the tree (clang-format,
# include direction), the full build (core, editor logic,
# widgets offscreen, the print tool), the install and the Debian package,
# the Windows programs, the core's tests and the installer cross-built with
# MinGW-w64 and run under wine, then the core again under
# AddressSanitizer + UndefinedBehaviorSanitizer, then the file-reader fuzzers
# for a bounded time. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

echo "== style (clang-format, include direction)"
bash scripts/style-check.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

echo "== build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"

echo "== tests"
(cd build && ctest --output-on-failure -j "$jobs" --timeout 300)

echo "== the print tool under faults (full disk, kill -9, signals, special files, bad lists)"
bash tests/faults/faults.sh build

echo "== install and package"
bash scripts/package-check.sh build

# Qt for Windows is built from Debian's source once and cached outside the
# tree (the longest step of a fresh machine); then the programs, the core's
# tests and the installer, all without warnings, and their run under wine.
echo "== the Windows programs and installer (MinGW-w64, Qt from Debian's source), run under wine"
bash scripts/windows-build.sh build-windows
bash scripts/windows-wine-test.sh build-windows build

echo "== core under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTANAHUDA_CORE_ONLY=ON \
  -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DTANAHUDA_FUZZ=ON >/dev/null
cmake --build build-asan -j "$jobs"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j "$jobs" --timeout 300)

echo "== fuzzing the file readers"
bash scripts/fuzz.sh build-asan "${TANAHUDA_FUZZ_SECONDS:-30}"
