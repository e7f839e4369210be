#!/usr/bin/env python3
"""Runs one benchmark program from two builds in turn (old, new, old, new, ...) and prints, for
every benchmark both have, the median processor time of each and the ratio new/old.

    bench/compare_builds.py OLD_PROGRAM NEW_PROGRAM [--rounds N] [-- benchmark flags...]

Taking turns in one run keeps a busy machine's drift out of the ratio, and processor time
keeps out the time other programs take the processor away. Programs that need a display get
QT_QPA_PLATFORM=offscreen.
"""
import json
import os
import statistics
import subprocess
import sys


def run(program, flags):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    out = subprocess.run([program, "--benchmark_format=json", *flags], env=env, check=True,
                         capture_output=True, text=True).stdout
    times = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("run_type", "iteration") == "iteration" and "error_occurred" not in b:
            times[b["name"]] = b["cpu_time"] * {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1}[b["time_unit"]]
    return times


def main():
    args = sys.argv[1:]
    flags = []
    if "--" in args:
        flags = args[args.index("--") + 1:]
        args = args[:args.index("--")]
    rounds = 3
    if "--rounds" in args:
        i = args.index("--rounds")
        rounds = int(args[i + 1])
        del args[i:i + 2]
    old, new = args
    samples = {"old": {}, "new": {}}
    for _ in range(rounds):
        for side, program in (("old", old), ("new", new)):
            for name, t in run(program, flags).items():
                samples[side].setdefault(name, []).append(t)
    names = [n for n in samples["new"] if n in samples["old"]]
    width = max((len(n) for n in names), default=10)
    print(f"{'benchmark':<{width}}  {'old':>12}  {'new':>12}  new/old")
    for name in names:
        o = statistics.median(samples["old"][name])
        n = statistics.median(samples["new"][name])
        print(f"{name:<{width}}  {o * 1e3:10.4f}ms  {n * 1e3:10.4f}ms  {n / o:7.3f}")


if __name__ == "__main__":
    main()
