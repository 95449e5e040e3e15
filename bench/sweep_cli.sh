#!/usr/bin/env bash
# Wall time and peak memory of tarsel-report --sweep writing CSV with the
# default columns, for two numbers of points: the memory must not grow with N.
# usage: bench/sweep_cli.sh [TARSEL_REPORT]   (default build/cli/tarsel-report)
set -euo pipefail
program=${1:-build/cli/tarsel-report}
echo "cores: $(nproc), load: $(cut -d' ' -f1-3 /proc/loadavg)"
for n in 100000 1000000; do
    /usr/bin/time -f "N=$n: %e s wall, %U s user, max RSS %M KiB" \
        "$program" --defaults --sweep "Range=1:100000:$n" >/dev/null
done
