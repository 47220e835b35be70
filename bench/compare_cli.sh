#!/usr/bin/env bash
# Builds kartoval-convert in Release and times it against PROJ's proj and
# cs2cs (bench/compare_cli.py says how).
#   bench/compare_cli.sh [build-folder] [--runs N]     (default: build/bench)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build/bench}"
shift || true
command -v proj >/dev/null && command -v cs2cs >/dev/null || { echo "proj and cs2cs needed (proj-bin)" >&2; exit 1; }
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DKARTOVAL_BUILD_APP=OFF \
      -DKARTOVAL_BUILD_TESTS=OFF -DKARTOVAL_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target kartoval-convert kartoval_batch_bench >/dev/null
echo "machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) processors"
python3 "$root/bench/compare_cli.py" "$build/bin/kartoval-convert" "$@"

# The File page's run: whole conversion against the floor in one process, and
# the page faults of a fresh process converting 1 row and 39999 rows.
"$build/bin/kartoval_batch_bench" --runs 31 | grep -v '^RESULT'
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build/bin/kartoval_batch_bench" --prepare "$work"
median_faults() {
    for _ in 1 2 3 4 5 6 7; do "$build/bin/kartoval_batch_bench" --once "$1" "$work"; done |
        sed 's/minor_faults=\([0-9]*\).*/\1/' | sort -n | sed -n 4p
}
one="$(median_faults 1)"
many="$(median_faults 39999)"
echo "fresh process, minor page faults (median of 7): 1 row $one, 39999 rows $many ($(awk -v a="$many" -v b="$one" 'BEGIN { printf "%.2f", a / b }')x)"
