#!/usr/bin/env bash
# Sheets that are broken in every way a file can be: cut short at each field
# of the headers, in the palette and in the pixels, with a pixel offset past
# the end, sizes that don't fit the file. Each is refused at once with one
# line naming it, nothing is written, and the exit status is 1; the good
# sheets beside them still load.
#
#   bad_sheets.sh PIXCELL MKBMP
set -uo pipefail
PIXCELL=$(realpath "$1") MKBMP=$(realpath "$2")
source "$(dirname "$0")/lib.sh"

cd "$scratch" || exit 2
mkdir run
noise_pix 32 16 1 >good.pix
"$MKBMP" good.pix run/good.bmp || exit 2
size=$(stat -c %s run/good.bmp)
pixels=$((54 + 1024))

# Cut at the start, middle and end of every header field, in the palette, at
# the pixel array, inside it, and one byte short.
lengths=(0 1 2 4 6 8 10 12 14 16 18 20 22 24 26 28 30 32 34 38 42 46 50 53 54 300 $pixels
         $((pixels + 100)) $((size - 1)))
description="*good.bmp"$'\n'"keep 0,0 32x16"$'\n'
for length in "${lengths[@]}"; do
    head -c "$length" run/good.bmp >"run/cut_$length.bmp"
    description+="*cut_$length.bmp"$'\n'"cut_$length 0,0"$'\n'
done

patched() {  # patched NAME OFFSET VALUE
    cp run/good.bmp "run/$1.bmp"
    patch32 "run/$1.bmp" "$2" "$3"
    description+="*$1.bmp"$'\n'"$1 0,0"$'\n'
}
patched offset_past_end 10 $((size + 1))
patched offset_max 10 0xFFFFFFFF
patched offset_one_row_late 10 $((pixels + 32))
patched width_65536 18 65536
patched width_max 18 0x7FFFFFFF
patched width_negative 18 -32
patched height_min 22 0x80000000
patched height_zero 22 0
patched bits_24 28 24
patched bit_fields 30 3
patched rle4_of_8_bits 30 2
bad=("${lengths[@]/#/cut_}" offset_past_end offset_max offset_one_row_late width_65536 width_max
     width_negative height_min height_zero bits_24 bit_fields rle4_of_8_bits)
printf '%s' "$description" >run/sheets.txt

# One line per broken sheet, in the order they are named, each naming its file.
run run sheets.txt
expect_status 1 "broken sheets"
expect_within 10 "broken sheets"
mapfile -t lines <"$err"
((${#lines[@]} == ${#bad[@]})) || fail "broken sheets: ${#lines[@]} lines on standard error for ${#bad[@]} sheets"
for i in "${!bad[@]}"; do
    name=${bad[$i]}.bmp
    line=${lines[$i]:-}
    [[ $line == "Can't use file $name: "?* || ($name == cut_0.bmp && $line == "Can't use file $name: "*) ]] ||
        fail "$name: message [$line], expected \"Can't use file $name: \" and a reason"
done
[[ ! -s $out ]] || fail "broken sheets: something on standard output"
for file in $(outputs_of run/sheets); do
    [[ ! -e $file ]] || fail "broken sheets: $file was written"
done

# The listing marks the sprites of every broken sheet, and only those.
run run -d sheets.txt
expect_status 1 "listing of broken sheets"
marked=$(grep -c '^\* ' "$out")
((marked == ${#bad[@]})) || fail "listing: $marked sprites marked, expected ${#bad[@]}"
grep -qx '\[good.bmp\] keep : (0,0) 32x16' "$out" || fail "listing: the good sheet's sprite is missing"

# A sheet larger than any memory (a sparse file of 2 TB) is refused, not a
# crash. Not tried where the allocation can't fail as it does in a plain run:
# where the kernel promises any amount of memory (overcommit mode 1), under
# AddressSanitizer (which reports instead of throwing) and under valgrind.
if [[ -z ${PIXCELL_WRAPPER:-} && $(cat /proc/sys/vm/overcommit_memory 2>/dev/null) != 1 ]] &&
    ! grep -q __asan_init "$PIXCELL" && truncate -s 2T run/sparse.bmp 2>/dev/null; then
    printf '*sparse.bmp\nsparse 0,0\n' >run/sparse.txt
    run run sparse.txt
    expect_status 1 "2 TB sheet"
    expect_stderr "Can't use file sparse.bmp: too large to load into memory"$'\n' "2 TB sheet"
    rm -f run/sparse.bmp
else
    echo "2 TB sheet: not tried in this build or on this machine"
fi

# The same bytes with the pixel array ending exactly at the end of the file,
# and top-down, are good sheets.
cp run/good.bmp run/exact.bmp
head -c $((pixels + 32 * 15)) run/good.bmp >run/short_by_one_row.bmp
patch32 run/short_by_one_row.bmp 22 15
cp run/good.bmp run/top_down.bmp
patch32 run/top_down.bmp 22 -16
printf '*exact.bmp\nplain 0,0 32x16\n*short_by_one_row.bmp\nshortened 0,0 32x16\n*top_down.bmp\nturned 0,0 32x16 v\n' >run/good.txt
run run good.txt
expect_status 0 "good sheets"
expect_stderr "" "good sheets"
for file in $(outputs_of run/good); do
    [[ -f $file ]] || fail "good sheets: $file was not written"
done
# A top-down sheet is the bottom-up one upside down: turned back by its v
# flip, sprite turned is sprite plain again, cell for cell.
record() { sed -n "/^const SPR_PATTERN $1_ptn/,/^};/p" run/good_pat.c | tail -n +2; }
[[ -n $(record plain) && $(record plain) == "$(record turned)" ]] ||
    fail "good sheets: sprite turned should place the cells of sprite plain: [$(record plain)] [$(record turned)]"

# A PNG large enough to be decoded on a thread of its own while the run
# cuts its rows: the files are those of its BMP twin. Damaged near its end,
# it fails as if read whole at once, its message in its place among the
# others, and nothing is written.
noise_pix 1536 1024 9 >big.pix
"$MKBMP" big.pix run/big.bmp && "$MKBMP" big.pix run/big.png || exit 2
(($(stat -c %s run/big.png) >= 512 * 1024)) || fail "big.png is too small to be decoded alongside"
mkdir -p run/from_png run/from_bmp
printf '*big.png\nall 0,0 1536x1024\n+ 16,8 32x32 h\nall_h 0,0 1536x1024 h\nall_v 0,0 1536x1024 v\n' >run/big_png.txt
sed 's/big.png/big.bmp/' run/big_png.txt >run/big_bmp.txt
run run big_png.txt from_png/big
expect_status 0 "large PNG"
run run big_bmp.txt from_bmp/big
for file in big.s big.h big_enum.h big_pat.c big_pat.h; do
    cmp -s "run/from_png/$file" "run/from_bmp/$file" || fail "large PNG: $file differs from its BMP twin's"
done
cp run/big.png run/late.png
size=$(stat -c %s run/late.png)
printf '\xFF' | dd of=run/late.png bs=1 seek=$((size - 100)) conv=notrunc status=none
printf '*late.png\nall 0,0 1536x1024\n*nosuch.bmp\nother 0,0\n' >run/late.txt
run run late.txt
expect_status 1 "large PNG damaged at its end"
expect_stderr "Can't use file late.png: a PNG chunk's CRC doesn't match its data, the file is damaged
Can't open file nosuch.bmp
late.txt:3: note: sheet 'nosuch.bmp' is named here, a path from the folder pixcell runs in
" "large PNG damaged at its end"
[[ ! -e run/late.s ]] || fail "large PNG damaged at its end: late.s was written"

finish
