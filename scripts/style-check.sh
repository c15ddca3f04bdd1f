#!/usr/bin/env bash
# Two checks of the source tree that need no build:
#  1. clang-format decides the layout of every C++ file under src/, tests/,
#     fuzz/ and bench/;
#  2. folders of src/ include only from their own folder or one below it in
#     model <- barcode <- files, render <- platform <- editor <- start <- app.
# Prints every offending file or line and exits non-zero when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

status=0

echo "style: clang-format"
mapfile -t sources < <(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' \
  'fuzz/*.cpp' 'fuzz/*.h' 'bench/*.cpp' 'bench/*.h')
if ! clang-format --dry-run -Werror "${sources[@]}"; then
  echo "style: run clang-format -i on the files above" >&2
  status=1
fi

echo "style: include direction"
# The rank of each folder; a file may include from folders of lower or equal
# rank. files and render are siblings: neither includes the other.
declare -A rank=([model]=0 [barcode]=1 [files]=2 [render]=2 [platform]=3 [editor]=4 [start]=5
  [app]=6)
while IFS=: read -r file line text; do
  from=${file#src/}
  from=${from%%/*}
  to=$(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([a-z]+)\/.*/\1/p' <<<"$text")
  [ -n "$to" ] && [ -n "${rank[$to]+x}" ] && [ -n "${rank[$from]+x}" ] || continue
  if [ "$to" != "$from" ] &&
    { [ "${rank[$to]}" -gt "${rank[$from]}" ] ||
      { [ "${rank[$to]}" -eq "${rank[$from]}" ]; }; }; then
    echo "$file:$line: $from/ includes from $to/, which is above it or beside it" >&2
    status=1
  fi
done < <(git grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' -- 'src/*')

exit $status
