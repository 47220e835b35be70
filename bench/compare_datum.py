#!/usr/bin/env python3
"""kartoval-convert's datum shift against PROJ's cs2cs with the same grids, CPU time.

400 000 rows, each program RUNS times, interleaved, whole processes: the
median CPU time (user + system) of each and their ratio, for NAD27 Texas South
Central (US survey feet) to NAD83 Texas South Central (metres) and for NAD27
to NAD83 degrees. cs2cs gets the shipped NADCON grids first on its path (and
proj.db from proj-data), so it takes the same grid; the script checks that the
two agree on every point (1 mm, 1e-9 degree) before it times anything.

    bench/compare_datum.py PROGRAM GRID_FOLDER [--runs N] [--rows N]
"""

import argparse
import os
import random
import statistics
import subprocess
import sys
import tempfile

PROJ_DB_DIRS = ("/usr/share/proj", "/usr/local/share/proj")


def measure(command, stdin_path, stdout_path, env):
    """CPU seconds (user + system) of one whole process."""
    with open(stdin_path, "rb") as stdin, open(stdout_path, "wb") as stdout:
        process = subprocess.Popen(command, stdin=stdin, stdout=stdout, env=env)
        _, status, usage = os.wait4(process.pid, 0)
    if status != 0:
        sys.exit(f"{' '.join(command)} failed with status {status}")
    return usage.ru_utime + usage.ru_stime


def numbers(path, first):
    """The two numbers of each line from field `first` on."""
    with open(path) as lines:
        return [tuple(float(v) for v in line.split()[first:first + 2]) for line in lines]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("program")
    parser.add_argument("grids")
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--rows", type=int, default=400_000)
    args = parser.parse_args()
    db = next((d for d in PROJ_DB_DIRS if os.path.exists(os.path.join(d, "proj.db"))), None)
    if db is None:
        sys.exit("proj.db not found (Debian package proj-data)")
    env = dict(os.environ, PROJ_DATA=f"{os.path.abspath(args.grids)}:{db}", PROJ_NETWORK="OFF")
    work = tempfile.mkdtemp(prefix="kartoval-datum-bench-")
    rng = random.Random(1927)

    # NAD27 degrees over Texas South Central and over the conterminous US.
    texas_deg = os.path.join(work, "texas_deg.txt")
    conus = os.path.join(work, "conus.txt")
    with open(texas_deg, "w") as tx, open(conus, "w") as us:
        for k in range(args.rows):
            tx.write(f"P{k} {rng.uniform(-100, -95):.6f} {rng.uniform(28, 30.5):.6f}\n")
            us.write(f"P{k} {rng.uniform(-120, -75):.6f} {rng.uniform(26, 48):.6f}\n")
    texas = os.path.join(work, "texas_ft.txt")
    subprocess.run([args.program, "--from", "geo:nad27", "--to", "nad27:Texas South Central", texas_deg, texas],
                   check=True)
    texas_pairs = os.path.join(work, "texas_pairs.txt")
    conus_pairs = os.path.join(work, "conus_pairs.txt")  # cs2cs reads EPSG:4267 as latitude, longitude
    with open(texas) as rows, open(texas_pairs, "w") as out:
        out.writelines(line.split(None, 1)[1] for line in rows)
    with open(conus) as rows, open(conus_pairs, "w") as out:
        for line in rows:
            _, lon, lat = line.split()
            out.write(f"{lat} {lon}\n")

    cases = [
        ("NAD27 Texas South Central ftUS -> NAD83 Texas South Central m",
         [args.program, "--from", "nad27:Texas South Central", "--to", "nad83:Texas South Central"], texas,
         ["cs2cs", "-f", "%.4f", "EPSG:32040", "EPSG:32140"], texas_pairs, 1e-3, False),
        ("NAD27 degrees -> NAD83 degrees",
         [args.program, "--from", "geo:nad27", "--to", "geo:nad83"], conus,
         ["cs2cs", "-f", "%.9f", "EPSG:4267", "EPSG:4269"], conus_pairs, 1.5e-9, True),
    ]
    out_k = os.path.join(work, "out_kartoval.txt")
    out_c = os.path.join(work, "out_cs2cs.txt")
    print(f"| {args.rows} rows | kartoval-convert CPU s | cs2cs CPU s | cs2cs / kartoval |")
    print("|---|---|---|---|")
    for name, kartoval, kartoval_in, cs2cs, cs2cs_in, tolerance, swapped in cases:
        measure(kartoval, kartoval_in, out_k, env)
        measure(cs2cs, cs2cs_in, out_c, env)
        ours = numbers(out_k, 1)
        theirs = [(b, a) if swapped else (a, b) for a, b in numbers(out_c, 0)]
        worst = max(max(abs(p[0] - q[0]), abs(p[1] - q[1])) for p, q in zip(ours, theirs))
        if len(ours) != len(theirs) or worst > tolerance:
            sys.exit(f"{name}: kartoval-convert and cs2cs disagree by {worst} (allowed {tolerance})")
        times_k, times_c = [], []
        for _ in range(args.runs):
            times_k.append(measure(kartoval, kartoval_in, out_k, env))
            times_c.append(measure(cs2cs, cs2cs_in, out_c, env))
        k, c = statistics.median(times_k), statistics.median(times_c)
        print(f"| {name} (agree within {worst:.1e}) | {k:.3f} | {c:.3f} | {c / k:.1f} |")


if __name__ == "__main__":
    main()
