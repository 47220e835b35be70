#!/usr/bin/env python3
"""The window's start-up against an empty Qt window with one label, whole
processes from exec to a shown, painted window (bench/ShownWindow.hpp), on one
Xvfb display, interleaved: median wall and CPU (user + system) time, and the
shared objects each maps.

    bench/window_bench.py [--runs N] FLOOR LABEL=PROGRAM...
"""

import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time


def run(command, env):
    start = time.perf_counter()
    process = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    wall = time.perf_counter() - start
    if status != 0:
        sys.exit(f"{command[0]} failed with status {status}")
    return wall, usage.ru_utime + usage.ru_stime


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--runs", type=int, default=21)
    parser.add_argument("floor")
    parser.add_argument("programs", nargs="+", metavar="LABEL=PROGRAM")
    args = parser.parse_args()
    display = ":%d" % (90 + os.getpid() % 100)
    xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                            stderr=subprocess.DEVNULL)
    try:
        time.sleep(1.0)
        runtime = tempfile.mkdtemp(prefix="kartoval-window-bench-")  # mode 0700, as Qt wants it
        env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", XDG_RUNTIME_DIR=runtime)
        commands = {"empty window, one label": [args.floor]}
        commands.update({f"Kartoval ({label})": [path] for label, path in (p.split("=", 1) for p in args.programs)})
        for command in commands.values():  # a warm file cache for every program
            run(command, env)
        samples = {name: [] for name in commands}
        for _ in range(args.runs):
            for name, command in commands.items():
                samples[name].append(run(command, env))
        floor_wall = statistics.median(s[0] for s in samples["empty window, one label"])
        floor_cpu = statistics.median(s[1] for s in samples["empty window, one label"])
        print(f"window shown on Xvfb {display}, median of {args.runs} interleaved runs\n")
        print("| program | wall | CPU | wall / floor | CPU / floor | shared objects |")
        print("|---|---|---|---|---|---|")
        for name, command in commands.items():
            wall = statistics.median(s[0] for s in samples[name])
            cpu = statistics.median(s[1] for s in samples[name])
            objects = subprocess.run(command, env=dict(env, LD_TRACE_LOADED_OBJECTS="1"), capture_output=True,
                                     text=True).stdout.strip().splitlines()
            print(f"| {name} | {wall * 1e3:.0f} ms | {cpu * 1e3:.0f} ms | {wall / floor_wall:.2f}x "
                  f"| {cpu / floor_cpu:.2f}x | {len(objects)} |")
        os.rmdir(runtime)
    finally:
        xvfb.terminate()
        xvfb.wait()


if __name__ == "__main__":
    main()
