#!/usr/bin/env python3
"""Writes Kartoval's data tables from the EPSG registry.

Reads the EPSG registry as PROJ ships it (proj.db, Debian package proj-data)
and writes

  data/ellips.txt    the ellipsoids: name, semi-major axis (metres), 1/f
  data/nad27.txt     the State Plane zones of 1927 (US survey feet)
  data/nad83.txt     the State Plane zones of 1983 (metres)
  data/zone_codes.txt the EPSG code of every zone of the two tables, for
                     kartoval-convert's EPSG:NNNNN, and its four-digit State
                     Plane zone code (nad83:4204), matched by parameters
                     from PROJ's former init files (--fips, default
                     ../shared/fips beside the source tree)
  data/zone_areas.txt the area of use of every zone (EPSG extent, degrees),
                     for the check that a point lies in its zone
  tests/crosscheck/zone_sources.tsv
                     where each zone line came from and PROJ's definition of
                     that EPSG zone (from `projinfo`, Debian package
                     proj-bin), for the cross-check against PROJ

The tables are committed; building and running Kartoval never needs this
script. Run it again after a registry update:

    python3 tools/make_tables.py [--db /usr/share/proj/proj.db] [--root .]

The output depends on the registry (and, for zone_sources.tsv, on PROJ's
version) alone: no dates, no locale, so two runs give the same bytes. data/README.md describes the format
and how the zones are chosen.
"""

import argparse
import decimal
import pathlib
import re
import shutil
import sqlite3
import subprocess
import sys
from fractions import Fraction

DEFAULT_DB = "/usr/share/proj/proj.db"
END_MARKER = "End of table"
MAX_LINE = 199
# ListEllipsoids selects list position 41, that is line 42, at start.
DEFAULT_ELLIPSOID_LINE = 42
DEFAULT_ELLIPSOID = "WGS 84"
REQUIRED_ELLIPSOIDS = ("GRS 1980", "Clarke 1866", "International 1924", "Bessel 1841", "Krassowsky 1940",
                       "Airy 1830", "Clarke 1866 Michigan", DEFAULT_ELLIPSOID)

# EPSG ellipsoid codes.
CLARKE_1866 = 7008
CLARKE_1866_MICHIGAN = 7009  # deprecated by EPSG, kept: the NAD27 Michigan zones need it

# Lengths in metres per unit, exact where the unit is defined exactly. The
# registry stores the US survey foot rounded (0.304800609601219); its
# definition is 1200/3937 m.
METRE = 9001
US_SURVEY_FOOT = 9003
EXACT_LENGTH_UNITS = {METRE: Fraction(1), 9002: Fraction(3048, 10000), US_SURVEY_FOOT: Fraction(1200, 3937)}
DEGREE = 9102
SEXAGESIMAL_DMS = 9110
UNITY = 9201

# Conversion methods and the EPSG parameter codes in the order of the table's
# P1..P7 for the kind they become.
LCC_2SP = 9802
LCC_2SP_MICHIGAN = 1051
LCC_1SP = 9801
TRANSVERSE_MERCATOR = 9807
HOTINE_OBLIQUE_MERCATOR_A = 9812
ELLIPSOID_SCALING_FACTOR = 1038
ZONE_LAYOUTS = {
    # longitude of false origin, latitude of false origin, 1st and 2nd
    # standard parallels, easting and northing at false origin
    LCC_2SP: ("LAMBERT", (8822, 8821, 8823, 8824, 8826, 8827)),
    LCC_2SP_MICHIGAN: ("LAMBERT", (8822, 8821, 8823, 8824, 8826, 8827)),
    # longitude and latitude of natural origin, scale factor, false easting
    # and northing
    TRANSVERSE_MERCATOR: ("TM", (8802, 8801, 8805, 8806, 8807)),
    # latitude and longitude of projection centre, azimuth of initial line,
    # angle from rectified to skew grid, scale factor on initial line, false
    # easting and northing
    HOTINE_OBLIQUE_MERCATOR_A: ("OM1", (8811, 8812, 8813, 8814, 8815, 8806, 8807)),
}
LINEAR_PARAMETERS = {8806, 8807, 8826, 8827}
SCALE_PARAMETERS = {8805, 8815}

