#!/usr/bin/env python3
"""Holds every zone of the shipped tables against PROJ.

For each zone listed in zone_sources.tsv (written by tools/make_tables.py
beside the tables) it takes five points of the zone's EPSG area of use (the
centre and the four corners of its bounding box, inset by a tenth of its size
towards the centre), converts them to the grid and back with Kartoval's own
code (zone_probe, reading the zone and its ellipsoid from the data folder) and
with PROJ's `proj` given the EPSG zone's own definition (`projinfo EPSG:n -o
PROJ`, with its +units, as make_tables.py recorded it in zone_sources.tsv;
every 16th record is compared with projinfo's answer of the day), and
compares:

  forward  both sides convert the same longitude/latitude text to X, Y;
  inverse  both sides convert the same X, Y text (PROJ's forward answer) back.

Tolerances, in the zone's unit (metres for nad83.txt, US survey feet for
nad27.txt) and in degrees:

  LAMBERT  0.01 mm and 1e-9 degree: both sides evaluate the same closed
           formulas and iterate the inverse latitude to far below that, so
           only rounding and the 15 significant digits of PROJ's definition
           text (about 1e-14 degree) separate them.
  TM       2 mm and 2e-8 degree: Kartoval evaluates the closed series of
           Snyder, good to about a millimetre within a State Plane zone, while
           PROJ evaluates an exact (Poder/Engsager) series; the budget leaves
           room for that series error and no more.

The Michigan zones of NAD27 use EPSG's "Lambert Conic Conformal (2SP
Michigan)": PROJ scales Clarke 1866 by 1.0000382, Kartoval uses the
"Clarke 1866 Michigan" ellipsoid (a = 20926631.531 US survey feet). The two
agree to 0.06 mm in a, which moves the grid by at most 5 micrometres inside
the zones, within the conic tolerance, so they are checked against EPSG's
own definition like every other zone.

  OM1      1 mm and 1e-8 degree: Hotine's variant A is closed formulas on
           both sides (PROJ's omerc +no_uoff); the budget is the agreement
           the program promises for Alaska zone 1.

A zone of another kind would be skipped and counted in the summary. Exits 1
when a zone is off, when the
tables and zone_sources.tsv disagree, or when PROJ is missing: a cross-check
that can't run must not pass.

Usage: check_zones.py --probe PATH --data FOLDER [--sources TSV] [--db proj.db]
"""

import argparse
import concurrent.futures
import math
import pathlib
import shutil
import sqlite3
import subprocess
import sys

US_SURVEY_FEET_PER_METRE = 3937 / 1200
TOLERANCES = {
    # kind: (grid, metres; geographic, degrees)
    "LAMBERT": (0.00001, 1e-9),
    "TM": (0.002, 2e-8),
    "OM1": (0.001, 1e-8),
}
UNIT_OF_TABLE = {"nad27.txt": ("ft", US_SURVEY_FEET_PER_METRE), "nad83.txt": ("m", 1.0)}
INSET = 0.1  # of the bounding box's width and height, towards its centre
# Transverse Mercator points stay within this many degrees of the central
# meridian, the range the closed series is written for. Every State Plane TM
# zone lies within it; EPSG's box of one zone (Michigan West of 1927) reaches
# 5.3 degrees east over Lake Huron and Ontario, far from the counties it serves.
TM_REACH = 3.0
SPOT_CHECK = 16  # every 16th recorded PROJ definition is compared with projinfo's
DEFAULT_DB = "/usr/share/proj/proj.db"
PROJ_MISSING = "proj (Debian package proj-bin) is not installed: the zone cross-check can't run"


def fail(message):
    print(f"FAILED: {message}", file=sys.stderr)
    sys.exit(1)


def read_table_names(path):
    """Names of lines 1..N-1 of a data table, by its own trimming rules."""
    lines = path.read_text(encoding="ascii").split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    return [line.strip().split("\t", 1)[0].strip() for line in lines[:-1]]


def read_sources(path, data):
    zones = []
    for number, line in enumerate(path.read_text(encoding="ascii").splitlines(), 1):
        if line.startswith("#") or not line.strip():
            continue
        table, zone_line, name, kind, crs, ellipsoid, _, definition = line.split("\t")
        zones.append({"table": table, "line": int(zone_line), "name": name, "kind": kind, "crs": int(crs),
                      "definition": definition.split(),
                      "ellipsoid": ellipsoid, "where": f"{path.name}, line {number}"})
    for table in UNIT_OF_TABLE:
        names = read_table_names(data / table)
        listed = [z for z in zones if z["table"] == table]
        if [z["name"] for z in listed] != names or [z["line"] for z in listed] != list(range(1, len(names) + 1)):
            fail(f"{path} does not match {data / table} line by line: run tools/make_tables.py again")
    return zones


