# Sourced by the scripts that run the Windows build under wine: a private
# wine prefix in a temporary folder of its own, removed again by
# wine_cleanup. wine has no Japanese fonts; where Windows has ＭＳ 明朝 and
# ＭＳ ゴシック the prefix gets Debian's IPA fonts under those names.

# The MinGW runtime DLLs, for programs run from the build folder.
wine_runtime_path() {
  local compiler dll dirs=()
  compiler=$(command -v x86_64-w64-mingw32-g++-posix)
  for dll in libstdc++-6.dll libwinpthread-1.dll; do
    dirs+=("Z:$(dirname "$(realpath "$("$compiler" -print-file-name="$dll")")" | tr / '\\')")
  done
  local IFS=';'
  echo "${dirs[*]}"
}

# The Windows names labels store, and the IPA face wine shows for each.
wine_font_replacements() {
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
  local pair
  for pair in "ＭＳ 明朝=IPAMincho" "MS Mincho=IPAMincho" "ＭＳ Ｐ明朝=IPAPMincho" \
    "MS PMincho=IPAPMincho" "ＭＳ ゴシック=IPAGothic" "MS Gothic=IPAGothic" \
    "ＭＳ Ｐゴシック=IPAPGothic" "MS PGothic=IPAPGothic"; do
    printf '"%s"="%s"\r\n' "${pair%%=*}" "${pair#*=}"
  done
}

wine_prefix_create() {
  WINE_TEMP=$(mktemp -d "${TMPDIR:-/tmp}/tanahuda-wine.XXXXXX")
  export WINEPREFIX="$WINE_TEMP/prefix" WINEARCH=win64 WINEDEBUG=-all
  # No .NET or Gecko installers: the programs need neither.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  WINEPATH=$(wine_runtime_path)
  export WINEPATH
  wine wineboot --init >/dev/null 2>&1
  cp /usr/share/fonts/opentype/ipafont-mincho/*.ttf /usr/share/fonts/opentype/ipafont-gothic/*.ttf \
    "$WINEPREFIX/drive_c/windows/Fonts/"
  wine_font_replacements | iconv -f UTF-8 -t UTF-16 >"$WINE_TEMP/fonts.reg"
  wine regedit /S "$(winepath -w "$WINE_TEMP/fonts.reg")" >/dev/null 2>&1
}

# The Qt platform the Windows programs start on, or the default (Windows'
# own) without an argument. Set in the prefix's user environment: wine hands
# no QT_* variable of Linux to Windows programs.
wine_qt_platform() {
  if [ -n "${1:-}" ]; then
    wine reg add 'HKCU\Environment' /v QT_QPA_PLATFORM /d "$1" /f >/dev/null 2>&1
  else
    wine reg delete 'HKCU\Environment' /v QT_QPA_PLATFORM /f >/dev/null 2>&1 || true
  fi
}

wine_cleanup() {
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k 2>/dev/null || true
  fi
  if [ -n "${WINE_TEMP:-}" ]; then
    rm -rf "$WINE_TEMP"
  fi
}