# Base geodetic CRSs of the two datums' zones.
NAD27 = 4267
OLD_HAWAIIAN = 4135
PUERTO_RICO = 4139
NAD83 = 4269
DATUMS = {
    # table: (base geodetic CRS codes, unit of the linear values)
    "nad27.txt": ((NAD27, OLD_HAWAIIAN, PUERTO_RICO), US_SURVEY_FOOT),
    "nad83.txt": ((NAD83,), METRE),
}
# EPSG names the conversions of the 1927 State Plane system "<State> CS27
# ...", except Arizona's ("Arizona Coordinate System ... zone") and Michigan's
# first, transverse Mercator zones ("Michigan State Plane ... zone"). Those of
# 1983 are "SPCS83 ... (meters)"; the "(US Survey feet)" and "(International
# feet)" ones are the same zones in other units.
STATE_PLANE_27 = re.compile(r"\bCS27\b|^Arizona Coordinate System |^Michigan State Plane ")
STATE_PLANE_83 = re.compile(r"^SPCS83 .*\(meters\)$")


def fail(message):
    sys.exit(f"make_tables.py: {message}")


def decimal_text(value):
    """The registry's decimal text of a stored number, without exponent."""
    return format(decimal.Decimal(repr(float(value))), "f")


def number_text(value):
    """Shortest text that reads back as the same double; whole numbers without '.0'."""
    text = repr(float(value))
    return text[:-2] if text.endswith(".0") else text


def dms_to_degrees(value):
    """Sexagesimal DMS (EPSG unit 9110, DDD.MMSSsss) to degrees, exactly."""
    text = decimal_text(value)
    sign = -1 if text.startswith("-") else 1
    whole, _, fraction = text.lstrip("-").partition(".")
    fraction = fraction.ljust(4, "0")
    minutes = int(fraction[:2])
    seconds = Fraction(fraction[2:4] + "." + (fraction[4:] or "0"))
    if minutes >= 60 or seconds >= 60:
        fail(f"{text} is not a sexagesimal DMS angle")
    return sign * (int(whole) + Fraction(minutes, 60) + seconds / 3600)


def length_factor(db, unit):
    """Metres per `unit`, exact for the units defined exactly."""
    if unit in EXACT_LENGTH_UNITS:
        return EXACT_LENGTH_UNITS[unit]
    row = db.execute("SELECT type, conv_factor FROM unit_of_measure WHERE auth_name = 'EPSG' AND code = ?",
                     (unit,)).fetchone()
    if row is None or row[0] != "length":
        fail(f"EPSG unit {unit} is not a length")
    return Fraction(decimal_text(row[1]))


# ---------------------------------------------------------------- ellipsoids

def read_ellipsoids(db):
    """Every EPSG Earth ellipsoid that is not a sphere and not deprecated (the
    Michigan one excepted), as {code: (name, a in metres, 1/f)}."""
    rows = db.execute("""
        SELECT code, name, semi_major_axis, uom_code, inv_flattening, semi_minor_axis, deprecated
        FROM ellipsoid
        WHERE auth_name = 'EPSG' AND celestial_body_auth_name = 'PROJ' AND celestial_body_code = 'EARTH'
        """).fetchall()
    result = {}
    for code, name, a, unit, inverse_flattening, b, deprecated in rows:
        code = int(code)
        if deprecated and code != CLARKE_1866_MICHIGAN:
            continue
        a_text = Fraction(decimal_text(a))
        if inverse_flattening is not None:
            if inverse_flattening == 0:
                continue  # a sphere
            rf = float(Fraction(decimal_text(inverse_flattening)))
        else:
            b_text = Fraction(decimal_text(b))
            if b_text == a_text:
                continue  # a sphere
            rf = float(a_text / (a_text - b_text))  # the unit cancels
        result[code] = (name, float(a_text * length_factor(db, int(unit))), rf)
    return result


