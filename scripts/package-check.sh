#!/usr/bin/env bash
# Checks that the program installs: `cmake --install` into a temporary prefix
# gives both programs, the menu entry, the icons and the manual with every
# picture it shows, and the installed tanahuda-print starts; then cpack builds the Debian package, which must
# declare its dependencies (Qt 6 libraries and plugins, Qt's translations, the
# IPA fonts) and hold the same files.
#
#   scripts/package-check.sh [BUILD_DIR]   (default: build, already built)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

failures=0
fail() {
  echo "package-check: FAILED: $*" >&2
  failures=$((failures + 1))
}

installed_files=(
  bin/tanahuda
  bin/tanahuda-print
  share/applications/tanahuda.desktop
  share/icons/hicolor/scalable/apps/tanahuda.svg
  share/icons/hicolor/48x48/apps/tanahuda.png
  share/icons/hicolor/256x256/apps/tanahuda.png
  share/doc/tanahuda/manual/index.html
  share/doc/tanahuda/manual/images/input.png
  share/doc/tanahuda/manual/images/calibration.png
)

echo "== install into a temporary prefix"
cmake --install "$build" --prefix "$tmp/prefix" >"$tmp/install.log"
for f in "${installed_files[@]}"; do
  [ -e "$tmp/prefix/$f" ] || fail "cmake --install did not install $f"
done
for f in bin/tanahuda bin/tanahuda-print; do
  [ -x "$tmp/prefix/$f" ] || fail "$f is not executable"
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$tmp/prefix/share/applications/tanahuda.desktop" ||
    fail "the menu entry does not validate"
fi

echo "== the installed manual is whole"
manual="$tmp/prefix/share/doc/tanahuda/manual"
for picture in $(grep -o 'src="[^"]*"' "$manual/index.html" | sed 's/src="//; s/"$//'); do
  [ -f "$manual/$picture" ] || fail "the manual shows $picture, which is not installed"
done

echo "== the installed tanahuda-print starts"
if "$tmp/prefix/bin/tanahuda-print" --help >"$tmp/help.txt" 2>&1; then
  head -n 3 "$tmp/help.txt"
else
  fail "tanahuda-print --help exited with $? ($(head -c 300 "$tmp/help.txt"))"
fi

echo "== Debian package"
(cd "$build" && cpack -G DEB -B "$tmp/deb" >"$tmp/cpack.log" 2>&1) ||
  { cat "$tmp/cpack.log" >&2; fail "cpack could not build the package"; }
deb=$(find "$tmp/deb" -maxdepth 1 -name 'tanahuda_*.deb' | head -n 1)
if [ -z "$deb" ]; then
  fail "no tanahuda_*.deb was built"
else
  echo "$(basename "$deb")"
  dpkg-deb -I "$deb" >"$tmp/info.txt"
  depends=$(sed -n 's/^ Depends: //p' "$tmp/info.txt")
  echo "Depends: $depends"
  tr ',|' '\n\n' <<<"$depends" | sed 's/(.*//; s/ //g' >"$tmp/depends.txt"
  for dep in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 qt6-qpa-plugins \
      qt6-translations-l10n fonts-ipafont-mincho fonts-ipafont-gothic libc6 libstdc++6 libcups2; do
    grep -Fqx "$dep" "$tmp/depends.txt" || fail "the package does not depend on $dep"
  done
  dpkg-deb -c "$deb" | awk '{print $6}' >"$tmp/contents.txt"
  for f in "${installed_files[@]}"; do
    grep -qx "./usr/$f" "$tmp/contents.txt" || fail "the package does not hold /usr/$f"
  done
  # Every dependency resolves on this system (nothing is installed).
  if [ "$(id -u)" -eq 0 ]; then
    dpkg --dry-run -i "$deb" >"$tmp/dryrun.log" 2>&1 ||
      { cat "$tmp/dryrun.log" >&2; fail "dpkg would not install the package"; }
  fi
fi

if [ "$failures" -ne 0 ]; then
  echo "package-check: $failures check(s) failed" >&2
  exit 1
fi
echo "package-check: the program installs and packages"
