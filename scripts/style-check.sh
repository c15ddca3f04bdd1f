#!/usr/bin/env bash
# Two checks of the source tree that need no build:
#  1. clang-format decides the layout of every C++ file under src/, tests/,
#     fuzz/ and bench/;
#  2. folders of src/ include only from their own folder or one below it in
#     model <- barcode <- files, render <- jobs <- platform <- editor <- start
#     <- app; editor/logic includes nothing of editor/widgets; the Qt-free
#     folders (model, barcode, files, render, jobs, editor/logic) no Qt header.
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
# rank. files and render are siblings: neither includes the other. An include
# is read whether it is written "folder/..." or <folder/...>.
declare -A rank=([model]=0 [barcode]=1 [files]=2 [render]=2 [jobs]=3 [platform]=4 [editor]=5
  [start]=6 [app]=7)
# Folders that run without Qt: they include no Qt header.
qtFree='^src/(model|barcode|files|render|jobs|editor/logic)/'
includeLine='^[[:space:]]*#[[:space:]]*include[[:space:]]*["<]'
while IFS=: read -r file line text; do
  from=${file#src/}
  from=${from%%/*}
  target=$(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*["<]([^">]*)[">].*/\1/p' <<<"$text")
  if [[ $file =~ $qtFree ]] && [[ $target =~ ^Q[A-Za-z]*(/|$) ]]; then
    echo "$file:$line: ${file#src/} runs without Qt but includes <$target>" >&2
    status=1
  fi
  # The editor's logic runs headless: it never reaches its widgets.
  if [[ $file == src/editor/logic/* ]] && [[ $target == editor/widgets/* ]]; then
    echo "$file:$line: editor/logic/ includes from editor/widgets/" >&2
    status=1
  fi
  to=$(sed -nE 's/^([a-z]+)\/.*/\1/p' <<<"$target")
  [ -n "$to" ] && [ -n "${rank[$to]+x}" ] && [ -n "${rank[$from]+x}" ] || continue
  if [ "$to" != "$from" ] && [ "${rank[$to]}" -ge "${rank[$from]}" ]; then
    echo "$file:$line: $from/ includes from $to/, which is above it or beside it" >&2
    status=1
  fi
done < <(git grep -nE "$includeLine" -- 'src/*')

exit $status
