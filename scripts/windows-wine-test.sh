#!/usr/bin/env bash
# Runs the Windows programs that scripts/windows-build.sh made under wine, in
# a private wine prefix, offscreen, and compares them with the Linux build:
# - tanahuda-print.exe writes the PDF of a sheet and of a product list: the
#   barcodes read back (zbarimg) and the texts (pdftotext) are those of the
#   Linux tool;
# - tanahuda.exe starts and paints its start window; the input window opens
#   a label file through its own commands and saves it byte for byte;
# - the installer installs silently for the user, the installed
#   tanahuda-print.exe runs, and the uninstaller removes it again.
#
#   bash scripts/windows-wine-test.sh [Windows build, default build-windows-app]
#                                     [Linux build, default build]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-windows-app}
linux_build=${2:-build}
stage="$PWD/$build/stage"
setup=$(ls "$PWD/$build"/tanahuda-*-setup.exe)

source scripts/windows-wine.sh
trap wine_cleanup EXIT
wine_prefix_create
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

# The window program: it starts and paints, then is ended.
TANAHUDA_MEASURE_STARTUP=1 timeout 120 wine "$stage/bin/tanahuda.exe" 2>"$work/window.err" &
window=$!
for _ in $(seq 1 120); do
  grep -q 'start window painted' "$work/window.err" && break
  sleep 1
done
grep -q 'start window painted' "$work/window.err" ||
  fail "tanahuda.exe did not paint its start window: $(head -5 "$work/window.err")"
kill "$window" 2>/dev/null || true
wait "$window" 2>/dev/null || true
# The input window: a label file opened and saved through its own commands.
cp "$work/labels.csv" "$work/opened.csv"
# Run from the build folder, with the Qt libraries and plugins of the stage.
WINEPATH="$(win "$stage/bin");$WINEPATH" QT_PLUGIN_PATH="$(win "$stage/bin")" \
  wine "$build/tests/windows/window_round_trip.exe" \
  "$(win "$work/opened.csv")" "$(win "$work/windows")" 2>"$work/round_trip.err" ||
  fail "the input window's round trip: $(cat "$work/round_trip.err")"
cmp -s "$work/labels.csv" "$work/opened.csv" || fail "the saved label file differs"
echo "windows-wine-test: tanahuda.exe started; the input window saved a label file byte for byte"

# The installer, silently, for this user only; then the installed tool.
wine "$setup" /S
installed="$(wine cmd /c 'echo %LOCALAPPDATA%' 2>/dev/null | tr -d '\r')\\Programs\\tanahuda"
installed_unix=$(winepath -u "$installed")
[ -f "$installed_unix/bin/tanahuda-print.exe" ] || fail "the installer put no tanahuda-print.exe into $installed"
(cd "$work" && wine "$installed\\bin\\tanahuda-print.exe" "$(win "$work/labels.csv")" \
  -o "$(win "$work/installed.pdf")" 2>"$work/installed.err") ||
  fail "the installed tanahuda-print.exe: $(cat "$work/installed.err")"
[ "$(pdfinfo "$work/installed.pdf" 2>/dev/null | awk '/^Pages:/ {print $2}')" = 1 ] ||
  fail "the installed tanahuda-print.exe wrote no sheet"
wine "$installed\\uninstall.exe" /S "_?=$installed"
[ ! -e "$installed_unix/bin" ] || fail "the uninstaller left $installed\\bin"
echo "windows-wine-test: installed into $installed, ran, and uninstalled"

if [ "$failures" -gt 0 ]; then
  echo "windows-wine-test: $failures failures" >&2
  exit 1
fi
echo "windows-wine-test: all passed"
