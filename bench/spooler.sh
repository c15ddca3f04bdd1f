#!/usr/bin/env bash
# Times jobs handed to a print spooler: a batch of N products and a one-sheet
# job (10 products) printed by tanahuda-print --printer on a queue of a private
# cupsd (tests/spooler/private-cupsd.sh; needs root). Reports the time until
# the spooler has accepted each job (the tool exits then), the bytes of the
# job as spooled and per page, and for the one-sheet job also the time until
# the spooler's filters have produced the printer's PostScript. The batch job
# is held in the queue and not filtered.
#   bench/spooler.sh N [BUILD_DIR]
source "$(dirname "$0")/tool-bench.sh"
chmod 0755 "$tmp"
spooler="$tmp/spooler"
trap 'bash tests/spooler/private-cupsd.sh stop "$spooler"; rm -rf "$tmp"' EXIT

bash tests/spooler/private-cupsd.sh start "$spooler" >/dev/null
export CUPS_SERVER="$spooler/run/cups.sock"
bash tests/spooler/private-cupsd.sh queue "$spooler" Bench
: >"$tmp/default.txt"

# One job: seconds until accepted, bytes spooled.
job() {
    local products=$1
    python3 bench/products.py "$products" >"$tmp/products.csv"
    local before after
    before=$(ls "$spooler/spool" | grep -c '^d' || true)
    local start end
    start=$(date +%s.%N)
    "$tool" --products "$tmp/products.csv" --layout "$tmp/default.txt" --printer Bench
    end=$(date +%s.%N)
    after=$(ls -t "$spooler"/spool/d* | head -n 1)
    local pages=$(((products + 9) / 10))
    local bytes
    bytes=$(stat -c %s "$after")
    printf 'products: %d  pages: %d  accepted after: %.2f s  spooled bytes: %d  bytes/page: %d\n' \
        "$products" "$pages" "$(awk "BEGIN {print $end - $start}")" "$bytes" $((bytes / pages))
}

# The spooled document stays in the spool folder while its job is held.
lpadmin -p Bench -o job-hold-until-default=indefinite
echo "== batch of $n products"
job "$n"
cancel -a Bench

echo "== one sheet"
job 10
start=$(date +%s.%N)
lp -i "$(lpstat -o Bench | awk '{print $1}' | head -n 1)" -H resume >/dev/null
while [ -n "$(lpstat -o Bench)" ]; do sleep 0.1; done
end=$(date +%s.%N)
printf 'filtered to PostScript in: %.2f s  PostScript bytes: %d\n' \
    "$(awk "BEGIN {print $end - $start}")" "$(stat -c %s "$spooler/out/Bench.ps")"
