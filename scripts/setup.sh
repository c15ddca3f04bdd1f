#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test and run.
# Safe to run again: when everything is present it only checks and returns.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config ccache clang-format
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n qt6-l10n-tools
  libqt6svg6 libcups2-dev libqrencode-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-ipafont-mincho fonts-ipafont-gothic fontconfig
  poppler-utils zbar-tools imagemagick ghostscript
  cups-daemon cups-client printer-driver-cups-pdf
  clang libclang-rt-14-dev
  xvfb xauth dpkg-dev file
  python3 lintian appstream desktop-file-utils man-db groff-base
  g++-mingw-w64-x86-64-posix googletest wine wine64 nsis
  glabels-data
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "setup: these packages are missing and installing them needs root: ${missing[*]}" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