def ellipsoid_lines(ellipsoids):
    """Alphabetical, with WGS 84 moved to the line the program selects at start."""
    entries = sorted(ellipsoids.values(), key=lambda e: (natural_key(e[0]), e[0]))
    names = [e[0] for e in entries]
    for name in REQUIRED_ELLIPSOIDS:
        if name not in names:
            fail(f"the registry has no ellipsoid '{name}'")
    if len(set(names)) != len(names):
        fail("two ellipsoids have the same name")
    if len(entries) < DEFAULT_ELLIPSOID_LINE:
        fail(f"only {len(entries)} ellipsoids; line {DEFAULT_ELLIPSOID_LINE} must be {DEFAULT_ELLIPSOID}")
    default = entries.pop(names.index(DEFAULT_ELLIPSOID))
    entries.insert(DEFAULT_ELLIPSOID_LINE - 1, default)
    return [f"{name}\t{number_text(a)}\t{number_text(rf)}" for name, a, rf in entries]


# ---------------------------------------------------------------- zones

def natural_key(name):
    """Sort key: case-insensitive, digit runs by value ("zone 2" before "zone 10")."""
    return [(0, int(part), "") if part.isdigit() else (1, 0, part.casefold())
            for part in re.findall(r"\d+|\D+", name)]


def zone_name(crs_name, conversion_name):
    """'NAD27 / Alabama East' -> 'Alabama East'; a name without a datum part
    ('Puerto Rico State Plane CS of 1927') takes its conversion's ('Puerto Rico CS27')."""
    if " / " in crs_name:
        return crs_name.split(" / ", 1)[1]
    return re.sub(r" CS27\b", "", conversion_name).strip()


def parameter_value(db, code, value, unit, linear_unit):
    if code in LINEAR_PARAMETERS:
        unit = int(unit)
        if unit == linear_unit:
            return float(value)  # the registry's own number
        return float(Fraction(decimal_text(value)) * length_factor(db, unit) / length_factor(db, linear_unit))
    if code in SCALE_PARAMETERS:
        if int(unit) != UNITY:
            fail(f"scale factor in unit {unit}")
        return float(value)
    unit = int(unit)
    if unit == DEGREE:
        return float(value)
    if unit == SEXAGESIMAL_DMS:
        return float(dms_to_degrees(value))
    fail(f"angle parameter {code} in unit {unit}")


