# The opening the benchmarks of tanahuda-print share, sourced by a script
# called as  bench/SCRIPT.sh N [BUILD_DIR]:  it leaves the shell in the root of
# the source tree with  n  (the size of the job asked for),  tool  (the
# tanahuda-print of the build) and  tmp  (a fresh folder, removed on exit;
# a script that sets its own exit trap removes it there).
set -euo pipefail
script=$(basename "$0")
cd "$(dirname "$0")/.."
n=${1:?usage: bench/$script N [BUILD_DIR]}
build=${2:-build}
tool="$build/src/app/tanahuda-print"
[ -x "$tool" ] || { echo "$script: build tanahuda-print first ($tool)" >&2; exit 1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
