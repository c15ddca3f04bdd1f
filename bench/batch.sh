#!/usr/bin/env bash
# Times a whole batch job: N valid products (EAN-13 and EAN-8 codes, Japanese
# texts) printed by tanahuda-print to a 600 dpi PDF, with /usr/bin/time -v.
#   bench/batch.sh N [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
n=${1:?usage: bench/batch.sh N [BUILD_DIR]}
build=${2:-build}
tool="$build/src/app/tanahuda-print"
[ -x "$tool" ] || { echo "batch.sh: build tanahuda-print first ($tool)" >&2; exit 1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

python3 bench/products.py "$n" >"$tmp/products.csv"

/usr/bin/time -v "$tool" --products "$tmp/products.csv" -o "$tmp/out.pdf" --dpi 600 \
  2>"$tmp/time.txt" || { cat "$tmp/time.txt"; exit 1; }
pages=$(pdfinfo "$tmp/out.pdf" | awk '/^Pages:/ {print $2}')
size=$(stat -c %s "$tmp/out.pdf")
echo "products: $n  pages: $pages  pdf bytes: $size"
grep -E 'Elapsed|Maximum resident|User time|System time' "$tmp/time.txt"