def read_zones(db, table):
    geodetic_crs_codes, linear_unit = DATUMS[table]
    pattern = STATE_PLANE_27 if table == "nad27.txt" else STATE_PLANE_83
    marks = ",".join("?" * len(geodetic_crs_codes))
    rows = db.execute(f"""
        SELECT p.code, p.name, c.name, c.method_code, d.ellipsoid_code,
               c.param1_code, c.param1_value, c.param1_uom_code, c.param2_code, c.param2_value, c.param2_uom_code,
               c.param3_code, c.param3_value, c.param3_uom_code, c.param4_code, c.param4_value, c.param4_uom_code,
               c.param5_code, c.param5_value, c.param5_uom_code, c.param6_code, c.param6_value, c.param6_uom_code,
               c.param7_code, c.param7_value, c.param7_uom_code
        FROM projected_crs p
        JOIN conversion_table c ON c.auth_name = p.conversion_auth_name AND c.code = p.conversion_code
        JOIN geodetic_crs g ON g.auth_name = p.geodetic_crs_auth_name AND g.code = p.geodetic_crs_code
        JOIN geodetic_datum d ON d.auth_name = g.datum_auth_name AND d.code = g.datum_code
        WHERE p.auth_name = 'EPSG' AND p.deprecated = 0 AND p.geodetic_crs_auth_name = 'EPSG'
          AND p.geodetic_crs_code IN ({marks})
        """, geodetic_crs_codes).fetchall()
    zones = []
    for row in rows:
        crs_code, crs_name, conversion_name, method, ellipsoid = row[:5]
        if not pattern.search(conversion_name):
            continue
        method = int(method)
        if method == LCC_1SP:
            # None of the chosen zones uses it; a one-parallel cone would have
            # to become the equivalent two-parallel one before it could be listed.
            fail(f"EPSG:{crs_code} ({crs_name}) is a one-parallel Lambert cone")
        if method not in ZONE_LAYOUTS:
            fail(f"EPSG:{crs_code} ({crs_name}) uses method {method}, which the tables can't hold")
        kind, layout = ZONE_LAYOUTS[method]
        params = {}
        for i in range(7):
            code, value, unit = row[5 + 3 * i: 8 + 3 * i]
            if code is not None:
                params[int(code)] = (value, unit)
        ellipsoid = int(ellipsoid)
        if method == LCC_2SP_MICHIGAN:
            ellipsoid = michigan_ellipsoid(db, ellipsoid, params.pop(ELLIPSOID_SCALING_FACTOR)[0], crs_code)
        if set(params) != set(layout):
            fail(f"EPSG:{crs_code} ({crs_name}) has parameters {sorted(params)}, expected {sorted(layout)}")
        values = [parameter_value(db, code, *params[code], linear_unit) for code in layout]
        zones.append((zone_name(crs_name, conversion_name), kind, values, int(crs_code), ellipsoid))
    zones.sort(key=lambda z: (natural_key(z[0]), z[0]))
    names = [z[0] for z in zones]
    if len(set(names)) != len(names):
        fail(f"{table}: two zones have the same name")
    return zones


def michigan_ellipsoid(db, datum_ellipsoid, scaling, crs_code):
    """EPSG's Michigan variant is the plain cone on the datum's ellipsoid
    enlarged by the scaling factor: that is the 'Clarke 1866 Michigan'
    ellipsoid, which the table's zone then needs."""
    ellipsoids = read_ellipsoids(db)
    if datum_ellipsoid != CLARKE_1866:
        fail(f"EPSG:{crs_code} scales ellipsoid {datum_ellipsoid}, not Clarke 1866")
    _, a, rf = ellipsoids[CLARKE_1866]
    _, a_michigan, rf_michigan = ellipsoids[CLARKE_1866_MICHIGAN]
    # The two definitions agree to 1e-8 (0.06 mm in a): far below what a State
    # Plane coordinate resolves.
    if abs(a * float(scaling) / a_michigan - 1) > 1e-8 or abs(rf / rf_michigan - 1) > 1e-8:
        fail(f"EPSG:{crs_code}: Clarke 1866 x {scaling} is not the Clarke 1866 Michigan ellipsoid")
    return CLARKE_1866_MICHIGAN


def zone_lines(zones):
    return [f"{name}\t{kind}\t" + "\t".join(number_text(v) for v in values) for name, kind, values, _, _ in zones]


def proj_definition(crs_code):
    """PROJ's own text for an EPSG zone, as `proj` takes it (without +type=crs,
    which makes `proj` refuse degrees)."""
    result = subprocess.run(["projinfo", f"EPSG:{crs_code}", "-o", "PROJ", "-q"], capture_output=True, text=True,
                            check=False)
    if result.returncode != 0 or not result.stdout.startswith("+proj="):
        fail(f"projinfo EPSG:{crs_code} failed: {result.stderr.strip()}")
    return " ".join(p for p in result.stdout.split() if p != "+type=crs")


# ---------------------------------------------------------------- areas

