#!/usr/bin/env bash
# Runs what scripts/windows-build.sh made under wine, in a private wine
# prefix, and compares it with the Linux build:
# - the core's tests and the Windows file calls (ctest, through wine);
# - Windows' own code page 932 table against the C library's of Linux, for
#   every single byte, every lead and trail byte pair and every character of
#   the Basic Multilingual Plane;
# - tanahuda-print.exe, on Windows' own platform as installed, writes the PDF
#   of a sheet and of a product list: the barcodes read back (zbarimg) and
#   the texts (pdftotext) are those of the Linux tool;
# - tanahuda.exe starts and paints its start window without a screen (Qt's
#   minimal platform with Windows' own font engine, "minimal:enable_fonts":
#   this Qt's offscreen platform would need FreeType, which it leaves out)
#   and on the Windows platform on a private X server, where it also opens
#   a label file given to it, saves it on Ctrl+S byte for byte, and ends
#   with 0 when its window is closed;
# - the installer installs silently for the user, with its Start-menu
#   entries, the installed tanahuda-print.exe runs, and the uninstaller
#   removes it again.
#
#   bash scripts/windows-wine-test.sh [Windows build, default build-windows]
#                                     [Linux build, default build]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-windows}
linux_build=${2:-build}
stage="$PWD/$build/stage"
setup=$(ls "$PWD/$build"/tanahuda-*-setup.exe)

source scripts/windows-wine.sh
trap wine_cleanup EXIT
wine_prefix_create
# The Linux tool, for comparison, draws offscreen.
export QT_QPA_PLATFORM=offscreen
work="$WINE_TEMP/work"
mkdir -p "$work/linux" "$work/windows"
python3 tests/windows/sample_inputs.py "$work"
failures=0
fail() {
  echo "windows-wine-test: FAILED: $*" >&2
  failures=$((failures + 1))
}
win() { winepath -w "$1"; }

# The core's tests; they load libqrencode's DLL from its own folder.
qrencode_dll=$(dirname "$(sed -n 's/^TANAHUDA_QRENCODE_DLL:[A-Z]*=//p' "$build/CMakeCache.txt")")
if WINEPATH="$(win "$qrencode_dll");$WINEPATH" \
  ctest --test-dir "$build" --output-on-failure -j "$(nproc)" --timeout 300 >"$work/ctest.log" 2>&1; then
  echo "windows-wine-test: the core's tests under wine: $(grep 'tests passed' "$work/ctest.log")"
else
  tail -60 "$work/ctest.log" >&2
  fail "the core's tests under wine"
fi

cmake --build "$linux_build" --target cp932_table >/dev/null
"$linux_build/tests/windows/cp932_table" "$work/cp932-linux.txt"
WINEPATH="$(win "$qrencode_dll");$WINEPATH" \
  wine "$build/tests/windows/cp932_table.exe" "$(win "$work/cp932-windows.txt")"
if diff -u "$work/cp932-linux.txt" "$work/cp932-windows.txt" >"$work/cp932.diff"; then
  echo "windows-wine-test: code page 932 is the same on Linux and Windows" \
    "($(wc -l <"$work/cp932-linux.txt") conversions compared)"
else
  head -40 "$work/cp932.diff" >&2
  fail "code page 932 differs between Linux and Windows ($(grep -c '^+[a-z]' "$work/cp932.diff") lines)"
fi

# The words of a PDF's text, one a line, and its barcodes, sorted.
pdf_words() { pdftotext "$1" - | tr -s ' \t\f' '\n\n\n' | grep -v '^$' | sort; }
pdf_barcodes() {
  local pages="$1.pages"
  mkdir -p "$pages"
  pdftoppm -r 300 -gray -png "$1" "$pages/page"
  for page in "$pages"/page*.png; do
    zbarimg -q --raw "$page" 2>/dev/null || true
  done | sort
}

# tanahuda-print, Linux and Windows, on the same inputs.
print_both() {
  local name=$1
  shift
  "$linux_build/src/app/tanahuda-print" "$@" -o "$work/linux/$name.pdf" 2>/dev/null || true
  local args=() arg
  for arg in "$@"; do
    if [ -e "$arg" ]; then args+=("$(win "$arg")"); else args+=("$arg"); fi
  done
  wine "$stage/bin/tanahuda-print.exe" "${args[@]}" -o "$(win "$work/windows/$name.pdf")" \
    2>"$work/windows/$name.err" || true
  if [ ! -s "$work/windows/$name.pdf" ]; then
    fail "tanahuda-print.exe wrote no PDF of the $name: $(cat "$work/windows/$name.err")"
    return
  fi
  diff <(pdf_words "$work/linux/$name.pdf") <(pdf_words "$work/windows/$name.pdf") \
    >"$work/$name.words.diff" || fail "the $name's texts differ: $(head -20 "$work/$name.words.diff")"
  local linux_codes windows_codes
  linux_codes=$(pdf_barcodes "$work/linux/$name.pdf")
  windows_codes=$(pdf_barcodes "$work/windows/$name.pdf")
  [ -n "$windows_codes" ] || fail "no barcode of the $name reads back"
  [ "$linux_codes" = "$windows_codes" ] ||
    fail "the $name's barcodes differ: Linux $(echo $linux_codes), Windows $(echo $windows_codes)"
  echo "windows-wine-test: the $name: $(pdf_words "$work/windows/$name.pdf" | wc -l) words and" \
    "$(echo "$windows_codes" | grep -c .) barcodes as on Linux"
}
print_both sheet "$work/labels.csv"
print_both "product list" --products "$work/products.csv" --layout "$work/data.txt"

