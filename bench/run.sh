#!/usr/bin/env bash
# The benchmark: bench/run.sh
#
# Builds pixcell (Release) with the benchmark's tools, writes the inputs,
# converts each sheet and reads each large description several times, and
# reports medians, per-cell and per-byte costs, peak memory and the ratio to
# a plain copy; the largest sheet is also converted from an indexed PNG and
# compared with libspng decoding that PNG alone, and with --objects in each
# way of covering, against the run without; the covers are also measured on
# the art set (pixcell_bench_art, pixcell_bench_objects); and with --compress
# (auto, and lz77) against the run without. Writes sheets.tsv,
# descriptions.tsv and the plot into the data folder, then refreshes the
# measured part of bench/RESULTS.md and bench/time_per_cell.png.
#
#   PIXCELL_BENCH_BUILD  build folder (default: build-bench/ in the repository)
#   PIXCELL_BENCH_REPS   rounds of measurement (default: 15)
set -euo pipefail
script_start=$(date +%s)
root=$(cd "$(dirname "$0")/.." && pwd)
build=${PIXCELL_BENCH_BUILD:-$root/build-bench}
reps=${PIXCELL_BENCH_REPS:-15}
command_line="bench/run.sh"
[ -n "${PIXCELL_BENCH_BUILD:-}" ] && command_line="PIXCELL_BENCH_BUILD=$PIXCELL_BENCH_BUILD $command_line"
[ -n "${PIXCELL_BENCH_REPS:-}" ] && command_line="PIXCELL_BENCH_REPS=$reps $command_line"

"$root/scripts/deps.sh" bench
echo "== build (Release) in $build"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DPIXCELL_BENCH=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target pixcell pixcell_bench_inputs pixcell_bench_time pixcell_bench_png_decode \
    pixcell_bench_art pixcell_bench_objects >/dev/null
pixcell=$build/pixcell
timer=$build/bench/pixcell_bench_time
png_decode=$build/bench/pixcell_bench_png_decode

data=$build/bench-data
rm -rf "$data"
mkdir -p "$data/out/png" "$data/out/rgba" "$data/out/counts" "$data/times" "$data/art"
echo "== inputs in $data"
"$build/bench/pixcell_bench_inputs" "$data"
"$build/bench/pixcell_bench_art" "$data/art" >/dev/null
cd "$data"  # the descriptions name their sheets relative to here

sheets=$(awk -F'\t' '$1 == "sheet" {print $3}' manifest.tsv)        # 32 (baseline) 512 ... 4096
descriptions=$(awk -F'\t' '$1 == "description" {print $2}' manifest.tsv)  # desc_base (baseline) desc_1mb ...
manifest() { awk -F'\t' -v name="$1" -v col="$2" '$2 == name {print $col}' manifest.tsv; }
fail() { echo "bench: $*" >&2; exit 1; }

