#!/bin/sh
# Writes tests/geodesy/data/om_alaska1.txt: PROJ's Hotine oblique Mercator, variant A, for
# Alaska zone 1 as EPSG defines it (EPSG:26931 on GRS 1980 in metres,
# EPSG:26731 on Clarke 1866 in US survey feet; projinfo -o PROJ gives the
# definitions used here), at points over the zone's area (south-east Alaska,
# 54.5 to 60.5 N, 141 to 129.5 W): grid values from `proj`, scale and
# convergence from `proj -V`. Run once by a maintainer (needs Debian's
# proj-bin); the table is committed, so the tests do not need PROJ.
set -eu
cd "$(dirname "$0")/../tests/geodesy"
common="+proj=omerc +no_uoff +lat_0=57 +lonc=-133.666666666667 +alpha=323.130102361111 +gamma=323.130102361111 +k=0.9999"
nad83="$common +x_0=5000000 +y_0=-5000000 +ellps=GRS80 +units=m"
nad27="$common +x_0=5000000.001016 +y_0=-5000000.001016 +ellps=clrk66 +units=us-ft"
out=data/om_alaska1.txt
{
    echo "# PROJ $(proj 2>&1 | head -n1), made by $0:"
    echo "# datum latitude longitude easting northing scale convergence"
    echo "# NAD83: $nad83"
    echo "# NAD27: $nad27"
    for datum in NAD83 NAD27; do
        if [ "$datum" = NAD83 ]; then def=$nad83; else def=$nad27; fi
        for lat in 54.5 55.5 56.5 57 57.5 58.5 59.5 60.5; do
            for lon in -141 -139 -137 -135 -133.6666666666667 -132 -130.5 -129.5; do
                grid=$(echo "$lon $lat" | proj -f %.6f $def)
                verbose=$(echo "$lon $lat" | proj -V $def)
                k=$(echo "$verbose" | sed -n 's/^Parallel scale (k) : *\([0-9.]*\).*/\1/p')
                gamma=$(echo "$verbose" | sed -n 's/^Convergence : .*\[ *\([-0-9.]*\) *\].*/\1/p')
                echo "$datum $lat $lon $grid $k $gamma"
            done
        done
    done
} | tr '\t' ' ' > "$out"
