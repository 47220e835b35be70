#!/usr/bin/env bash
# Builds kartoval-convert in Release and times its datum shift against cs2cs
# with the same grids, side by side (bench/compare_datum.py says how).
#   bench/compare_datum.sh [build-folder] [--runs N] [--rows N]     (default: build/bench)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build/bench}"
shift || true
command -v cs2cs >/dev/null || { echo "cs2cs needed (proj-bin)" >&2; exit 1; }
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DKARTOVAL_BUILD_APP=OFF \
      -DKARTOVAL_BUILD_TESTS=OFF -DKARTOVAL_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target kartoval-convert kartoval_data >/dev/null
echo "machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) processors"
python3 "$root/bench/compare_datum.py" "$build/bin/kartoval-convert" "$build/bin/grids" "$@"
