#!/usr/bin/env bash
# Runs every libFuzzer target of a build for a bounded time each.
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
for t in "${targets[@]}"; do
  name=$(basename "$t")
  corpus="$build/fuzz-corpus/$name"
  # Crash, leak, timeout and out-of-memory inputs go to the build folder, never the tree.
  artifacts="$build/fuzz-artifacts/$name/"
  mkdir -p "$corpus" "$artifacts"
  seeds="fuzz/corpus/${name%_fuzz}"
  echo "fuzz: $name for ${seconds}s"
  ASAN_OPTIONS=detect_leaks=1 "$t" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
    -print_final_stats=0 -artifact_prefix="$artifacts" "$corpus" $( [ -d "$seeds" ] && echo "$seeds" ) >"$build/$name.log" 2>&1 || {
    tail -n 60 "$build/$name.log"
    echo "fuzz: $name failed" >&2
    exit 1
  }
  grep -E '^(#[0-9]+\s+DONE|Done)' "$build/$name.log" | tail -n 1 || true
done