# The window program starts and paints its start window, then is ended: once
# without a screen, and once on the Windows platform plugin users have (a private X
# server stands in for the screen, wine draws the program's windows on it).
paints_start_window() {
  local name=$1 log="$work/window-${1// /-}.err" pid
  wine_qt_platform "$2"
  TANAHUDA_MEASURE_STARTUP=1 timeout 120 wine "$stage/bin/tanahuda.exe" 2>"$log" &
  pid=$!
  for _ in $(seq 1 120); do
    grep -q 'start window painted' "$log" && break
    sleep 1
  done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  if grep -q 'start window painted' "$log"; then
    echo "windows-wine-test: tanahuda.exe painted its start window ($name)"
  else
    fail "tanahuda.exe did not paint its start window ($name): $(head -5 "$log")"
  fi
}
paints_start_window "no screen" minimal:enable_fonts
display=
for n in $(seq 90 120); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
    display=$n
    break
  fi
done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 1 50); do
  [ -e "/tmp/.X11-unix/X$display" ] && break
  sleep 0.2
done
# wine's desktop, started without a screen for the runs above, is ended, and
# every wine program from here on is on the X server, the desktop first.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
export DISPLAY=":$display"
paints_start_window "Windows platform" windows

# tanahuda.exe given a label file opens it in the input window; Ctrl+S there
# saves it byte for byte, and closing the window ends the program with 0.
opened="$work/opened.csv"
cp "$work/labels.csv" "$opened"
touch -d '2001-01-01 00:00' "$opened"
long_ago=$(stat -c %Y "$opened")
TANAHUDA_MEASURE_STARTUP=1 timeout 180 \
  wine "$stage/bin/tanahuda.exe" "$(win "$opened")" 2>"$work/window-file.err" &
window=$!
for _ in $(seq 1 120); do
  grep -qs 'input window painted' "$work/window-file.err" && break
  sleep 1
done
wine "$build/tests/windows/window_keys.exe" opened.csv ctrl+s 2>>"$work/window-file.err" ||
  fail "no keys reached tanahuda.exe's input window: $(head -5 "$work/window-file.err")"
for _ in $(seq 1 60); do
  [ "$(stat -c %Y "$opened")" != "$long_ago" ] && break
  sleep 0.5
done
wine "$build/tests/windows/window_keys.exe" opened.csv close 2>>"$work/window-file.err" || true
if wait "$window"; then status=0; else status=$?; fi
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
unset DISPLAY
kill "$xvfb" 2>/dev/null || true
wait "$xvfb" 2>/dev/null || true
[ "$(stat -c %Y "$opened")" != "$long_ago" ] || fail "tanahuda.exe did not save the label file it opened"
cmp -s "$work/labels.csv" "$opened" || fail "tanahuda.exe saved the label file it opened otherwise"
[ "$status" = 0 ] || fail "tanahuda.exe ended with $status: $(head -5 "$work/window-file.err")"
echo "windows-wine-test: tanahuda.exe opened a label file, saved it byte for byte and ended with 0"

# The installer, silently, for this user only; then the installed tool.
wine "$setup" /S
installed="$(wine cmd /c 'echo %LOCALAPPDATA%' 2>/dev/null | tr -d '\r')\\Programs\\tanahuda"
installed_unix=$(winepath -u "$installed")
[ -f "$installed_unix/bin/tanahuda-print.exe" ] || fail "the installer put no tanahuda-print.exe into $installed"
menu="$(winepath -u "$(wine cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')")/Microsoft/Windows/Start Menu/Programs/tanahuda"
for entry in "棚札 tanahuda.lnk" "マニュアル.lnk" "アンインストール.lnk"; do
  [ -f "$menu/$entry" ] || fail "the Start menu has no $entry (it has: $(ls "$menu" 2>&1 | tr '\n' ' '))"
done
wine_qt_platform
(cd "$work" && wine "$installed\\bin\\tanahuda-print.exe" "$(win "$work/labels.csv")" \
  -o "$(win "$work/installed.pdf")" 2>"$work/installed.err") ||
  fail "the installed tanahuda-print.exe: $(cat "$work/installed.err")"
[ "$(pdfinfo "$work/installed.pdf" 2>/dev/null | awk '/^Pages:/ {print $2}')" = 1 ] ||
  fail "the installed tanahuda-print.exe wrote no sheet"
wine "$installed\\uninstall.exe" /S "_?=$installed"
[ ! -e "$installed_unix/bin" ] || fail "the uninstaller left $installed\\bin"
[ ! -e "$menu" ] || fail "the uninstaller left the Start-menu folder"
echo "windows-wine-test: installed into $installed, ran, and uninstalled"

if [ "$failures" -gt 0 ]; then
  echo "windows-wine-test: $failures failures" >&2
  exit 1
fi
echo "windows-wine-test: all passed"