convert() { "$timer" "times/convert_$1" "$pixcell" "sheet_$1.txt" "out/sheet_$1"; }
copy() {  # the bytes a conversion reads and writes, through cat into one file
    local o=out/sheet_$1
    "$timer" "times/copy_$1" cat "sheet_$1.bmp" "sheet_$1.txt" "$o.s" "$o.h" "${o}_enum.h" "${o}_pat.c" \
        "${o}_pat.h" >"out/copy_$1.bin"
}
list() { "$timer" "times/list_$1" "$pixcell" -d "$1.txt" >"out/$1.list"; }
# The largest sheet as a PNG: converted (into out/png/, named as from the
# BMP, so that the five files must be the same bytes), and only decoded.
png=sheet_4096
convert_png() { "$timer" times/convert_png "$pixcell" "${png}_png.txt" "out/png/$png"; }
decode_png() { "$timer" times/decode_png "$png_decode" "$png.png"; }
# The same picture as an RGBA PNG, put in palette rows by the colour stage.
convert_rgba() { "$timer" times/convert_rgba "$pixcell" "${png}_rgba.txt" "out/rgba/$png"; }
decode_rgba() { "$timer" times/decode_rgba "$png_decode" "${png}_rgba.png"; }
# The largest sheet with --objects, in each way of covering: the five files
# the same as without, and the three of the objects.
modes=(balanced fewest bytes)
for mode in "${modes[@]}"; do mkdir -p "$data/out/objects_$mode"; done
mkdir -p "$data/out/stream"
objects_option() { if [ "$1" = balanced ]; then echo --objects; else echo "--objects=$1"; fi; }
convert_objects() {
    "$timer" "times/objects_$1" "$pixcell" "$(objects_option "$1")" "$png.txt" "out/objects_$1/$png"
}
# The same with --stream (balanced), laid out in one block a sprite.
convert_stream() { "$timer" times/stream "$pixcell" --stream "$png.txt" "out/stream/$png"; }
# The same with --compress: bare (auto, the smallest of the three formats)
# and LZ77 alone; the five files the same as without, and the two of the
# compressed tiles.
compress_modes=(auto lz77)
for mode in "${compress_modes[@]}"; do mkdir -p "$data/out/compress_$mode"; done
compress_option() { if [ "$1" = auto ]; then echo --compress; else echo "--compress=$1"; fi; }
convert_compress() {
    "$timer" "times/compress_$1" "$pixcell" "$(compress_option "$1")" "$png.txt" "out/compress_$1/$png"
}
# The field's other converters on the same indexed PNG, when they are on the
# PATH (neither is a Debian package): RGBDS's rgbgfx, matching mirrored
# tiles as pixcell does, and pret's gbagfx, which only unpacks the tiles.
peers=()
command -v rgbgfx >/dev/null && peers+=(rgbgfx)
command -v gbagfx >/dev/null && peers+=(gbagfx)
run_peer() {
    case $1 in
        rgbgfx) "$timer" times/peer_rgbgfx rgbgfx -m -o out/peer.2bpp "$png.png" ;;
        gbagfx) "$timer" times/peer_gbagfx gbagfx "$png.png" out/peer.8bpp ;;
    esac
}
# Runs per round: a small input's net cost is a millisecond or two above its
# baseline's, so it and the baselines get more samples for a steadier median.
runs_per_round() {
    case $1 in 32 | 512 | desc_base) echo 8 ;; 1024 | desc_1mb) echo 4 ;; 2048) echo 2 ;; *) echo 1 ;; esac
}

# A first, untimed pass: outputs exist for the copy and every file is in the page cache.
for s in $sheets; do "$pixcell" "sheet_$s.txt" "out/sheet_$s"; done
for d in $descriptions; do "$pixcell" -d "$d.txt" >/dev/null; done
"$pixcell" "${png}_png.txt" "out/png/$png"
"$pixcell" "${png}_rgba.txt" "out/rgba/$png"
for mode in "${modes[@]}"; do "$pixcell" "$(objects_option "$mode")" "$png.txt" "out/objects_$mode/$png"; done
"$pixcell" --stream "$png.txt" "out/stream/$png"
for mode in "${compress_modes[@]}"; do "$pixcell" "$(compress_option "$mode")" "$png.txt" "out/compress_$mode/$png"; done
"$pixcell" --counts "$png.txt" "out/counts/$png"  # the most cells of one sprite, beside the most objects
working=()
for peer in ${peers[@]+"${peers[@]}"}; do
    if run_peer "$peer" >/dev/null 2>&1; then working+=("$peer"); else echo "bench: $peer failed on $png.png: left out" >&2; fi
done
peers=(${working[@]+"${working[@]}"})

load_before=$(cut -d' ' -f1-3 /proc/loadavg)
echo "== $reps rounds (each: every sheet converted and copied, the PNG converted and decoded, the largest sheet"
echo "   converted with --objects in each mode, --stream and --compress, every description listed)"
started=$(date +%s)
for ((round = 1; round <= reps; round++)); do
    for s in $sheets; do
        for ((i = $(runs_per_round "$s"); i > 0; i--)); do convert "$s"; copy "$s"; done
    done
    for mode in "${compress_modes[@]}"; do convert_compress "$mode"; done  # right after the run without
    convert_png
    decode_png
    convert_rgba
    decode_rgba
    for mode in "${modes[@]}"; do convert_objects "$mode"; done
    convert_stream
    for peer in ${peers[@]+"${peers[@]}"}; do run_peer "$peer" >/dev/null 2>&1; done
    for d in $descriptions; do
        for ((i = $(runs_per_round "$d"); i > 0; i--)); do list "$d"; done
    done
done
load_after=$(cut -d' ' -f1-3 /proc/loadavg)
elapsed=$(($(date +%s) - started))

# The covers on the art set, timed in one process by pixcell_bench_objects.
art_rounds=5
echo "== covers with objects on the art set ($art_rounds rounds)"
(cd art && PIXCELL_BENCH_STREAM=1 "$build/bench/pixcell_bench_objects" art.txt "$art_rounds") >art_objects.md

