#!/usr/bin/env python3
"""Start-up and whole-process cost of kartoval-convert, CPU time (user + system)
medians of interleaved runs, against its peers and a static floor program:

  1 point (geo -> utm:29N): each kartoval-convert, GeoConvert, proj, cs2cs;
      with the shared objects it maps (ldd), its minor page faults and the
      dynamic loader's relocations (LD_DEBUG=statistics);
  40,000 points degrees -> UTM, file to file: against kartoval_static_floor
      (same rows, same projection, statically linked) and proj;
  400,000 points: against proj.

    bench/startup_bench.py --floor FLOOR [--runs N] LABEL=PROGRAM...
"""

import argparse
import os
import random
import re
import statistics
import subprocess
import sys
import tempfile

UTM = ["+proj=utm", "+zone=29", "+ellps=WGS84"]


def write_rows(path, count, seed=20040):
    rng = random.Random(seed)
    with open(path, "w") as out:
        out.write("".join(f"P{k} {rng.uniform(-12, -6):.6f} {rng.uniform(0, 84):.6f}\n" for k in range(count)))
    with open(path) as rows, open(path + ".pairs", "w") as out:
        for line in rows:
            out.write(line.split(None, 1)[1])


def measure(command, stdin_path, stdout_path, env=None):
    """CPU seconds (user + system) and minor page faults of one process."""
    with open(stdin_path, "rb") as stdin, open(stdout_path, "wb") as stdout:
        process = subprocess.Popen(command, stdin=stdin, stdout=stdout, env=env)
        _, status, usage = os.wait4(process.pid, 0)
    if status != 0:
        sys.exit(f"{' '.join(command)} failed with status {status}")
    return usage.ru_utime + usage.ru_stime, usage.ru_minflt


def medians(commands, runs):
    """{name: (median CPU s, median faults)} of interleaved runs of (command, stdin, stdout)."""
    samples = {name: [] for name in commands}
    for _ in range(runs):
        for name, (command, stdin_path, stdout_path) in commands.items():
            samples[name].append(measure(command, stdin_path, stdout_path))
    return {name: (statistics.median(s[0] for s in runs_), statistics.median(s[1] for s in runs_))
            for name, runs_ in samples.items()}


def loader_figures(command, stdin_path):
    """Shared objects mapped and relocations done by the dynamic loader."""
    objects = subprocess.run(command[:1], env=dict(os.environ, LD_TRACE_LOADED_OBJECTS="1"),
                             capture_output=True, text=True).stdout
    with open(stdin_path, "rb") as stdin:
        stats = subprocess.run(command, stdin=stdin, stdout=subprocess.DEVNULL, capture_output=False,
                               stderr=subprocess.PIPE, text=True, env=dict(os.environ, LD_DEBUG="statistics")).stderr
    relocations = re.search(r"number of relocations:\s*(\d+)", stats)
    return len(objects.strip().splitlines()), int(relocations.group(1)) if relocations else -1


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--floor", required=True)
    parser.add_argument("--runs", type=int, default=21)
    parser.add_argument("programs", nargs="+", metavar="LABEL=PROGRAM")
    args = parser.parse_args()
    programs = dict(p.split("=", 1) for p in args.programs)
    work = tempfile.mkdtemp(prefix="kartoval-startup-bench-")
    out = os.path.join(work, "out.txt")
    rows = {n: os.path.join(work, f"deg{n}.txt") for n in (1, 40_000, 400_000)}
    for count, path in rows.items():
        write_rows(path, count)

    print(f"machine: {os.uname().machine}, {os.cpu_count()} processors; CPU = user + system, median of "
          f"{args.runs} interleaved runs (400,000 points: {max(3, args.runs // 3)})\n")
    print("1 point, geo -> utm:29N:\n")
    print("| program | CPU | minor page faults | shared objects | relocations |")
    print("|---|---|---|---|---|")
    one = {f"kartoval-convert ({label})": ([path, "--from", "geo", "--to", "utm:29N"], rows[1], out)
           for label, path in programs.items()}
    one["GeoConvert"] = (["GeoConvert", "-u", "-z", "29n"], rows[1] + ".geoconvert", out)
    with open(rows[1] + ".geoconvert", "w") as f:
        lon, lat = open(rows[1] + ".pairs").read().split()
        f.write(f"{lat} {lon}\n")
    one["proj"] = (["proj"] + UTM, rows[1] + ".pairs", out)
    one["cs2cs"] = (["cs2cs", "+proj=longlat", "+ellps=WGS84", "+to"] + UTM, rows[1] + ".pairs", out)
    for name, (cpu, faults) in medians(one, args.runs).items():
        objects, relocations = loader_figures(one[name][0], one[name][1])
        print(f"| {name} | {cpu * 1e3:.1f} ms | {faults:.0f} | {objects} | {relocations} |")

    for count, runs in ((40_000, args.runs), (400_000, max(3, args.runs // 3))):
        print(f"\n{count:,} points, degrees -> UTM, file to file:\n")
        print("| program | CPU | / static floor | proj / it |")
        print("|---|---|---|---|")
        commands = {f"kartoval-convert ({label})": ([path, "--from", "geo", "--to", "utm:29N", rows[count], out],
                                                    rows[count], os.devnull)
                    for label, path in programs.items()}
        commands["static floor"] = ([args.floor, rows[count], out], rows[count], os.devnull)
        commands["proj"] = (["proj"] + UTM, rows[count] + ".pairs", out)
        result = medians(commands, runs)
        floor, proj = result["static floor"][0], result["proj"][0]
        for name, (cpu, _) in result.items():
            print(f"| {name} | {cpu * 1e3:.1f} ms | {cpu / floor:.2f}x | {proj / cpu:.1f}x |")
    for name in os.listdir(work):
        os.remove(os.path.join(work, name))
    os.rmdir(work)


if __name__ == "__main__":
    main()
