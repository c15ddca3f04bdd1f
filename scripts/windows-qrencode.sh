#!/usr/bin/env bash
# Builds libqrencode for 64-bit Windows (MinGW-w64) from Debian's own qrencode
# source, the same version as the host's libqrencode-dev, without its tools,
# tests or PNG output: the DLL the programs load, installed beside them so
# that it stays replaceable (LGPL). The result is kept in a cache folder
# outside the tree, keyed by the version and the hash of this script, the
# fetching helper and the toolchain, and reused while they stay the same.
# Prints the install prefix on stdout (include/qrencode.h,
# bin/libqrencode.dll, lib/libqrencode.dll.a).
#
#   bash scripts/windows-qrencode.sh
set -euo pipefail
cd "$(dirname "$0")/.."

cache=${TANAHUDA_CACHE:-$HOME/.cache/tanahuda}
version=$(dpkg-query -W -f='${Version}' libqrencode-dev)
script_hash=$(cat "$0" scripts/debian-source.sh cmake/mingw-w64.cmake | sha256sum | cut -c1-12)
prefix="$cache/qrencode-mingw-$version-$script_hash"
if [ -f "$prefix/.complete" ]; then
  echo "windows-qrencode: reusing $prefix" >&2
  echo "$prefix"
  exit 0
fi

work="$cache/qrencode-mingw-work-$version-$script_hash"
mkdir -p "$work"
started=$(date +%s)

source scripts/debian-source.sh
debian_source qrencode "$version" "$work" "$work/source" qrencode

build="$work/build"
rm -rf "$build" "$prefix"
cmake -S "$work/source/qrencode" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64.cmake" \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DWITH_TOOLS=OFF -DWITH_TESTS=OFF -DWITHOUT_PNG=ON -DBUILD_SHARED_LIBS=ON >"$work/configure.log" 2>&1 || {
  tail -40 "$work/configure.log" >&2
  exit 1
}
cmake --build "$build" -j "$(nproc)" >"$work/build.log" 2>&1 || {
  tail -40 "$work/build.log" >&2
  exit 1
}
cmake --install "$build" >/dev/null
if [ -f "$prefix/lib/libqrencode.dll" ]; then
  # Its install rules put the DLL among the libraries; programs load it from bin.
  mkdir -p "$prefix/bin"
  mv "$prefix/lib/libqrencode.dll" "$prefix/bin/"
fi
touch "$prefix/.complete"
rm -rf "$build"
echo "windows-qrencode: built $prefix in $(($(date +%s) - started)) s" \
  "($(du -h "$prefix"/bin/libqrencode.dll | cut -f1))" >&2
echo "$prefix"
