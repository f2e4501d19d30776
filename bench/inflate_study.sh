#!/usr/bin/env bash
# The inflate study: bench/inflate_study.sh [PNG...]
#
# Times libspng against whole_png (pixcell_bench_png_inflate) on the
# bench's 4096x4096 sheet as an indexed and as an RGBA PNG, and on any other
# PNG named, interleaved round by round; beside them pixcell_bench_png_decode
# and pixcell converting the two PNGs and the BMP. Prints medians of wall
# and CPU time and peak memory, and of where the libdeflate way's time goes
# (--split).
#
#   PIXCELL_BENCH_BUILD  build folder (default: build-bench/ in the repository)
#   PIXCELL_BENCH_REPS   rounds (default: 21)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${PIXCELL_BENCH_BUILD:-$root/build-bench}
reps=${PIXCELL_BENCH_REPS:-21}
extra=()
for f in "$@"; do extra+=("$(realpath "$f")"); done

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DPIXCELL_BENCH=ON >/dev/null
cmake --build "$build" -j2 --target pixcell pixcell_bench_inputs pixcell_bench_time pixcell_bench_png_decode \
    pixcell_bench_png_inflate >"$build/inflate-study-build.log" 2>&1 ||
    { cat "$build/inflate-study-build.log" >&2; exit 1; }
timer=$build/bench/pixcell_bench_time
inflate=$build/bench/pixcell_bench_png_inflate
data=$build/bench-data
[ -f "$data/sheet_4096_rgba.png" ] || "$build/bench/pixcell_bench_inputs" "$data" >/dev/null
cd "$data"
pngs=("$data/sheet_4096.png" "$data/sheet_4096_rgba.png" "${extra[@]}")
for png in "${pngs[@]}"; do "$inflate" "$png" || { echo "inflate_study: the two ways differ on $png" >&2; exit 1; }; done

times=$data/inflate-times
rm -rf "$times" "$data/out/study"
mkdir -p "$times" "$data/out/study"
key() { basename "$1" .png; }
# Untimed: the files in the page cache.
"$build/pixcell" sheet_4096_png.txt out/study/png 2>/dev/null
"$build/pixcell" sheet_4096_rgba.txt out/study/rgba 2>/dev/null
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
for ((round = 1; round <= reps; round++)); do
    "$timer" "$times/convert_png" "$build/pixcell" sheet_4096_png.txt out/study/png 2>/dev/null
    "$timer" "$times/convert_rgba" "$build/pixcell" sheet_4096_rgba.txt out/study/rgba 2>/dev/null
    "$timer" "$times/convert_bmp" "$build/pixcell" sheet_4096.txt out/study/bmp 2>/dev/null
    "$timer" "$times/png_decode" "$build/bench/pixcell_bench_png_decode" sheet_4096.png
    for png in "${pngs[@]}"; do
        for way in libspng libdeflate; do "$timer" "$times/$(key "$png")_$way" "$inflate" "$png" "$way"; done
        "$inflate" "$png" libdeflate --split >>"$times/$(key "$png")_split"
    done
done
load_after=$(cut -d' ' -f1-3 /proc/loadavg)

median() { sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
ms() { cut -d' ' -f"$2" "$times/$1" | median | awk '{printf "%.1f", $1 * 1000}'; }
mib() { cut -d' ' -f3 "$times/$1" | median | awk '{printf "%.1f", $1 / 1024}'; }
row() { printf '%-40s %8s %8s %8s\n' "$1" "$(ms "$1" 1)" "$(ms "$1" 2)" "$(mib "$1")"; }
echo "$reps rounds; load average $load_before before, $load_after after; medians"
printf '%-40s %8s %8s %8s\n' run "wall ms" "CPU ms" "peak MiB"
for run in convert_png convert_rgba convert_bmp png_decode; do row $run; done
for png in "${pngs[@]}"; do
    k=$(key "$png")
    for way in libspng libdeflate; do row "${k}_$way"; done
    awk -v a="$(ms "${k}_libspng" 1)" -v b="$(ms "${k}_libdeflate" 1)" -v c="$(ms "${k}_libspng" 2)" \
        -v d="$(ms "${k}_libdeflate" 2)" 'BEGIN {printf "%-40s %7.2fx %7.2fx\n", "  libspng / libdeflate", a / b, c / d}'
    printf '  libdeflate split:'
    names=([2]=walk+CRC [5]=gather [8]=inflate [11]=unfilter [15]="(zlib inflate)")
    for field in 2 5 8 11 15; do
        printf ' %s %s' "${names[$field]}" "$(awk -v f=$field '{print $f}' "$times/${k}_split" | median)"
    done
    echo
done