def ellipsoid_lines(data):
    return {name: number for number, name in enumerate(read_table_names(data / "ellips.txt"), 1)}


def area_points(db, crs):
    row = db.execute("""
        SELECT e.south_lat, e.north_lat, e.west_lon, e.east_lon FROM usage u
        JOIN extent e ON e.auth_name = u.extent_auth_name AND e.code = u.extent_code
        WHERE u.object_table_name = 'projected_crs' AND u.object_auth_name = 'EPSG' AND u.object_code = ?
        ORDER BY u.auth_name, u.code LIMIT 1""", (str(crs),)).fetchone()
    if row is None:
        fail(f"EPSG:{crs} has no area of use in the registry")
    south, north, west, east = row
    if east < west:  # the area crosses the 180th meridian (Aleutians)
        east += 360.0
    dlon = (east - west) * INSET
    dlat = (north - south) * INSET
    points = [((west + east) / 2, (south + north) / 2)]
    for lon in (west + dlon, east - dlon):
        for lat in (south + dlat, north - dlat):
            points.append((lon, lat))
    return points


def within_reach(points, central_meridian):
    """The points with their longitudes brought within TM_REACH of the meridian."""
    return [(min(max(lon, central_meridian - TM_REACH), central_meridian + TM_REACH), lat) for lon, lat in points]


def normalized(points):
    return [(lon - 360.0 if lon > 180.0 else lon, lat) for lon, lat in points]


def run(command, text):
    result = subprocess.run(command, input=text, capture_output=True, text=True, check=False)
    if result.returncode != 0:
        fail(f"{' '.join(command[:3])}... failed: {result.stderr.strip()}")
    return result.stdout


def proj_side(zone):
    """PROJ's forward and inverse answers for the zone's points."""
    definition = zone["definition"]
    if zone["kind"] == "TM":
        central_meridian = float(next(p for p in definition if p.startswith("+lon_0=")).split("=")[1])
        reached = within_reach(zone["box"], central_meridian)
        zone["clipped"] = reached != zone["box"]
        zone["points"] = normalized(reached)
    else:
        zone["points"] = normalized(zone["box"])
    points = "".join(f"{lon!r} {lat!r}\n" for lon, lat in zone["points"])
    forward = [line.split()[:2] for line in run(["proj", "-f", "%.10f", *definition], points).splitlines()]
    grid = "".join(f"{x} {y}\n" for x, y in forward)
    inverse = [line.split()[:2] for line in run(["proj", "-I", "-f", "%.12f", *definition], grid).splitlines()]
    if len(forward) != len(zone["points"]) or len(inverse) != len(forward):
        fail(f"proj gave {len(forward)}/{len(inverse)} answers for {len(zone['points'])} points of EPSG:{zone['crs']}")
    return forward, inverse


def live_definition(crs):
    """What projinfo says of the zone now, as make_tables.py wrote it down."""
    definition = run(["projinfo", f"EPSG:{crs}", "-o", "PROJ", "-q"], "").split()
    # proj converts between degrees and the grid; the CRS marker makes it refuse.
    return [p for p in definition if p != "+type=crs"]


def check_recorded_definitions(zones):
    """projinfo takes a tenth of a second a zone, so the definitions are
    recorded by make_tables.py; every SPOT_CHECK-th one is held against
    projinfo here, so that an edited or stale record shows."""
    sample = zones[::SPOT_CHECK]
    with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
        live = list(pool.map(live_definition, [z["crs"] for z in sample]))
    for zone, definition in zip(sample, live):
        if definition != zone["definition"]:
            fail(f"{zone['where']}: the recorded PROJ definition of EPSG:{zone['crs']} is not projinfo's "
                 f"({' '.join(definition)}): run tools/make_tables.py again")
    return len(sample)


def probe_side(probe, data, requests):
    out = run([str(probe), str(data)], "".join(f"{r}\n" for r in requests)).splitlines()
    if len(out) != len(requests):
        fail(f"zone_probe gave {len(out)} answers to {len(requests)} requests")
    return out


def angle_difference(a, b):
    return abs((a - b + 180.0) % 360.0 - 180.0)


