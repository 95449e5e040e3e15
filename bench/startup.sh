#!/usr/bin/env bash
# Start-up of the window program against a bare Qt window
# (bench/startup/bare_window.cpp), all offscreen, started N times in turn:
# each shows its window, saves it as a picture and quits. Prints the median
# wall time until the picture's file is created (the window shown and
# grabbed) and until the process has ended (tarsel then also encodes a
# fuller picture; its throw-away settings file is not saved), the
# processor time (user + system, all threads; a busy machine inflates it
# less), the peak resident memory and the ratios. The goal: tarsel within
# 1.1x the bare window's time and 8 MB of its memory. A third line, the same
# bare window holding the main window's kinds of widget (a menu bar, entry
# boxes, a label, buttons), shows what Qt itself spends on a first text and
# a menu bar, which the bare window never draws: tarsel's own part is what it
# takes beyond that.
# usage: bench/startup.sh [BUILD] [N]   (default build, 30)
set -euo pipefail
build=${1:-build}
runs=${2:-30}
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
echo "cores: $(nproc), load: $(cut -d' ' -f1-3 /proc/loadavg), runs: $runs each"
QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$folder/config" python3 - "$build" "$runs" "$folder" <<'PY'
import os, statistics, subprocess, sys, time

build, runs, folder = sys.argv[1], int(sys.argv[2]), sys.argv[3]
programs = {
    "bare Qt window": [f"{build}/bench/tarsel_bare_window", f"{folder}/bare.png"],
    "Qt widgets": [f"{build}/bench/tarsel_bare_window", "--widgets", f"{folder}/widgets.png"],
    "tarsel": [f"{build}/ui/tarsel", "--screenshot", f"{folder}/tarsel.png"],
}
seen = {name: [] for name in programs}
for _ in range(runs):
    for name, command in programs.items():
        picture = command[-1]
        if os.path.exists(picture):
            os.remove(picture)
        start = time.perf_counter()
        child = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        shown = None
        while True:
            pid, status, use = os.wait4(child.pid, os.WNOHANG)
            now = time.perf_counter()
            if shown is None and os.path.exists(picture):
                shown = now - start
            if pid != 0:
                break
            time.sleep(0.0005)
        if status != 0:
            sys.exit(f"{command[0]} failed (status {status})")
        seen[name].append((shown or now - start, now - start, use.ru_utime + use.ru_stime,
                           use.ru_maxrss / 1024))

def median(name, i):
    return statistics.median(row[i] for row in seen[name])

for name in programs:
    print(f"{name:15} shown {median(name, 0) * 1000:6.1f} ms  ended {median(name, 1) * 1000:6.1f} ms"
          f"  cpu {median(name, 2) * 1000:6.1f} ms  peak RSS {median(name, 3):6.1f} MB")
bare, tarsel = "bare Qt window", "tarsel"
ratio = lambda i: median(tarsel, i) / median(bare, i)
widgets = "Qt widgets"
print(f"tarsel / Qt widgets: shown {median(tarsel, 0) / median(widgets, 0):.2f}x  "
      f"cpu {median(tarsel, 2) / median(widgets, 2):.2f}x  "
      f"RSS +{median(tarsel, 3) - median(widgets, 3):.1f} MB")
print(f"tarsel / bare:  shown {ratio(0):.2f}x  ended {ratio(1):.2f}x  cpu {ratio(2):.2f}x  "
      f"RSS +{median(tarsel, 3) - median(bare, 3):.1f} MB   (goal: 1.1x, +8 MB)")
PY
