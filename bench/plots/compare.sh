#!/bin/bash
# The plot benchmarks of an older revision beside this tree's, in one run:
#   bench/plots/compare.sh [REVISION] [RUNS]
# builds REVISION (default: main) in a temporary worktree with this tree's
# benchmark sources, then runs the old and the new refresh and typing
# benchmarks in turn RUNS times (default 3) and prints, per case, the best
# of the runs' p95 CPU times (refresh) and of the typing figures, so that a
# busy machine weighs on both alike. Needs this tree built in $BUILD (build).
set -euo pipefail
revision=${1:-main}
runs=${2:-3}
here=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD:-build}
new=$here/$build/bench
old_tree=$(mktemp -d /tmp/tarsel-bench-XXXXXX)
trap 'git -C "$here" worktree remove --force "$old_tree" >/dev/null 2>&1 || true' EXIT

git -C "$here" worktree add --detach "$old_tree" "$revision" >/dev/null 2>&1
cp "$here"/bench/plots/*.cpp "$old_tree/bench/plots/"
cmake -S "$old_tree" -B "$old_tree/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$old_tree/build" -j 2 --target tarsel_plot_bench tarsel_typing_bench >/dev/null
old=$old_tree/build/bench

results=$(mktemp)
for ((i = 0; i < runs; i++)); do
    for side in old new; do
        dir=$old
        [ $side = new ] && dir=$new
        "$dir/tarsel_plot_bench" 2>/dev/null | awk -v s=$side '/_p95/ {
            sub("PlotRefresh/", "", $1); sub("/iterations.*", "", $1); print s, "refresh", $1, $4 }' >>"$results"
        "$dir/tarsel_typing_bench" 2>/dev/null | awk -v s=$side '
            /^1e6-point sweep/ { print s, "typing-p95", "1e6-sweep", $5; print s, "stall", "1e6-sweep", $7 }
            /^no sweep/ { print s, "typing-p95", "no-sweep", $5; print s, "stall", "no-sweep", $7 }
            /took/ { print s, "drawn-after", "1e6-sweep", $5 }' >>"$results"
    done
done
printf '%-12s %-26s %10s %10s   (best of %d runs; ms)\n' figure case "$revision" new "$runs"
sort -k2,3 -k1,1 "$results" | awk '
    { key = $2 " " $3; v = $4 + 0; if (!(key SUBSEP $1 in best) || v < best[key, $1]) best[key, $1] = v; keys[key] = 1 }
    END { for (k in keys) { split(k, p, " "); printf "%-12s %-26s %10.2f %10.2f\n", p[1], p[2], best[k, "old"], best[k, "new"] } }' |
    sort
rm -f "$results"
