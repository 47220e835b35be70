#!/usr/bin/env bash
# Measures how far the Tm*/Lcc* functions have moved from the functions they
# replaced (commit 0ca68fb), over every UTM zone and every shipped State Plane
# zone: builds bench/WrapperDifference.cpp against the Release libraries and
# the earlier functions, renamed into namespace kartoval::before.
#
#   bench/wrapper_difference.sh [build-folder]     (default: build/release)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build/release}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

cmake --preset release -S "$root" >/dev/null
cmake --build "$build" -j2 --target kartoval_refdata kartoval_data >/dev/null
for file in TransverseMercator LambertConic; do
    git -C "$root" show "0ca68fb:geodesy/$file.cpp" |
        sed -e 's/^namespace kartoval {/namespace kartoval { namespace before {/' \
            -e 's|^}  // namespace kartoval|} }|' >"$work/$file.cpp"
done
g++ -std=c++20 -O2 -I"$root" "$root/bench/WrapperDifference.cpp" "$work/TransverseMercator.cpp" \
    "$work/LambertConic.cpp" "$build/refdata/libkartoval_refdata.a" "$build/geodesy/libkartoval_geodesy.a" \
    "$build/toolkit/libkartoval_toolkit.a" -o "$work/wrapper_difference"
"$work/wrapper_difference" "$build/bin"
