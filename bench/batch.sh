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

# N products with valid check digits.
python3 - "$n" >"$tmp/products.csv" <<'PY'
import sys
n = int(sys.argv[1])
def check(data):
    digits = data.rjust(12, "0")
    s = sum(int(d) * (1 if i % 2 == 0 else 3) for i, d in enumerate(digits))
    return str((10 - s % 10) % 10)
print("JANコード,メーカー,品名,規格,ロット,売価")
for i in range(n):
    if i % 5 == 4:
        data = "49%05d" % (i % 100000)
    else:
        data = "4%011d" % (i * 7919 % 10**11)
    code = data + check(data)
    print(f"{code},メーカー{i % 97},商品 {i},{100 + i % 900}g,L{i % 13},\"{(i % 50 + 1) * 100:,}\"")
PY

/usr/bin/time -v "$tool" --products "$tmp/products.csv" -o "$tmp/out.pdf" --dpi 600 \
  2>"$tmp/time.txt" || { cat "$tmp/time.txt"; exit 1; }
pages=$(pdfinfo "$tmp/out.pdf" | awk '/^Pages:/ {print $2}')
size=$(stat -c %s "$tmp/out.pdf")
echo "products: $n  pages: $pages  pdf bytes: $size"
grep -E 'Elapsed|Maximum resident|User time|System time' "$tmp/time.txt"