# Every run must have succeeded and produced what the manifest says.
for f in times/*; do
    awk '$4 != 0 {exit 1}' "$f" || fail "a run in $f did not exit with 0"
done
for s in $sheets; do
    distinct=$(($(grep -c '\.short' "out/sheet_$s.s") / 4))
    placed=$(grep -c 'SP_[A-Z]*FLIP' "out/sheet_${s}_pat.c")
    [ "$distinct" -eq "$(manifest "sheet_$s" 5)" ] || fail "sheet_$s: $distinct distinct cells, expected $(manifest "sheet_$s" 5)"
    [ "$placed" -eq "$(manifest "sheet_$s" 6)" ] || fail "sheet_$s: $placed placed cells, expected $(manifest "sheet_$s" 6)"
done
for d in $descriptions; do
    [ "$(wc -l <"out/$d.list")" -eq "$(manifest "$d" 7)" ] || fail "$d: the listing doesn't show all $(manifest "$d" 7) parts"
done
for suffix in .s .h _enum.h _pat.c _pat.h; do
    cmp -s "out/$png$suffix" "out/png/$png$suffix" || fail "$png$suffix from the PNG differs from the one from the BMP"
done
# --objects adds its files and changes none of the five; a sprite never
# takes more objects than cells, so neither do all of them.
placed_4096=$(grep -c 'SP_[A-Z]*FLIP' "out/${png}_pat.c")
obj_define() { sed -nE "s/^#define ${png}_$2 ([0-9]+).*/\1/p" "out/objects_$1/${png}_obj.h"; }  # MODE NAME
counts_define() { sed -nE "s/^#define ${png}_$1 ([0-9]+).*/\1/p" "out/counts/${png}_counts.h"; }  # NAME
for mode in "${modes[@]}"; do
    for suffix in .s .h _enum.h _pat.c _pat.h; do
        cmp -s "out/$png$suffix" "out/objects_$mode/$png$suffix" || fail "$png$suffix with --objects ($mode) differs"
    done
    [ "$(obj_define "$mode" OBJECT_COUNT)" -le "$placed_4096" ] || fail "$png: more objects ($mode) than cells"
done
for suffix in .s .h _enum.h _pat.c _pat.h; do
    cmp -s "out/$png$suffix" "out/stream/$png$suffix" || fail "$png$suffix with --stream differs"
done
for mode in "${compress_modes[@]}"; do
    for suffix in .s .h _enum.h _pat.c _pat.h; do
        cmp -s "out/$png$suffix" "out/compress_$mode/$png$suffix" || fail "$png$suffix with $(compress_option "$mode") differs"
    done
    grep -q "${png}_chr_cmp" "out/compress_$mode/${png}_cmp.h" || fail "$png: no ${png}_chr_cmp with $(compress_option "$mode")"
done
# From RGBA the colours get slots of their own order, so the cells differ
# from the indexed ones; how many there are may not.
[ "$(($(grep -c '\.short' "out/rgba/$png.s") / 4))" -eq "$(manifest "$png" 5)" ] || fail "$png from RGBA: wrong number of distinct cells"
[ "$(grep -c 'SP_[A-Z]*FLIP' "out/rgba/${png}_pat.c")" -eq "$(manifest "$png" 6)" ] || fail "$png from RGBA: wrong number of placed cells"

median() {  # median of column $2 of file $1
    awk -v c="$2" '{print $c}' "$1" | sort -g |
        awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'
}
peak() { awk 'BEGIN {m = 0} $3 > m {m = $3} END {print m}' "$1"; }
size() { stat -c %s "$@" | awk '{s += $1} END {print s}'; }

