#!/usr/bin/env bash
# tarsel-report over terrain profiles, end to end, best of three runs each,
# as wall time and as processor time (user + system, all threads), which a
# busy machine inflates less:
#  - --profile --json on a 200,000-point CSV, against Python only reading the
#    same numbers (float() of each field): the goal is at most half its time;
#  - --sweep fcent=...:...:10000 on a 10,000-point profile: the goal is 2 s.
# usage: bench/terrain_cli.sh [TARSEL_REPORT]   (default build/cli/tarsel-report)
set -euo pipefail
program=${1:-build/cli/tarsel-report}
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
echo "cores: $(nproc), load: $(cut -d' ' -f1-3 /proc/loadavg)"
python3 - "$program" "$folder" <<'PY'
import math, resource, subprocess, sys, time

program, folder = sys.argv[1], sys.argv[2]

def write_profile(path, points, step_m):
    # Rolling ground with one ridge, written as a planning tool exports it.
    with open(path, "w") as f:
        f.write("Distance (m),Height (m)\n")
        for i in range(points):
            d = i * step_m
            h = 200 + 80 * math.sin(d / 7000) + 150 * math.exp(-((d - 0.4 * points * step_m) / 3000) ** 2)
            f.write(f"{d:.1f},{h + (i * 7919 % 13) * 0.37:.2f}\n")

def cpu():
    used = [resource.getrusage(who) for who in (resource.RUSAGE_SELF, resource.RUSAGE_CHILDREN)]
    return sum(u.ru_utime + u.ru_stime for u in used)

def best(run, times=3):
    """Best (wall, processor) seconds of times runs."""
    walls, cpus = [], []
    for _ in range(times):
        start, start_cpu = time.perf_counter(), cpu()
        run()
        walls.append(time.perf_counter() - start)
        cpus.append(cpu() - start_cpu)
    return min(walls), min(cpus)

def tool(*args):
    subprocess.run([program, "--defaults", *args], check=True, stdout=subprocess.DEVNULL)

def show(what, s):
    return f"{what}: {s[0]:.3f} s wall, {s[1]:.3f} s processor"

def python_read(path):
    with open(path) as f:
        next(f)
        for line in f:
            a, b = line.split(",")
            float(a), float(b)

big = f"{folder}/path_200k.csv"
write_profile(big, 200_000, 0.5)
python_s = best(lambda: python_read(big))
tool_s = best(lambda: tool("--set", "fcent=900e6", "--profile", big, "--json"))
print(show("--profile --json, 200000 points", tool_s))
print(show("Python float() of the same numbers", python_s))
print(f"ratio {tool_s[0] / python_s[0]:.2f} wall, {tool_s[1] / python_s[1]:.2f} processor (goal <= 0.5)")

small = f"{folder}/path_10k.csv"
write_profile(small, 10_000, 10.0)
sweep_s = best(lambda: tool("--profile", small, "--sweep", "fcent=1e8:1e10:10000"))
print(show("--sweep fcent=1e8:1e10:10000 on 10000 points (goal <= 2 s on 2 cores)", sweep_s))
every = best(lambda: tool("--profile", small, "--sweep", "kFactor=0.5:4:10000", "--columns", "all"), 1)
print(show("--sweep kFactor=0.5:4:10000 --columns all (every method), 10000 points", every))
PY
