#!/usr/bin/env bash
# Builds Qt for 64-bit Windows (MinGW-w64) from Debian's own qt6-base source,
# the same version as the host's qt6-base-dev, with only the modules the
# program uses: Core, Gui, Widgets, PrintSupport. The result is kept in a
# cache folder outside the tree, keyed by the Qt version and this script's
# hash, and reused while both stay the same. Prints the Qt prefix on stdout.
#
#   bash scripts/windows-qt.sh            build when missing, print the prefix
#   bash scripts/windows-qt.sh --prefix   only print where the prefix is (or would be)
#
# The source comes through apt-get with a private sources folder holding one
# deb-src entry for the archive the machine already uses: nothing in /etc
# changes and nothing but Debian packages is downloaded.
set -euo pipefail
cd "$(dirname "$0")/.."

cache=${TANAHUDA_CACHE:-$HOME/.cache/tanahuda}
version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
script_hash=$(cat "$0" scripts/debian-source.sh | sha256sum | cut -c1-12)
prefix="$cache/qt-mingw-$version-$script_hash"

if [ "${1:-}" = "--prefix" ]; then
  echo "$prefix"
  exit 0
fi
if [ -f "$prefix/.complete" ]; then
  echo "windows-qt: reusing $prefix" >&2
  echo "$prefix"
  exit 0
fi

work="$cache/qt-mingw-work-$version-$script_hash"
mkdir -p "$work"
started=$(date +%s)

# 1. Debian's source package, through a private apt state.
source scripts/debian-source.sh
src_parent="$work/source"
debian_source qt6-base "$version" "$work" "$src_parent" qtbase

# 2. The cross toolchain for Qt itself (the posix thread model is needed).
toolchain="$work/mingw-w64-qt.cmake"
cat >"$toolchain" <<'TOOLCHAIN'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TOOLCHAIN

# 3. Configure: host tools (moc, rcc, uic) are Debian's of the same version.
# Off: every module the program does not use, the Direct2D platform plugin
# (the program uses qwindows) with the DirectWrite font engine that is built
# only with it (text goes through GDI, as printer drivers expect), and tablet
# events (Debian's source is stripped of wintab.h). OpenGL stays on: 6.4's Windows platform plugin does not
# compile without it (it becomes dynamic OpenGL, loaded only when asked).
# Also off, to keep a fresh machine's first build short: the bundled
# FreeType (Windows draws text with its own font engine), the JPEG, GIF and
# ICO image formats, and the Markdown and ODF text formats.
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
build="$work/build"
cmake -S "$src_parent/qtbase" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" "${launcher[@]}" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_testlib=OFF \
  -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
  -DFEATURE_tabletevent=OFF -DFEATURE_opengl=ON -DFEATURE_direct2d=OFF -DFEATURE_directwrite=OFF \
  -DFEATURE_vulkan=OFF -DFEATURE_freetype=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_ico=OFF \
  -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF -DFEATURE_textodfwriter=OFF >"$work/configure.log" 2>&1 || {
  tail -40 "$work/configure.log" >&2
  echo "windows-qt: configuring Qt failed (log: $work/configure.log)" >&2
  exit 1
}
configured=$(date +%s)

# 4. Build and install (niced: it is the longest step of a fresh machine).
nice -n 10 cmake --build "$build" -j "$(nproc)" >&2
cmake --install "$build" >/dev/null
x86_64-w64-mingw32-strip --strip-unneeded "$prefix"/bin/*.dll "$prefix"/plugins/*/*.dll 2>/dev/null || true
touch "$prefix/.complete"
rm -rf "$build"

finished=$(date +%s)
echo "windows-qt: configure $((configured - started)) s, build and install $((finished - configured)) s," \
  "installed $(du -sm "$prefix" | cut -f1) MB in $prefix" >&2
echo "$prefix"
