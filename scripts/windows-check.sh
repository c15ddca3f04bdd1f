#!/usr/bin/env bash
# Cross-compiles the Qt-free core (model, barcode, files, render) for 64-bit
# Windows with MinGW-w64 and fails on any warning. Only the library is built:
# Debian builds no GoogleTest for Windows, so the tests stay on Linux.
#
#   bash scripts/windows-check.sh [build folder, default build-windows]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-windows}

# Debian has no iconv for MinGW-w64 either. A Windows build links GNU
# libiconv; here the library is only compiled, never linked, so its standard
# declarations stand in for its header.
iconv_dir="$PWD/$build/iconv-declarations"
mkdir -p "$iconv_dir"
cat >"$iconv_dir/iconv.h" <<'HEADER'
#pragma once
#include <stddef.h>
#ifdef __cplusplus
extern "C" {
#endif
typedef void* iconv_t;
iconv_t iconv_open(const char* tocode, const char* fromcode);
size_t iconv(iconv_t cd, char** inbuf, size_t* inbytesleft, char** outbuf, size_t* outbytesleft);
int iconv_close(iconv_t cd);
#ifdef __cplusplus
}
#endif
HEADER

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" \
  -DTANAHUDA_CORE_ONLY=ON -DTANAHUDA_TESTS=OFF \
  -DCMAKE_CXX_FLAGS="-Werror" \
  -DIconv_INCLUDE_DIR="$iconv_dir" -DIconv_LIBRARY=iconv >/dev/null
cmake --build "$build" -j "$(nproc)" --target tanahuda_core
echo "windows-check: the core compiles for Windows without warnings"