def zone_area_line(db, crs_code):
    """code, south, north, west, east: the EPSG extent of a projected CRS.

    A CRS with several usages gets the box around all of them; a box whose
    west edge lies east of its east edge crosses the 180th meridian (the
    Aleutians) and is written so."""
    rows = db.execute(
        "SELECT e.south_lat, e.north_lat, e.west_lon, e.east_lon FROM usage u JOIN extent e "
        "ON u.extent_auth_name = e.auth_name AND u.extent_code = e.code "
        "WHERE u.object_table_name = 'projected_crs' AND u.object_auth_name = 'EPSG' AND u.object_code = ?",
        (str(crs_code),)).fetchall()
    if not rows:
        fail(f"EPSG:{crs_code} has no extent in the registry")
    south = min(r[0] for r in rows)
    north = max(r[1] for r in rows)
    crossing = [r for r in rows if r[2] > r[3]]
    if crossing and len(rows) > 1:
        fail(f"EPSG:{crs_code}: several extents, one across the 180th meridian")
    west = min(r[2] for r in rows)
    east = max(r[3] for r in rows)
    if crossing:
        west, east = crossing[0][2], crossing[0][3]
    return f"{crs_code}\t{number_text(south)}\t{number_text(north)}\t{number_text(west)}\t{number_text(east)}"


def write_zone_areas(db, path, crs_codes):
    header = "# EPSG code\tsouth\tnorth\twest\teast (degrees; west > east: across 180)"
    lines = [zone_area_line(db, code) for code in sorted(set(crs_codes))]
    path.write_text("\n".join([header] + lines) + "\n", encoding="ascii", newline="\n")


# ---------------------------------------------------------------- zone codes

# The four-digit State Plane zone codes (the "FIPS" zone numbers of NGS
# datasheets) come from PROJ's former +init files for the two datums. Their
# names differ from EPSG's in spelling, so an entry is matched to a table
# zone by its parameters.
INIT_FILES = {"nad27.txt": "nad27.init", "nad83.txt": "nad83.init"}
INIT_KINDS = {"tmerc": "TM", "lcc": "LAMBERT", "omerc": "OM1"}
INIT_ENTRY = re.compile(r"^<(\d+)>\s*(.*?)\s*<>\s*$", re.M | re.S)
INIT_ANGLE = re.compile(r"^([-+]?)(\d+(?:\.\d*)?|\.\d+)(?:d(\d+(?:\.\d*)?)?(?:'(\d+(?:\.\d*)?)?)?\"?)?$")
INIT_COMMENT = re.compile(r"^# *(\d+): *(.*?): *nad\d\d *$", re.M)
# Matching tolerances: the init files write angles to the second and scale
# factors to 16 digits where EPSG keeps fewer (0.999933333 against
# .9999333333333333; 0.9999938 for 1927 Rhode Island's 1 - 1/160000, 1e-7 of
# scale being 1 cm in 100 km); a false origin is in metres there, in the
# table's unit here, and both are good to far better than a millimetre.
ANGLE_TOLERANCE = 1e-7   # degrees, about 1 cm on the ground
SCALE_TOLERANCE = 1e-7
LENGTH_TOLERANCE = 1e-3  # metres


def init_angle(text, where):
    """'-85d50', '30d30', "-36d52'11.6315", '31' -> degrees."""
    match = INIT_ANGLE.match(text)
    if not match:
        fail(f"{where}: '{text}' is not an angle")
    sign, degrees, minutes, seconds = match.groups()
    value = Fraction(degrees) + Fraction(minutes or 0) / 60 + Fraction(seconds or 0) / 3600
    return float(-value if sign == "-" else value)


