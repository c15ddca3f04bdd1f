#!/usr/bin/env bash
# Checks that the program installs: `cmake --install` into a temporary prefix
# gives both programs, the menu entry, the icons, the manual with every
# picture it shows, the notice (NOTICE.txt: the licence and the software the
# program uses), the AppStream metadata and the manual pages, and the installed
# tanahuda-print starts. The menu entry passes desktop-file-validate and the
# metadata `appstreamcli validate --pedantic`, with nothing to report; every
# manual page renders without a warning and names every option --help names.
# Then cpack builds the Debian package, which must declare its dependencies
# (Qt 6 libraries and plugins, Qt's translations, the IPA fonts), hold the same
# files, and pass lintian with no error and no warning.
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
  share/doc/tanahuda/manual/images/printed-incl-base.png
  share/doc/tanahuda/NOTICE.txt
  share/doc/tanahuda/copyright
  share/doc/tanahuda/changelog.Debian.gz
  share/metainfo/org.example.tanahuda.metainfo.xml
)
# Each program's manual page: English the default, Japanese under ja/.
manual_pages=(tanahuda tanahuda-print)
declare -A page_folder=([en]=share/man/man1 [ja]=share/man/ja/man1)
declare -A page_locale=([en]=en_US.UTF-8 [ja]=ja_JP.UTF-8)
for program in "${manual_pages[@]}"; do
  for language in en ja; do
    installed_files+=("${page_folder[$language]}/$program.1.gz")
  done
done

echo "== install into a temporary prefix"
cmake --install "$build" --prefix "$tmp/prefix" >"$tmp/install.log"
for f in "${installed_files[@]}"; do
  [ -e "$tmp/prefix/$f" ] || fail "cmake --install did not install $f"
done
for f in bin/tanahuda bin/tanahuda-print; do
  [ -x "$tmp/prefix/$f" ] || fail "$f is not executable"
done

echo "== the menu entry and the software-centre metadata validate"
# Both tools report hints and warnings with a success status: any line they
# print is a finding.
if desktop-file-validate "$tmp/prefix/share/applications/tanahuda.desktop" >"$tmp/desktop.txt" 2>&1 &&
  [ ! -s "$tmp/desktop.txt" ]; then
  echo "desktop-file-validate: no findings"
else
  cat "$tmp/desktop.txt" >&2
  fail "desktop-file-validate reports the menu entry"
fi
metainfo="$tmp/prefix/share/metainfo/org.example.tanahuda.metainfo.xml"
if appstreamcli validate --pedantic --no-net "$metainfo" >"$tmp/appstream.txt" 2>&1 &&
  ! grep -qE '^[EWIP]:' "$tmp/appstream.txt"; then
  tail -n 1 "$tmp/appstream.txt"
else
  cat "$tmp/appstream.txt" >&2
  fail "appstreamcli validate reports the metadata"
fi

echo "== the licence and the notice"
notice="$tmp/prefix/share/doc/tanahuda/NOTICE.txt"
copyright="$tmp/prefix/share/doc/tanahuda/copyright"
grep -Fq "$(sed -n '5,$p' LICENSE)" "$notice" || fail "NOTICE.txt does not hold LICENSE in full"
for part in "Qt 6" "LGPL-3.0" "GCC Runtime Library Exception" "IPA Font License"; do
  grep -Fq "$part" "$notice" || fail "NOTICE.txt does not name $part"
done
grep -Eq '^Source: +Debian.s source package qt6-base, version [^ ]+:$' "$notice" ||
  grep -Fq "qtbase-everywhere-src-" "$notice" || fail "NOTICE.txt does not say where Qt's source is"
# The copyright file's licence is LICENSE's, in Debian's indented form.
# (the lines after the last "License: Expat", the stand-alone licence paragraph)
awk '/^License: Expat$/ { body = ""; next } { body = body $0 "\n" } END { printf "%s", body }' \
  "$copyright" | sed 's/^ //; s/^\.$//' >"$tmp/expat.txt"
diff -u <(sed -n '5,$p' LICENSE) "$tmp/expat.txt" >&2 ||
  fail "the copyright file's licence text differs from LICENSE"

echo "== the manual pages render and name every option of --help"
for program in "${manual_pages[@]}"; do
  for language in en ja; do
    page="$tmp/prefix/${page_folder[$language]}/$program.1.gz"
    [ -f "$page" ] || continue
    # groff cannot break lines of Japanese at its width; lintian allows that
    # in Japanese pages too.
    if ! LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" \
      2>"$tmp/groff.txt" >/dev/null; then
      fail "$page does not render"
    fi
    if [ "$language" = ja ]; then
      sed -i "/can't break line/d; /cannot adjust line/d" "$tmp/groff.txt"
    fi
    [ ! -s "$tmp/groff.txt" ] || { cat "$tmp/groff.txt" >&2; fail "groff warns on $page"; }
    LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" >"$tmp/page.txt" 2>/dev/null
    LC_ALL=${page_locale[$language]} "$tmp/prefix/bin/$program" --help >"$tmp/page-help.txt"
    head -n 1 "$tmp/page-help.txt" | grep -Eq '^(Usage|使い方):$' ||
      fail "$program --help in $language does not start with its usage"
    options=$(grep -oE '^  -[^ ]*(, -[^ ]*)?' "$tmp/page-help.txt" | tr -d ' ' | tr ',' '\n')
    [ -n "$options" ] || fail "$program --help in $language explains no option"
    for option in $options; do
      grep -qE -- "(^|[^a-z-])$option([^a-z-]|\$)" "$tmp/page.txt" ||
        fail "the $language manual page of $program does not name $option"
    done
    echo "$language $program.1: $(wc -l <"$tmp/page.txt") lines, options: $(echo $options)"
  done
done

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
      qt6-translations-l10n fonts-ipafont-mincho fonts-ipafont-gothic libc6 libstdc++6 libcups2 libqrencode4; do
    grep -Fqx "$dep" "$tmp/depends.txt" || fail "the package does not depend on $dep"
  done
  dpkg-deb -c "$deb" | awk '{print $6}' >"$tmp/contents.txt"
  for f in "${installed_files[@]}"; do
    grep -qx "./usr/$f" "$tmp/contents.txt" || fail "the package does not hold /usr/$f"
  done
  echo "== lintian"
  # Run as root it says so on stderr; that is not a finding.
  if lintian --fail-on error,warning "$deb" >"$tmp/lintian.txt" 2>"$tmp/lintian-err.txt"; then
    echo "lintian: no error, no warning"
  else
    fail "lintian reports the package"
  fi
  cat "$tmp/lintian.txt"
  grep -Ev 'running with root privileges' "$tmp/lintian-err.txt" >&2 || true
  version=$(dpkg-deb -f "$deb" Version)
  dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/tanahuda/changelog.Debian.gz |
    zcat | sed -n 1p | grep -Fq "tanahuda ($version)" ||
    fail "changelog.Debian.gz does not begin with version $version"
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
