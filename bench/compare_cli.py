#!/usr/bin/env python3
"""kartoval-convert against PROJ's `proj` and `cs2cs`, whole processes, CPU time.

Converts "id lon lat" rows (UTM zone 29, WGS 84) of 40 000 and 400 000 points
both ways, each program RUNS times, interleaved, and prints the median CPU time
(user + system) of each and the ratio of the medians. `proj` and `cs2cs` get
the same coordinates as "lon lat" pairs, since an ID column ahead of them is
no input they read. Then 4 000 000 rows through kartoval-convert's standard
input and output, and its peak resident memory against that of 40 000 rows.

    bench/compare_cli.py PROGRAM [--runs N]
"""

import argparse
import os
import random
import statistics
import subprocess
import sys
import tempfile

SIZES = (40_000, 400_000)
BIG = 4_000_000
UTM = ["+proj=utm", "+zone=29", "+ellps=WGS84"]


def write_rows(path, count, seed=20040):
    rng = random.Random(seed)
    with open(path, "w") as out:
        for start in range(0, count, 100_000):
            out.write("".join(f"P{k} {rng.uniform(-12, -6):.6f} {rng.uniform(0, 84):.6f}\n"
                              for k in range(start, min(count, start + 100_000))))


def pairs(source, target):
    with open(source) as rows, open(target, "w") as out:
        for line in rows:
            out.write(line.split(None, 1)[1])


def peak_kb(command, stdin_path):
    """Peak resident kB of one process, by GNU time: a process started from
    Python counts Python's own pages until it runs the program."""
    with open(stdin_path, "rb") as stdin:
        result = subprocess.run(["/usr/bin/time", "-f", "%M"] + command, stdin=stdin, stdout=subprocess.DEVNULL,
                                stderr=subprocess.PIPE, text=True, check=True)
    return int(result.stderr.strip().splitlines()[-1])


def measure(command, stdin_path, stdout_path):
    """CPU seconds (user + system) and peak resident kB of one process."""
    with open(stdin_path, "rb") as stdin, open(stdout_path, "wb") as stdout:
        process = subprocess.Popen(command, stdin=stdin, stdout=stdout)
        _, status, usage = os.wait4(process.pid, 0)
    if status != 0:
        sys.exit(f"{' '.join(command)} failed with status {status}")
    return usage.ru_utime + usage.ru_stime, usage.ru_maxrss


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("program")
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()
    work = tempfile.mkdtemp(prefix="kartoval-cli-bench-")
    out = os.path.join(work, "out.txt")
    print("| rows | direction | kartoval-convert | proj | cs2cs | proj / kartoval | cs2cs / kartoval |")
    print("|---|---|---|---|---|---|---|")
    for size in SIZES:
        degrees = os.path.join(work, f"deg{size}.txt")
        grid = os.path.join(work, f"utm{size}.txt")
        write_rows(degrees, size)
        subprocess.run([args.program, "--from", "geo", "--to", "utm:29N", degrees, grid], check=True)
        pairs(degrees, degrees + ".pairs")
        pairs(grid, grid + ".pairs")
        directions = {
            "degrees to UTM": ([args.program, "--from", "geo", "--to", "utm:29N"], degrees,
                               ["proj"] + UTM, ["cs2cs", "+proj=longlat", "+ellps=WGS84", "+to"] + UTM,
                               degrees + ".pairs"),
            "UTM to degrees": ([args.program, "--from", "utm:29N", "--to", "geo"], grid,
                               ["proj", "-I"] + UTM, ["cs2cs"] + UTM + ["+to", "+proj=longlat", "+ellps=WGS84"],
                               grid + ".pairs"),
        }
        for name, (kartoval, rows, proj, cs2cs, pair_rows) in directions.items():
            times = {"k": [], "p": [], "c": []}
            for _ in range(args.runs):
                times["k"].append(measure(kartoval, rows, out)[0])
                times["p"].append(measure(proj, pair_rows, out)[0])
                times["c"].append(measure(cs2cs, pair_rows, out)[0])
            k, p, c = (statistics.median(times[key]) for key in "kpc")
            print(f"| {size:,} | {name} | {k * 1e3:.1f} ms | {p * 1e3:.1f} ms | {c * 1e3:.1f} ms "
                  f"| {p / k:.1f}x | {c / k:.1f}x |")
    big = os.path.join(work, "big.txt")
    write_rows(big, BIG)
    pipe = [args.program, "--from", "geo", "--to", "utm:29N"]
    small = peak_kb(pipe, os.path.join(work, f"deg{SIZES[0]}.txt"))
    large = peak_kb(pipe, big)
    print(f"\nPeak resident memory through standard input and output: {SIZES[0]:,} rows {small / 1024:.1f} MB, "
          f"{BIG:,} rows {large / 1024:.1f} MB ({large / small:.2f}x)")
    for name in os.listdir(work):
        os.remove(os.path.join(work, name))
    os.rmdir(work)


if __name__ == "__main__":
    main()