# "Net" costs are what an input adds to its baseline run, per cell or byte it
# adds: the 32x32 sheet for conversions (start-up, loading, writing five
# files), desc_base for listings (start-up, loading the same sheets). The
# memory step is the peak memory added per byte added since the next smaller
# input (or the baseline): constant steps mean linear growth.
io_bytes() {
    local o=out/sheet_$1
    size "sheet_$1.bmp" "sheet_$1.txt" "$o.s" "$o.h" "${o}_enum.h" "${o}_pat.c" "${o}_pat.h"
}
base_wall=$(median times/convert_32 1)
base_cpu=$(median times/convert_32 2)
base_rss=$(peak times/convert_32)
base_cells=$(manifest sheet_32 4)
list_wall=$(median times/list_desc_base 1)
list_cpu=$(median times/list_desc_base 2)
list_rss=$(peak times/list_desc_base)
list_bytes=$(size desc_base.txt)
{
    echo -e "#name\tside\tcells\tdistinct\twall_s\tcpu_s\tus_per_cell\tus_per_cell_net\tcpu_us_per_cell_net\tpeak_kib\tio_bytes\tmem_net_per_io_byte\tcopy_s\tcopy_ratio\tcopy_cpu_s\tcopy_cpu_ratio\tmem_step_per_io_byte"
    previous_rss=$base_rss previous_io=$(io_bytes 32)
    for s in $sheets; do
        [ "$s" -eq 32 ] && continue
        o=out/sheet_$s
        io=$(io_bytes "$s")
        rss=$(peak "times/convert_$s")
        awk -v s="$s" -v cells="$(manifest "sheet_$s" 4)" -v distinct="$(($(grep -c '\.short' "$o.s") / 4))" \
            -v wall="$(median "times/convert_$s" 1)" -v cpu="$(median "times/convert_$s" 2)" -v rss="$rss" \
            -v io="$io" -v copy="$(median "times/copy_$s" 1)" -v copy_cpu="$(median "times/copy_$s" 2)" \
            -v bw="$base_wall" -v bc="$base_cpu" -v br="$base_rss" -v bn="$base_cells" \
            -v pr="$previous_rss" -v pio="$previous_io" 'BEGIN {
            printf "sheet_%s\t%d\t%d\t%d\t%.6f\t%.6f\t%.4f\t%.4f\t%.4f\t%d\t%d\t%.3f\t%.6f\t%.2f\t%.6f\t%.2f\t%.3f\n",
                s, s, cells, distinct, wall, cpu, wall / cells * 1e6, (wall - bw) / (cells - bn) * 1e6,
                (cpu - bc) / (cells - bn) * 1e6, rss, io, (rss - br) * 1024 / io, copy, wall / copy,
                copy_cpu, cpu / copy_cpu, (rss - pr) * 1024 / (io - pio) }'
        previous_rss=$rss previous_io=$io
    done
} >sheets.tsv
{
    echo -e "#name\tbytes\tparts\twall_s\tcpu_s\tns_per_byte\tns_per_byte_net\tcpu_ns_per_byte_net\tpeak_kib\tmem_net_per_byte\tmem_step_per_byte"
    previous_rss=$list_rss previous_bytes=$list_bytes
    for d in $descriptions; do
        [ "$d" = desc_base ] && continue
        bytes=$(size "$d.txt")
        rss=$(peak "times/list_$d")
        awk -v d="$d" -v bytes="$bytes" -v parts="$(manifest "$d" 7)" \
            -v wall="$(median "times/list_$d" 1)" -v cpu="$(median "times/list_$d" 2)" -v rss="$rss" \
            -v bw="$list_wall" -v bc="$list_cpu" -v br="$list_rss" -v bb="$list_bytes" \
            -v pr="$previous_rss" -v pb="$previous_bytes" 'BEGIN {
            printf "%s\t%d\t%d\t%.6f\t%.6f\t%.4f\t%.4f\t%.4f\t%d\t%.3f\t%.3f\n", d, bytes, parts, wall, cpu,
                wall / bytes * 1e9, (wall - bw) / (bytes - bb) * 1e9, (cpu - bc) / (bytes - bb) * 1e9, rss,
                (rss - br) * 1024 / (bytes - bb), (rss - pr) * 1024 / (bytes - pb) }'
        previous_rss=$rss previous_bytes=$bytes
    done
} >descriptions.tsv

echo "== plot"
gnuplot -e "data='$data/sheets.tsv'; out='$data/time_per_cell.png'" "$root/bench/plot.gp"

