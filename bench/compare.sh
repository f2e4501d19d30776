#!/usr/bin/env bash
# Two builds of pixcell side by side on the benchmark's inputs:
#
#   bench/compare.sh OLD_PIXCELL NEW_PIXCELL [ROUNDS]
#
# Needs the inputs bench/run.sh writes (build-bench/bench-data, or
# PIXCELL_BENCH_BUILD). Runs alternate between the two, so that whatever else
# the machine does weighs on both alike; prints the median wall and CPU time
# (user + system, every thread) and the median peak memory (a run's peak varies by a few tens of KiB
# from run to run) of each, and fails when any output or listing differs
# between them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
old=$(realpath "$1")
new=$(realpath "$2")
rounds=${3:-21}
build=${PIXCELL_BENCH_BUILD:-$root/build-bench}
data=$build/bench-data
timer=$build/bench/pixcell_bench_time
[[ -x $timer && -d $data ]] || { echo "compare: run bench/run.sh first" >&2; exit 2; }

work=$(mktemp -d "${TMPDIR:-/tmp}/pixcell-compare.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/old" "$work/new"
cd "$data"
differ=0
for s in 512 1024 2048 4096; do
    for ((r = 0; r < rounds; r++)); do
        "$timer" "$work/old_$s" "$old" "sheet_$s.txt" "$work/old/sheet_$s" 2>/dev/null
        "$timer" "$work/new_$s" "$new" "sheet_$s.txt" "$work/new/sheet_$s" 2>/dev/null
    done
    for suffix in .s .h _enum.h _pat.c _pat.h; do
        cmp -s "$work/old/sheet_$s$suffix" "$work/new/sheet_$s$suffix" || { echo "sheet_$s$suffix differs"; differ=1; }
    done
done
# The largest sheet as an indexed PNG, named as from the BMP, so that the
# files must be the same bytes as those; left out when OLD can't read PNG.
mkdir -p "$work/old/png" "$work/new/png"
inputs=(512 1024 2048 4096)
if "$old" sheet_4096_png.txt "$work/old/png/sheet_4096" 2>/dev/null; then
    inputs+=(png)
    for ((r = 0; r < rounds; r++)); do
        "$timer" "$work/old_png" "$old" sheet_4096_png.txt "$work/old/png/sheet_4096" 2>/dev/null
        "$timer" "$work/new_png" "$new" sheet_4096_png.txt "$work/new/png/sheet_4096" 2>/dev/null
    done
    for suffix in .s .h _enum.h _pat.c _pat.h; do
        cmp -s "$work/old/png/sheet_4096$suffix" "$work/new/png/sheet_4096$suffix" || { echo "sheet_4096_png$suffix differs"; differ=1; }
        cmp -s "$work/new/sheet_4096$suffix" "$work/new/png/sheet_4096$suffix" || { echo "sheet_4096_png$suffix differs from the BMP's"; differ=1; }
    done
fi
for d in desc_1mb desc_16mb; do
    for ((r = 0; r < rounds; r++)); do
        "$timer" "$work/old_$d" "$old" -d "$d.txt" >"$work/old/$d.list" 2>/dev/null
        "$timer" "$work/new_$d" "$new" -d "$d.txt" >"$work/new/$d.list" 2>/dev/null
    done
    cmp -s "$work/old/$d.list" "$work/new/$d.list" || { echo "$d listing differs"; differ=1; }
done

median() {  # median of column $2 of file $1
    awk -v c="$2" '{print $c}' "$1" | sort -g |
        awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'
}
echo "| input | wall before | wall after | after / before | CPU before | CPU after | after / before | peak memory before | peak memory after |"
echo "|---|---|---|---|---|---|---|---|---|"
for input in "${inputs[@]}" desc_1mb desc_16mb; do
    label=$input
    [[ $input =~ ^[0-9]+$ ]] && label="${input}x${input}"
    [[ $input == png ]] && label="4096x4096 PNG"
    awk -v l="$label" -v o="$(median "$work/old_$input" 2)" -v n="$(median "$work/new_$input" 2)" \
        -v ow="$(median "$work/old_$input" 1)" -v nw="$(median "$work/new_$input" 1)" \
        -v om="$(median "$work/old_$input" 3)" -v nm="$(median "$work/new_$input" 3)" \
        'BEGIN {printf "| %s | %.1f ms | %.1f ms | %.3f | %.1f ms | %.1f ms | %.3f | %d KiB | %d KiB |\n", l, ow * 1000, nw * 1000, nw / ow, o * 1000, n * 1000, n / o, om, nm}'
done
exit $differ
