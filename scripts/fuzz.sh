#!/usr/bin/env bash
# Runs every libFuzzer target of a build for a bounded time each, as many at
# once as there are cores (each fuzzer uses one).
# Usage: scripts/fuzz.sh BUILD_DIR SECONDS_PER_TARGET
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-asan}
seconds=${2:-30}
shopt -s nullglob
targets=("$build"/fuzz/*_fuzz)
if [ ${#targets[@]} -eq 0 ]; then
  echo "fuzz: no targets in $build/fuzz" >&2
  exit 1
fi

# One target; its log is printed when it fails.
fuzz_one() {
  local t=$1 name corpus artifacts seeds
  name=$(basename "$t")
  corpus="$build/fuzz-corpus/$name"
  # Crash, leak, timeout and out-of-memory inputs go to the build folder, never the tree.
  artifacts="$build/fuzz-artifacts/$name/"
  mkdir -p "$corpus" "$artifacts"
  seeds="fuzz/corpus/${name%_fuzz}"
  ASAN_OPTIONS=detect_leaks=1 "$t" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
    -print_final_stats=0 -artifact_prefix="$artifacts" "$corpus" $( [ -d "$seeds" ] && echo "$seeds" ) >"$build/$name.log" 2>&1 || {
    tail -n 60 "$build/$name.log"
    echo "fuzz: $name failed" >&2
    return 1
  }
  echo "fuzz: $name for ${seconds}s: $(grep -E '^(#[0-9]+\s+DONE|Done)' "$build/$name.log" | tail -n 1)"
}

running=()
failed=0
for t in "${targets[@]}"; do
  if [ ${#running[@]} -ge "$(nproc)" ]; then
    wait "${running[0]}" || failed=1
    running=("${running[@]:1}")
  fi
  fuzz_one "$t" &
  running+=($!)
done
for pid in "${running[@]}"; do
  wait "$pid" || failed=1
done
exit "$failed"
