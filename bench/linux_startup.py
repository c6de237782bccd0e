#!/usr/bin/env python3
"""Start-up seen from Linux: each program started through the Wine loader, alternately, and
waited for with wait4(): wall time from spawn to exit and the process's peak resident set
(ru_maxrss). Both include Wine's own loader and DLLs, the same for either program: a side-by-side
comparison, not the program's own footprint.

  linux_startup.py RUNS WINE_LOADER NAME EXE ARG [NAME EXE ARG]...   (ARG may be ""; the first
  program is compared with the second)
"""
import os
import statistics
import subprocess
import sys
import time


def run_once(loader, exe, arg):
    command = [loader, exe] + ([arg] if arg else [])
    started = time.perf_counter()
    child = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    child.returncode = os.waitstatus_to_exitcode(status)
    return time.perf_counter() - started, usage.ru_maxrss, child.returncode


def main():
    runs, loader = int(sys.argv[1]), sys.argv[2]
    programs = [{"name": name, "exe": exe, "arg": arg, "wall": [], "rss": [], "code": None}
                for name, exe, arg in zip(*[iter(sys.argv[3:])] * 3)]

    for p in programs:  # one each first, not counted
        run_once(loader, p["exe"], p["arg"])
    for i in range(runs):
        for j in range(len(programs)):  # in turn, each round starting with the next program
            p = programs[(i + j) % len(programs)]
            wall, rss, code = run_once(loader, p["exe"], p["arg"])
            p["wall"].append(wall * 1000)
            p["rss"].append(rss)
            p["code"] = code

    print(f"linux_startup (from Linux: spawn of {os.path.basename(loader)} -> exit, wait4), "
          f"{runs} runs of each, in turn")
    print(f"  {'program':<20} {'min ms':>10} {'median ms':>10} {'mean ms':>10} {'max ms':>10}"
          f"   {'max RSS (median)':>16}  exit code")
    for p in programs:
        w = p["wall"]
        print(f"  {p['name']:<20} {min(w):10.1f} {statistics.median(w):10.1f} {statistics.mean(w):10.1f}"
              f" {max(w):10.1f}   {statistics.median(p['rss']):12.0f} KiB  {p['code']}")
    ratio = statistics.median(programs[0]["wall"]) / statistics.median(programs[1]["wall"])
    print(f"  ratio kelvano/minimal, median wall time: {ratio:.3f} (goal < 1.05: {'met' if ratio < 1.05 else 'NOT MET'})")
    rss_ratio = statistics.median(programs[0]["rss"]) / statistics.median(programs[1]["rss"])
    print(f"  ratio kelvano/minimal, median max RSS: {rss_ratio:.3f}")


if __name__ == "__main__":
    main()
