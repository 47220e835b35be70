#!/usr/bin/env python3
"""The zone codes of zone_codes.txt against PROJ's former init files, which
list every zone under its code with its parameters: each code must name the
table zone whose parameters the init file gives that code.
Usage: check_zone_codes.py DATA_FOLDER INIT_FOLDER"""
import pathlib
import re
import sys

data, init = map(pathlib.Path, sys.argv[1:3])


def number(text):
    """'-85d50', "-36d52'11.6315", '.99996' -> a float."""
    m = re.fullmatch(r"([-+]?)([\d.]+)(?:d([\d.]*)(?:'([\d.]*))?)?", text)
    value = float(m[2]) + float(m[3] or 0) / 60 + float(m[4] or 0) / 3600
    return -value if m[1] == "-" else value


failures = []
codes = [line.split("\t") for line in (data / "zone_codes.txt").read_text().splitlines()]
for table, feet, with_code in (("nad27", 1200 / 3937, 132), ("nad83", 1, 123)):
    entries = {int(code): dict(re.findall(r"(\w+)=(\S+)", body))
               for code, body in re.findall(r"<(\d+)>([^<]*)<>", (init / f"{table}.init").read_text())}
    zones = {f[0]: f[1:] for f in (line.split("\t") for line in (data / f"{table}.txt").read_text().splitlines())}
    named = [(f[2], int(f[3])) for f in codes if f[1] == f"{table}.txt" and len(f) == 4]
    if len(named) != with_code or len({c for _, c in named}) != len(named):
        failures.append(f"{table}: {len(named)} zones with a code, {with_code} expected, each once")
    for name, code in named:
        kind, *ours = zones[name]
        p = {k: number(v) for k, v in entries[code].items() if k not in ("proj", "datum", "no_defs", "a", "es")}
        if kind == "TM":
            theirs = [p["lon_0"], p["lat_0"], p["k"]]
        elif kind == "LAMBERT":
            theirs = [p["lon_0"], p["lat_0"], *sorted((p["lat_1"], p["lat_2"]), reverse=True)]
            ours[2:4] = sorted(ours[2:4], key=float, reverse=True)
        else:
            continue  # oblique Mercator: the false origins differ in kind; make_tables.py matches its centre
        theirs += [p["x_0"] / feet, p["y_0"] / feet]
        # Angles and scales to 1e-7 (1 cm; EPSG rounds 1927 Rhode Island's
        # 0.99999375 to 0.9999938), false origins to 1 mm.
        tolerances = [1e-7] * (len(theirs) - 2) + [1e-3 / feet] * 2
        if any(abs(float(a) - b) > t for a, b, t in zip(ours, theirs, tolerances)):
            failures.append(f"{table} {code:04d} is {name} {ours}, but the init file says {theirs}")
print("\n".join(failures) or "every zone code names the zone its init entry describes")
sys.exit(1 if failures else 0)