def read_init_entries(path):
    """{code: (kind, {parameter: value}, name)} of one init file; angles in
    degrees, lengths in metres, the name as its comment gives it."""
    if not path.is_file():
        fail(f"{path} not found: the zone codes are matched from PROJ's former init files")
    text = path.read_text(encoding="ascii")
    names = {int(code): name for code, name in INIT_COMMENT.findall(text)}
    entries = {}
    for code, body in INIT_ENTRY.findall(text):
        where = f"{path.name} <{code}>"
        params = dict(item.partition("=")[::2] for item in body.split() if "=" in item)
        if "proj" not in params:
            continue  # the <metadata> entry has no projection
        kind = INIT_KINDS.get(params.pop("proj"))
        if kind is None:
            continue  # the polyconic Guam zone: no table holds one
        values = {}
        for key, text in params.items():
            if key in ("lon_0", "lat_0", "lat_1", "lat_2", "lonc", "alpha"):
                values[key] = init_angle(text, where)
            elif key in ("k", "x_0", "y_0"):
                values[key] = float(text)
        entries[int(code)] = (kind, values, names.get(int(code), ""))
    return entries


def same_angle(a, b):
    return abs((a - b + 180) % 360 - 180) <= ANGLE_TOLERANCE


def entry_fits_zone(entry, zone, linear_unit):
    """The init entry describes the table zone: same projection and parameters."""
    kind, p, _ = entry
    _, zone_kind, v, _, _ = zone
    if kind != zone_kind:
        return False
    metres = float(EXACT_LENGTH_UNITS[linear_unit])

    def length(a, b):
        return abs(a - b * metres) <= LENGTH_TOLERANCE

    if kind == "TM":
        return (same_angle(p["lon_0"], v[0]) and same_angle(p["lat_0"], v[1]) and abs(p["k"] - v[2]) <= SCALE_TOLERANCE
                and length(p["x_0"], v[3]) and length(p["y_0"], v[4]))
    if kind == "LAMBERT":
        parallels = sorted((p["lat_1"], p["lat_2"]))
        return (same_angle(p["lon_0"], v[0]) and same_angle(p["lat_0"], v[1])
                and all(same_angle(a, b) for a, b in zip(parallels, sorted(v[2:4])))
                and length(p["x_0"], v[4]) and length(p["y_0"], v[5]))
    # Oblique Mercator: the init files put the false origin at the projection
    # centre, EPSG's variant A at the natural origin, so only the centre,
    # azimuth and scale can agree.
    return (same_angle(p["lat_0"], v[0]) and same_angle(p["lonc"], v[1]) and same_angle(p["alpha"], v[2])
            and abs(p["k"] - v[4]) <= SCALE_TOLERANCE)


def name_words(name):
    """'alaska zone no. 10', 'Alaska zone 10' -> {'alaska', '10'}; 'michigan central/l' -> {'michigan', 'central'}."""
    return set(re.findall(r"[a-z]+|\d+", name.lower().replace("/l", "").replace("/m", ""))) - {"zone", "no", "---"}


def match_zone_codes(zones, table, fips_folder):
    """{zone name: zone code} for the zones of `table` that an init entry
    describes by its parameters. Where one entry fits several zones (NAD83
    New Jersey and New York East share a projection), the zone whose name has
    the entry's words is taken. Fails when that leaves two, or a zone gets two
    codes."""
    entries = read_init_entries(fips_folder / INIT_FILES[table])
    _, linear_unit = DATUMS[table]
    codes = {}
    unused = []
    for code, entry in sorted(entries.items()):
        fits = [zone[0] for zone in zones if entry_fits_zone(entry, zone, linear_unit)]
        if len(fits) > 1:
            fits = [name for name in fits if name_words(name) == name_words(entry[2])]
        if len(fits) > 1:
            fail(f"{INIT_FILES[table]} <{code}> fits {table} zones {', '.join(fits)}")
        if not fits:
            unused.append(code)
            continue
        if fits[0] in codes:
            fail(f"{table} {fits[0]} fits {INIT_FILES[table]} <{codes[fits[0]]}> and <{code}>")
        codes[fits[0]] = code
    without = [zone[0] for zone in zones if zone[0] not in codes]
    print(f"{table}: {len(codes)} zone codes from {INIT_FILES[table]}; no code for "
          f"{', '.join(without) or 'none'}; entries fitting no zone: "
          f"{', '.join(f'{c:04d}' for c in unused) or 'none'}")
    return codes