def main():
    parser = argparse.ArgumentParser(description="Cross-check of the State Plane tables against PROJ")
    parser.add_argument("--probe", required=True, type=pathlib.Path)
    parser.add_argument("--data", required=True, type=pathlib.Path, help="folder holding the three tables")
    parser.add_argument("--sources", type=pathlib.Path, default=pathlib.Path(__file__).with_name("zone_sources.tsv"))
    parser.add_argument("--db", default=DEFAULT_DB, help="PROJ's registry, for the areas of use")
    args = parser.parse_args()

    for tool in ("proj", "projinfo"):
        if shutil.which(tool) is None:
            fail(PROJ_MISSING)
    if not pathlib.Path(args.db).is_file():
        fail(f"{args.db} not found (Debian package proj-data): the zone cross-check can't run")

    zones = read_sources(args.sources, args.data)
    ellipsoids = ellipsoid_lines(args.data)
    db = sqlite3.connect(f"file:{args.db}?mode=ro", uri=True)
    checked = [z for z in zones if z["kind"] in TOLERANCES]
    skipped = [z for z in zones if z["kind"] not in TOLERANCES]
    for zone in checked:
        if zone["ellipsoid"] not in ellipsoids:
            fail(f"{zone['where']}: ellips.txt has no ellipsoid '{zone['ellipsoid']}'")
        zone["box"] = area_points(db, zone["crs"])

    spot_checked = check_recorded_definitions(zones)
    # Two cores: proj starts slowly, so run two zones at a time.
    with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
        proj_answers = list(pool.map(proj_side, checked))

    requests = []
    for zone, (forward, _) in zip(checked, proj_answers):
        prefix = f"{zone['table']} {zone['line']} {ellipsoids[zone['ellipsoid']]}"
        requests += [f"{prefix} F {lon!r} {lat!r}" for lon, lat in zone["points"]]
        requests += [f"{prefix} I {x} {y}" for x, y in forward]
    answers = iter(probe_side(args.probe, args.data, requests))

    worst = {}  # (table, kind) -> [grid diff, zone, geographic diff, zone]
    failed = []
    for zone, (forward, inverse) in zip(checked, proj_answers):
        unit, per_metre = UNIT_OF_TABLE[zone["table"]]
        grid_tolerance = TOLERANCES[zone["kind"]][0] * per_metre
        degree_tolerance = TOLERANCES[zone["kind"]][1]
        ours = [next(answers) for _ in range(2 * len(forward))]
        errors = [a for a in ours if a.startswith("ERROR")]
        if errors:
            failed.append(f"{zone['table']} line {zone['line']} {zone['name']}: {errors[0]}")
            continue
        grid = max(max(abs(float(o) - float(p)) for o, p in zip(mine.split(), theirs))
                   for mine, theirs in zip(ours[:len(forward)], forward))
        geographic = max(max(angle_difference(float(mine.split()[0]), float(theirs[0])),
                             abs(float(mine.split()[1]) - float(theirs[1])))
                         for mine, theirs in zip(ours[len(forward):], inverse))
        key = (zone["table"], zone["kind"])
        entry = worst.setdefault(key, [0.0, "", 0.0, ""])
        if grid >= entry[0]:
            entry[0:2] = [grid, zone["name"]]
        if geographic >= entry[2]:
            entry[2:4] = [geographic, zone["name"]]
        if grid > grid_tolerance or geographic > degree_tolerance:
            failed.append(f"{zone['table']} line {zone['line']} {zone['name']} (EPSG:{zone['crs']}): "
                          f"grid {grid:.3g} {unit} (tolerance {grid_tolerance:.3g}), "
                          f"back {geographic:.3g} degree (tolerance {degree_tolerance:g})")

    for (table, kind), (grid, grid_zone, geographic, geographic_zone) in sorted(worst.items()):
        unit, per_metre = UNIT_OF_TABLE[table]
        count = sum(1 for z in checked if z["table"] == table and z["kind"] == kind)
        print(f"{table} {kind:7} {count:3} zones: largest grid difference {grid:.3g} {unit} "
              f"({grid / per_metre * 1000:.3g} mm, {grid_zone}); "
              f"largest back difference {geographic:.3g} degree ({geographic_zone})")
    for zone in checked:
        if zone.get("clipped"):
            print(f"note: {zone['table']} {zone['name']} (EPSG:{zone['crs']}): area of use reaches beyond "
                  f"{TM_REACH:g} degrees from the central meridian; points taken at {TM_REACH:g} degrees")
    for line in failed:
        print(f"OFF: {line}")
    points = sum(len(z["points"]) for z in checked)
    print(f"{points} points each way; {spot_checked} recorded PROJ definitions held against projinfo")
    print(f"zones: {len(checked) - len(failed)} passed, {len(failed)} failed, {len(skipped)} skipped")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
