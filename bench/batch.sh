#!/usr/bin/env bash
# Times a whole batch job: N valid products (EAN-13 and EAN-8 codes, Japanese
# texts) printed by tanahuda-print to a 600 dpi PDF, with /usr/bin/time -v.
#   bench/batch.sh N [BUILD_DIR]
source "$(dirname "$0")/tool-bench.sh"

python3 bench/products.py "$n" >"$tmp/products.csv"

/usr/bin/time -v "$tool" --products "$tmp/products.csv" -o "$tmp/out.pdf" --dpi 600 \
  2>"$tmp/time.txt" || { cat "$tmp/time.txt"; exit 1; }
pages=$(pdfinfo "$tmp/out.pdf" | awk '/^Pages:/ {print $2}')
size=$(stat -c %s "$tmp/out.pdf")
echo "products: $n  pages: $pages  pdf bytes: $size"
grep -E 'Elapsed|Maximum resident|User time|System time' "$tmp/time.txt"