# The report: the measured block of RESULTS.md, between its markers.
field() { awk -F'\t' -v n="$1" -v c="$2" '$1 == n {print $c}' sheets.tsv descriptions.tsv; }
# A net cost at or below 0 means the noise was larger than the cost: no ratio.
verdict() { awk -v v="$1" -v limit="$2" 'BEGIN {print (v == "n/a") ? "not measurable" : (v <= limit) ? "**met**" : "**missed**"}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {if (a <= 0 || b <= 0) print "n/a"; else printf "%.2f", a / b}'; }
biggest=sheet_4096 smallest=sheet_512
time_ratio=$(ratio "$(field $biggest 8)" "$(field $smallest 8)")
raw_ratio=$(ratio "$(field $biggest 7)" "$(field $smallest 7)")
cpu_ratio=$(ratio "$(field $biggest 9)" "$(field $smallest 9)")
copy_ratio=$(field $biggest 14)
copy_cpu_ratio=$(field $biggest 16)
parse_ratio=$(ratio "$(field desc_16mb 7)" "$(field desc_1mb 7)")
parse_raw=$(ratio "$(field desc_16mb 6)" "$(field desc_1mb 6)")
parse_cpu=$(ratio "$(field desc_16mb 8)" "$(field desc_1mb 8)")
# The steps between the measured sheets; the first row's step comes from the
# baseline, whose fixed costs are not part of the growth.
steps=$(awk -F'\t' '!/^#/ && ++row > 1 {printf "%s%.2f", sep, $17; sep = ", "}' sheets.tsv)
mem_spread=$(awk -F'\t' '!/^#/ && ++row > 1 {if (min == "" || $17 < min) min = $17; if ($17 > max) max = $17}
    END {if (min <= 0) print "n/a"; else printf "%.2f", max / min}' sheets.tsv)
parse_steps=$(awk -v a="$(field desc_1mb 11)" -v b="$(field desc_16mb 11)" 'BEGIN {printf "%.2f, %.2f", a, b}')
parse_mem=$(ratio "$(field desc_16mb 11)" "$(field desc_1mb 11)")
# From PNG against what it can't avoid: libspng's decode and the conversion from BMP.
png_wall=$(median times/convert_png 1) png_cpu=$(median times/convert_png 2)
decode_wall=$(median times/decode_png 1) decode_cpu=$(median times/decode_png 2)
png_ratio=$(ratio "$png_wall" "$decode_wall")
png_cpu_ratio=$(ratio "$png_cpu" "$decode_cpu")
rgba_wall=$(median times/convert_rgba 1) rgba_cpu=$(median times/convert_rgba 2)
rgba_decode_wall=$(median times/decode_rgba 1) rgba_decode_cpu=$(median times/decode_rgba 2)
rgba_ratio=$(awk -v r="$rgba_wall" -v d="$rgba_decode_wall" -v p="$png_wall" 'BEGIN {printf "%.2f", r / (d + p)}')
rgba_cpu_ratio=$(awk -v r="$rgba_cpu" -v d="$rgba_decode_cpu" -v p="$png_cpu" 'BEGIN {printf "%.2f", r / (d + p)}')
png_row() {  # png_row WHAT TIMES FILE
    awk -v what="$1" -v wall="$(median "$2" 1)" -v cpu="$(median "$2" 2)" -v rss="$(peak "$2")" -v bytes="$(size "$3")" \
        'BEGIN {printf "| %s | %.1f MB | %.1f ms | %.1f ms | %.1f MiB |\n", what, bytes / 1e6, wall * 1e3, cpu * 1e3, rss / 1024}'
}
{
    echo "Command: \`$command_line\` ($reps rounds: $elapsed s of measuring, $(($(date +%s) - script_start)) s in all with"
    echo "build and inputs). Measured $(date -u '+%Y-%m-%d %H:%M UTC') on $(grep -m1 'model name' /proc/cpuinfo |
        cut -d: -f2 | sed 's/^ //'), $(nproc) cores, $(uname -sr), $(g++ --version | head -1);"
    echo "load average $load_before before, $load_after after (other builds share the cores)."
    echo
    echo "### Sheets"
    echo
    echo "| sheet | cells | distinct | wall | CPU | µs/cell | µs/cell net | CPU µs/cell net | peak memory | in+out bytes | memory step / byte | copy wall | conversion / copy, wall | conversion / copy, CPU |"
    echo "|---|---|---|---|---|---|---|---|---|---|---|---|---|---|"
    awk -F'\t' '!/^#/ {printf "| %dx%d | %d | %d | %.1f ms | %.1f ms | %.2f | %.2f | %.2f | %.1f MiB | %.1f MB | %.2f | %.1f ms | %.1f | %.1f |\n",
        $2, $2, $3, $4, $5 * 1e3, $6 * 1e3, $7, $8, $9, $10 / 1024, $11 / 1e6, $17, $13 * 1e3, $14, $16}' sheets.tsv
    echo
    echo "Times are medians over $reps rounds of 1 run (4096x4096, desc_16mb), 2 (2048x2048), 4 (1024x1024,"
    echo "desc_1mb) or 8 (the rest); peak memory is the highest of them. Baseline: a 32x32 sheet of 4 cells"
    echo "(start-up, loading, writing five files), $(awk -v w="$base_wall" -v c="$base_cpu" 'BEGIN {printf "%.1f ms wall, %.1f ms CPU", w * 1e3, c * 1e3}'),"
    echo "$(awk -v r="$base_rss" 'BEGIN {printf "%.1f", r / 1024}') MiB. \"Net\" columns subtract it: µs/cell net = (time − baseline) / (cells − 4)."
    echo "Memory step / byte = peak memory added / input and output bytes added (sheet, description, five"
    echo "outputs), from the next smaller sheet (or the baseline). The copy is \`cat\` of those seven files"
    echo "into one."
    echo
    echo "### Descriptions (\`pixcell -d\`, listing to a file)"
    echo
    echo "| description | bytes | parts | wall | CPU | ns/byte | ns/byte net | CPU ns/byte net | peak memory | memory step / byte |"
    echo "|---|---|---|---|---|---|---|---|---|---|"
    awk -F'\t' '!/^#/ {printf "| %s | %d | %d | %.1f ms | %.1f ms | %.2f | %.2f | %.2f | %.1f MiB | %.2f |\n",
        $1, $2, $3, $4 * 1e3, $5 * 1e3, $6, $7, $8, $9 / 1024, $11}' descriptions.tsv
    echo
    echo "Baseline: desc_base, $list_bytes bytes over the same two sheets, $(awk -v w="$list_wall" -v c="$list_cpu" -v r="$list_rss" 'BEGIN {printf "%.1f ms wall, %.1f ms CPU, %.1f MiB", w * 1e3, c * 1e3, r / 1024}');"
    echo "net = (time − baseline) / (bytes − its bytes); memory step as for the sheets."
    echo
    echo "### The 4096x4096 sheet as an indexed PNG"
    echo
    echo "| run | file | wall | CPU | peak memory |"
    echo "|---|---|---|---|---|"
    png_row "pixcell converting \`$png.png\`" times/convert_png "$png.png"
    png_row "libspng decoding \`$png.png\` alone (\`pixcell_bench_png_decode\`)" times/decode_png "$png.png"
    png_row "pixcell converting \`$png.bmp\` (the same pixels)" "times/convert_4096" "$png.bmp"
    png_row "pixcell converting \`${png}_rgba.png\` (the same picture in RGBA)" times/convert_rgba "${png}_rgba.png"
    png_row "libspng decoding \`${png}_rgba.png\` alone" times/decode_rgba "${png}_rgba.png"
    for peer in ${peers[@]+"${peers[@]}"}; do
        png_row "\`$peer\` on \`$png.png\` (pixcell / $peer: $(ratio "$png_wall" "$(median "times/peer_$peer" 1)"))" "times/peer_$peer" "$png.png"
    done
    [ ${#peers[@]} -gt 0 ] || echo "| rgbgfx, gbagfx | neither on the PATH: not measured | | | |"
    echo
    echo "Medians over $reps rounds of 1 run each, taken in turn. The five files converted from the PNG are"
    echo "checked to be the same bytes as those from the BMP, and those from the RGBA PNG to hold as many"
    echo "cells. A decode reads the file whole and decodes it with the same checks pixcell asks for (every"
    echo "CRC, the chunks after the image), into the PNG's own samples."
    echo
    echo "### The 4096x4096 sheet with --objects"
    echo
    echo "| run | wall | CPU | peak memory | wall / without | CPU / without | objects | most of one sprite | tile bytes | files written |"
    echo "|---|---|---|---|---|---|---|---|---|---|"
    awk -v wall="$(median times/convert_4096 1)" -v cpu="$(median times/convert_4096 2)" -v rss="$(peak times/convert_4096)" \
        -v objects="$placed_4096" -v most="$(counts_define MOST_CELLS)" -v bytes="$(counts_define CELL_BYTES)" \
        -v written="$(size out/$png.s out/$png.h out/${png}_enum.h out/${png}_pat.c out/${png}_pat.h)" \
        'BEGIN {printf "| without (16x16 cells) | %.1f ms | %.1f ms | %.1f MiB | 1 | 1 | %d | %d | %d | %.1f MB |\n",
            wall * 1e3, cpu * 1e3, rss / 1024, objects, most, bytes, written / 1e6}'
    for mode in "${modes[@]}"; do
        awk -v mode="$(objects_option "$mode")" -v wall="$(median "times/objects_$mode" 1)" \
            -v cpu="$(median "times/objects_$mode" 2)" -v rss="$(peak "times/objects_$mode")" \
            -v base_wall="$(median times/convert_4096 1)" -v base_cpu="$(median times/convert_4096 2)" \
            -v objects="$(obj_define "$mode" OBJECT_COUNT)" -v most="$(obj_define "$mode" MOST_OBJECTS)" \
            -v bytes="$(obj_define "$mode" OBJ_TILE_BYTES)" -v written="$(size "out/objects_$mode/$png"*)" \
            'BEGIN {printf "| `%s` | %.1f ms | %.1f ms | %.1f MiB | %.2f | %.2f | %d | %d | %d | %.1f MB |\n", mode,
                wall * 1e3, cpu * 1e3, rss / 1024, wall / base_wall, cpu / base_cpu, objects, most, bytes, written / 1e6}'
    done
    awk -v wall="$(median times/stream 1)" -v cpu="$(median times/stream 2)" -v rss="$(peak times/stream)" \
        -v base_wall="$(median times/convert_4096 1)" -v base_cpu="$(median times/convert_4096 2)" \
        -v objects="$(sed -nE "s/^#define ${png}_OBJECT_COUNT ([0-9]+).*/\1/p" "out/stream/${png}_obj.h")" \
        -v most="$(sed -nE "s/^#define ${png}_MOST_OBJECTS ([0-9]+).*/\1/p" "out/stream/${png}_obj.h")" \
        -v bytes="$(sed -nE "s/^#define ${png}_OBJ_TILE_BYTES ([0-9]+).*/\1/p" "out/stream/${png}_obj.h")" \
        -v written="$(size "out/stream/$png"*)" \
        'BEGIN {printf "| `--stream` | %.1f ms | %.1f ms | %.1f MiB | %.2f | %.2f | %d | %d | %d | %.1f MB |\n",
            wall * 1e3, cpu * 1e3, rss / 1024, wall / base_wall, cpu / base_cpu, objects, most, bytes, written / 1e6}'
    echo
    echo "Medians over $reps rounds of 1 run each, taken in turn with the others. Without, the objects are the"
    echo "placed cells (one 16x16 object each) and the tile bytes those of the distinct cells; with"
    echo "\`--objects\`, the counts \`${png}_obj.h\` defines. Each run with \`--objects\` writes the same five"
    echo "files as the run without, and three more (files written: the bytes of all of them)."
    echo
    echo "### The 4096x4096 sheet with --compress"
    echo
    echo "| run | wall | CPU | peak memory | wall / without | CPU / without | format | compressed bytes | files written |"
    echo "|---|---|---|---|---|---|---|---|---|"
    awk -v wall="$(median times/convert_4096 1)" -v cpu="$(median times/convert_4096 2)" -v rss="$(peak times/convert_4096)" \
        -v bytes="$(counts_define CELL_BYTES)" \
        -v written="$(size out/$png.s out/$png.h out/${png}_enum.h out/${png}_pat.c out/${png}_pat.h)" \
        'BEGIN {printf "| without | %.1f ms | %.1f ms | %.1f MiB | 1 | 1 | none | %d | %.1f MB |\n",
            wall * 1e3, cpu * 1e3, rss / 1024, bytes, written / 1e6}'
    for mode in "${compress_modes[@]}"; do
        # the header's comment on the array: "/* FORMAT, N bytes, unpacks to M */"
        comment=$(grep -B1 "${png}_chr_cmp\[" "out/compress_$mode/${png}_cmp.h" | head -1)
        awk -v option="$(compress_option "$mode")" -v wall="$(median "times/compress_$mode" 1)" \
            -v cpu="$(median "times/compress_$mode" 2)" -v rss="$(peak "times/compress_$mode")" \
            -v base_wall="$(median times/convert_4096 1)" -v base_cpu="$(median times/convert_4096 2)" \
            -v format="$(sed -nE 's|^/\* (.*), [0-9]+ bytes, .*|\1|p' <<<"$comment")" \
            -v bytes="$(sed -nE 's|.*, ([0-9]+) bytes, .*|\1|p' <<<"$comment")" \
            -v written="$(size "out/compress_$mode/$png"*)" \
            'BEGIN {printf "| `%s` | %.1f ms | %.1f ms | %.1f MiB | %.2f | %.2f | %s | %d | %.1f MB |\n", option,
                wall * 1e3, cpu * 1e3, rss / 1024, wall / base_wall, cpu / base_cpu, format, bytes, written / 1e6}'
    done
    echo
    echo "Medians over $reps rounds of 1 run each, the runs with \`--compress\` taken right after the run"
    echo "without and its copy. Each writes the same five files as the run without, and \`${png}_cmp.s\` and"
    echo "\`${png}_cmp.h\` (files written: the bytes of all seven); the format and bytes (header included,"
    echo "before the padding to 4) are those \`${png}_cmp.h\` gives for \`${png}_chr_cmp\`."
    echo
    echo "### Covers with objects on the art set"
    echo
    echo "\`pixcell_bench_art\` draws sprites as people draw them for the console (battle pictures of 64x64 with"
    echo "empty corners, walk cycles of 16x32, 8x8 effects, icons, mirrored halves, sprites of several parts,"
    echo "odd sizes, a few large pictures); \`pixcell_bench_objects art.txt $art_rounds\` converts them and covers them"
    echo "in each way, in one process (medians of $art_rounds rounds):"
    echo
    cat art_objects.md
    echo
    echo "### Targets"
    echo
    echo "Wall time is what the targets name; CPU time (user + system) is shown beside it because"
    echo "other jobs share the cores and stretch wall times, not CPU times."
    echo
    echo "| target | limit | wall time (median) | verdict | CPU time (median) | verdict |"
    echo "|---|---|---|---|---|---|"
    echo "| time per cell, 4096x4096 / 512x512, net of baseline (raw: $raw_ratio) | 1.5 | $time_ratio | $(verdict "$time_ratio" 1.5) | $cpu_ratio | $(verdict "$cpu_ratio" 1.5) |"
    echo "| 4096x4096 conversion / plain copy of its input and output bytes | 2 | $copy_ratio | $(verdict "$copy_ratio" 2) | $copy_cpu_ratio | $(verdict "$copy_cpu_ratio" 2) |"
    echo "| parse time per byte, 16 MB / 1 MB description, net of baseline (raw: $parse_raw) | 1.5 | $parse_ratio | $(verdict "$parse_ratio" 1.5) | $parse_cpu | $(verdict "$parse_cpu" 1.5) |"
    echo "| 4096x4096 conversion from indexed PNG / libspng decode of that PNG alone | 1.1 | $png_ratio | $(verdict "$png_ratio" 1.1) | $png_cpu_ratio | $(verdict "$png_cpu_ratio" 1.1) |"
    echo "| 4096x4096 conversion from RGBA PNG / (libspng decode of that PNG + conversion from indexed PNG) | 1 | $rgba_ratio | $(verdict "$rgba_ratio" 1) | $rgba_cpu_ratio | $(verdict "$rgba_cpu_ratio" 1) |"
    for mode in "${modes[@]}"; do
        wall_ratio=$(ratio "$(median "times/objects_$mode" 1)" "$(median times/convert_4096 1)")
        cpu_ratio_objects=$(ratio "$(median "times/objects_$mode" 2)" "$(median times/convert_4096 2)")
        echo "| 4096x4096 conversion with \`$(objects_option "$mode")\` / without | 2 | $wall_ratio | $(verdict "$wall_ratio" 2) | $cpu_ratio_objects | $(verdict "$cpu_ratio_objects" 2) |"
    done
    stream_wall=$(ratio "$(median times/stream 1)" "$(median times/objects_balanced 1)")
    stream_cpu=$(ratio "$(median times/stream 2)" "$(median times/objects_balanced 2)")
    echo "| 4096x4096 conversion with \`--stream\` / with \`--objects\` | 1.15 | $stream_wall | $(verdict "$stream_wall" 1.15) | $stream_cpu | $(verdict "$stream_cpu" 1.15) |"
    compress_wall=$(ratio "$(median times/compress_auto 1)" "$(median times/convert_4096 1)")
    compress_cpu=$(ratio "$(median times/compress_auto 2)" "$(median times/convert_4096 2)")
    echo "| 4096x4096 conversion with \`--compress\` / without | 2 | $compress_wall | $(verdict "$compress_wall" 2) | $compress_cpu | $(verdict "$compress_cpu" 2) |"
    echo
    echo "| target | limit | measured | verdict |"
    echo "|---|---|---|---|"
    echo "| peak memory grows linearly with sheet and output size: largest / smallest memory step per in+out byte from 512x512 to 4096x4096 (steps: $steps) | 1.5 | $mem_spread | $(verdict "$mem_spread" 1.5) |"
    echo "| the same for descriptions: step to 16 MB / step to 1 MB (steps: $parse_steps) | 1.5 | $parse_mem | $(verdict "$parse_mem" 1.5) |"
} >measured.md

results=$root/bench/RESULTS.md
begin='<!-- measured: begin (bench/run.sh rewrites this block) -->'
end='<!-- measured: end -->'
if [ -f "$results" ] && grep -qF "$begin" "$results" && grep -qF "$end" "$results"; then
    awk -v begin="$begin" -v end="$end" -v block="$data/measured.md" '
        $0 == begin {print; while ((getline line < block) > 0) print line; skipping = 1; next}
        $0 == end {skipping = 0}
        !skipping {print}' "$results" >"$data/RESULTS.md"
    cp "$data/RESULTS.md" "$results"
else
    { echo "# Benchmark results"; echo; echo "$begin"; cat measured.md; echo "$end"; } >"$results"
fi
cp time_per_cell.png "$root/bench/time_per_cell.png"

cat measured.md
echo
echo "Wrote $results and $root/bench/time_per_cell.png (raw data: $data/sheets.tsv, descriptions.tsv)"
