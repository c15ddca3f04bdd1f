#!/usr/bin/env bash
# Sets up, builds and runs every test: the style of the tree (clang-format,
# include direction), the full build (core, editor logic,
# widgets offscreen, the print tool), the install and the Debian package,
# the core and its tests cross-compiled for Windows (MinGW-w64) and run under
# wine (with TANAHUDA_WINDOWS_INSTALLER=1 also the Windows programs and their
# installer), then the core again under
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

echo "== the core cross-compiled for Windows (MinGW-w64, no warnings), its tests under wine"
bash scripts/windows-check.sh build-windows build

# Qt for Windows is built from Debian's source once (about 25 minutes on two
# idle cores) and cached outside the tree; then the programs, the installer
# and their run under wine.
if [ "${TANAHUDA_WINDOWS_INSTALLER:-0}" = 1 ]; then
  echo "== the Windows programs and installer (Qt from Debian's source, cached), run under wine"
  bash scripts/windows-build.sh build-windows-app
  bash scripts/windows-wine-test.sh build-windows-app build
fi

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
