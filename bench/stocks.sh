#!/usr/bin/env bash
# Compares a batch job on the 65-label stock with the same job on the
# standard stock: N products printed by tanahuda-print to a 600 dpi PDF,
# with /usr/bin/time -v; prints the time per label and the peak memory of each.
#   bench/stocks.sh N [BUILD_DIR]
#
# Measured (RelWithDebInfo, 2 shared cores under a load of about 15):
#   N = 10,000  standard: 1000 pages, 0.53-0.60 ms a label, peak RSS 29.5 MiB
#               65 labels: 154 pages, 0.48-0.54 ms a label, peak RSS 31.7 MiB
#   N = 1,000   standard: 0.56 ms a label, 29.0 MiB; 65 labels: 0.53 ms, 31.3 MiB
# The 65-label stock is no slower a label, and memory stays flat with N.
source "$(dirname "$0")/tool-bench.sh"

python3 bench/products.py "$n" >"$tmp/products.csv"
: >"$tmp/default.txt"  # the default pattern, whatever the user's is

run() {
  local stock=$1
  /usr/bin/time -v "$tool" --products "$tmp/products.csv" --layout "$tmp/default.txt" \
    --stock "$stock" -o "$tmp/out.pdf" --dpi 600 2>"$tmp/time.txt" || {
    # Exit status 3 only says that some labels were reported (condensed texts).
    [ $? -eq 3 ] || { cat "$tmp/time.txt"; exit 1; }
  }
  local pages seconds peak
  pages=$(pdfinfo "$tmp/out.pdf" | awk '/^Pages:/ {print $2}')
  seconds=$(awk -F': ' '/Elapsed/ {n = split($2, t, ":"); s = 0;
    for (i = 1; i <= n; ++i) s = s * 60 + t[i]; print s}' "$tmp/time.txt")
  peak=$(awk -F': ' '/Maximum resident/ {print $2}' "$tmp/time.txt")
  awk -v stock="$stock" -v n="$n" -v pages="$pages" -v s="$seconds" -v kb="$peak" 'BEGIN {
    printf "%-22s products: %d  pages: %d  elapsed: %.2f s  per label: %.3f ms  peak RSS: %d KiB\n",
      stock, n, pages, s, s * 1000 / n, kb }'
}

run "A4 10面 91×55mm"
run "A4 65面 38.1×21.2mm"
