#!/usr/bin/env bash
# Cross-compiles the Qt-free core (model, barcode, files, render) for 64-bit
# Windows with MinGW-w64 and fails on any warning. Only the library is built:
# Debian builds no GoogleTest for Windows, so the tests stay on Linux; where
# wine is installed, the Windows file calls are run by a small program.
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

# Nor a libqrencode for MinGW-w64: the declarations the QR encoder uses stand
# in for its header in the same way.
cat >"$iconv_dir/qrencode.h" <<'HEADER'
#pragma once
#ifdef __cplusplus
extern "C" {
#endif
typedef enum { QR_ECLEVEL_L = 0, QR_ECLEVEL_M, QR_ECLEVEL_Q, QR_ECLEVEL_H } QRecLevel;
typedef enum { QR_MODE_NUL = -1, QR_MODE_NUM = 0, QR_MODE_AN, QR_MODE_8 } QRencodeMode;
typedef struct _QRinput QRinput;
typedef struct {
  int version;
  int width;
  unsigned char* data;
} QRcode;
QRinput* QRinput_new2(int version, QRecLevel level);
int QRinput_append(QRinput* input, QRencodeMode mode, int size, const unsigned char* data);
int QRinput_appendECIheader(QRinput* input, unsigned int ecinum);
void QRinput_free(QRinput* input);
QRcode* QRcode_encodeInput(QRinput* input);
void QRcode_free(QRcode* qrcode);
#ifdef __cplusplus
}
#endif
HEADER

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" \
  -DTANAHUDA_CORE_ONLY=ON -DTANAHUDA_TESTS=OFF \
  -DCMAKE_CXX_FLAGS="-Werror" \
  -DIconv_INCLUDE_DIR="$iconv_dir" -DIconv_LIBRARY=iconv \
  -DQRENCODE_INCLUDE_DIR="$iconv_dir" -DQRENCODE_LIBRARY=qrencode >/dev/null
cmake --build "$build" -j "$(nproc)" --target tanahuda_core
echo "windows-check: the core compiles for Windows without warnings"

# Where wine is installed (it is not part of setup.sh), the file reading and
# replacement run through the Windows API too. That part of the core needs no
# iconv, so it links on its own.
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