# ---------------------------------------------------------------- output

def write_table(path, lines):
    for number, line in enumerate(lines, 1):
        if len(line) > MAX_LINE:
            fail(f"{path}, line {number} has {len(line)} characters, more than {MAX_LINE}")
    path.write_text("\n".join(lines + [END_MARKER]) + "\n", encoding="ascii", newline="\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--db", default=DEFAULT_DB, help="the registry (default %(default)s)")
    parser.add_argument("--root", default=pathlib.Path(__file__).resolve().parent.parent, type=pathlib.Path,
                        help="the source tree to write into (default: this script's)")
    parser.add_argument("--fips", type=pathlib.Path,
                        help="the folder of PROJ's former nad27.init and nad83.init (default: ../shared/fips "
                             "beside the source tree)")
    args = parser.parse_args()
    if args.fips is None:
        args.fips = args.root.resolve().parent / "shared" / "fips"
    if not pathlib.Path(args.db).is_file():
        fail(f"{args.db} not found (Debian package proj-data)")
    if shutil.which("projinfo") is None:
        fail("projinfo (Debian package proj-bin) is not installed; zone_sources.tsv needs it")
    db = sqlite3.connect(f"file:{args.db}?mode=ro", uri=True)
    version = dict(db.execute("SELECT key, value FROM metadata").fetchall()).get("EPSG.VERSION", "?")

    ellipsoids = read_ellipsoids(db)
    lines = ellipsoid_lines(ellipsoids)
    write_table(args.root / "data" / "ellips.txt", lines)
    line_of = {line.split("\t")[0]: n for n, line in enumerate(lines, 1)}
    print(f"EPSG {version}: ellips.txt {len(lines)} ellipsoids, {DEFAULT_ELLIPSOID} on line "
          f"{line_of[DEFAULT_ELLIPSOID]}")

    sources = ["# table\tline\tzone\tkind\tEPSG CRS\tellipsoid\tEPSG ellipsoid\tPROJ definition"]
    codes = []
    for table in DATUMS:
        zones = read_zones(db, table)
        write_table(args.root / "data" / table, zone_lines(zones))
        zone_codes = match_zone_codes(zones, table, args.fips)
        for number, (name, kind, _, crs_code, ellipsoid) in enumerate(zones, 1):
            ellipsoid_name = ellipsoids[ellipsoid][0]
            if ellipsoid_name not in line_of:
                fail(f"{table}: {name} needs ellipsoid {ellipsoid_name}, which ellips.txt doesn't list")
            sources.append(f"{table}\t{number}\t{name}\t{kind}\t{crs_code}\t{ellipsoid_name}\t{ellipsoid}\t"
                           f"{proj_definition(crs_code)}")
            zone_code = f"\t{zone_codes[name]:04d}" if name in zone_codes else ""
            codes.append((crs_code, f"{crs_code}\t{table}\t{name}{zone_code}"))
        counts = ", ".join(f"{k} {sum(1 for z in zones if z[1] == k)}" for k in ("LAMBERT", "TM", "OM1"))
        print(f"EPSG {version}: {table} {len(zones)} zones ({counts})")
    # EPSG code, table, zone name and, where the zone has one, its State Plane
    # zone code: one zone a line, by EPSG code
    (args.root / "data" / "zone_codes.txt").write_text("\n".join(line for _, line in sorted(codes)) + "\n",
                                                       encoding="ascii", newline="\n")
    write_zone_areas(db, args.root / "data" / "zone_areas.txt", [code for code, _ in codes])
    (args.root / "tests" / "crosscheck" / "zone_sources.tsv").write_text("\n".join(sources) + "\n",
                                                                         encoding="ascii", newline="\n")


if __name__ == "__main__":
    main()
