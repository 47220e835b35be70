#!/usr/bin/env bash
# Builds the benchmark in Release, times whole file conversions of 39999 shot
# points (degrees to UTM zone 29 and back), times PROJ's `proj` on the same
# coordinate pairs with the same zone and ellipsoid, and prints both rates.
#
#   bench/compare_proj.sh [build-folder]     (default: build/bench)
#
# `proj` is timed as a whole process, start-up included, as a user would run
# it on a file; its start-up alone (an empty input) is printed too.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build/bench}"
runs=11
rows=39999

command -v proj >/dev/null || { echo "proj not found (Debian package proj-bin)" >&2; exit 1; }

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DKARTOVAL_BUILD_APP=OFF \
      -DKARTOVAL_BUILD_TESTS=OFF -DKARTOVAL_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target kartoval_bench >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$build/bin/kartoval_bench" --runs "$runs" --keep "$work" | tee "$work/bench.txt"
result() { grep -o "$1=[0-9.]*" "$work/bench.txt" | cut -d= -f2; }

# The same pairs for proj: longitude latitude, and easting northing.
awk '{ print $2, $3 }' "$work/degrees.txt" >"$work/pairs_degrees.txt"
cut -f2,3 "$work/utm.txt" >"$work/pairs_utm.txt"

# Median wall time in milliseconds of `runs` runs of: proj ARGS < INPUT > OUTPUT
median_ms() {
    local input="$1"; shift
    local times=()
    for ((i = 0; i < runs; i++)); do
        local start end
        start=$(date +%s%N)
        proj "$@" <"$input" >"$work/proj_out.txt"
        end=$(date +%s%N)
        times+=($((end - start)))
    done
    printf '%s\n' "${times[@]}" | sort -n | awk -v n="$runs" 'NR == int(n / 2) + 1 { printf "%.3f", $1 / 1e6 }'
}

utm=(+proj=utm +zone=29 +ellps=WGS84 -f %.6f)
proj_forward_ms=$(median_ms "$work/pairs_degrees.txt" "${utm[@]}")
proj_inverse_ms=$(median_ms "$work/pairs_utm.txt" -I "${utm[@]}")
proj_startup_ms=$(median_ms /dev/null "${utm[@]}")

echo
echo "proj (whole process, median of $runs): forward $proj_forward_ms ms, inverse $proj_inverse_ms ms, start-up alone $proj_startup_ms ms"
awk -v rows="$rows" \
    -v kf="$(result forward_ms)" -v ki="$(result inverse_ms)" \
    -v pf="$proj_forward_ms" -v pi="$proj_inverse_ms" -v ps="$proj_startup_ms" '
function line(name, k, p) {
    printf "%-8s kartoval %10.0f rows/s   proj %10.0f rows/s   ratio %.1fx   (proj without start-up %.1fx)\n",
           name, rows / (k / 1000), rows / (p / 1000), p / k, (p - ps) / k
}
BEGIN { line("forward", kf, pf); line("inverse", ki, pi) }'
