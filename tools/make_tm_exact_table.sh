#!/bin/sh
# Writes tests/geodesy/data/tm_exact_wgs84.txt: GeographicLib's exact transverse Mercator
# (TransverseMercatorExact, the default of TransverseMercatorProj) on WGS 84,
# central meridian 0, k0 = 1, at 22 latitudes from -85 to 85 and at 0 to 35
# degrees east of the meridian (and 3, 10, 35 west). Run once by a
# maintainer (needs Debian's geographiclib-tools); the table is committed, so
# the tests do not need GeographicLib.
set -eu
cd "$(dirname "$0")/../tests/geodesy"
out=data/tm_exact_wgs84.txt
{
    echo "# GeographicLib $(TransverseMercatorProj --version 2>&1 | sed -n 's/.*version //p' | head -n1) TransverseMercatorProj -p 10 -l 0 -k 1"
    echo "# (exact transverse Mercator, WGS 84), made by $0:"
    echo "# latitude longitude easting northing convergence scale"
    for lat in -85 -80 -70 -60 -50 -40 -30 -20 -10 -1 0 1 10 20 30 40 45 50 60 70 80 85; do
        for lon in 0 0.5 1 2 3 3.5 4 5 6 7 8 10 12 15 20 25 30 35 -3 -10 -35; do
            printf '%s %s ' "$lat" "$lon"
            echo "$lat $lon" | TransverseMercatorProj -p 10 -l 0 -k 1
        done
    done
} > "$out"
