#!/usr/bin/env bash
# Inputs far larger than any real game's, made on the spot in a scratch
# folder. Each must convert correctly within a time that only a hang or a
# cost that grows faster than the input would exceed.
#
#   large_inputs.sh MODE PIXCELL MKBMP
#
#   description  a 50 MB description of valid lines, comments included
#   sprites      100,000 sprites
#   sheet        a 16384x16384 sheet (256 MB) of a cheap repeating pattern,
#                cut whole, and by a part of 2147483632x2147483632
set -uo pipefail
mode=$1
PIXCELL=$(realpath "$2") MKBMP=$(realpath "$3")
source "$(dirname "$0")/lib.sh"

cd "$scratch" || exit 2
# 256 different cells: any sprite's cells are all new or all repeats.
noise_pix 256 256 3 >cells.pix
"$MKBMP" cells.pix cells.bmp || exit 2

count_lines() { grep -c -- "$1" "$2" 2>/dev/null; }

case $mode in
description)
    # Sprites of 8 parts each, every line a real entry of the language:
    # position, size, offset, flips, comments between the fields.
    awk 'BEGIN {
        print "// about 50 MB of sprites"
        print "*cells.bmp"
        for (i = 0; bytes < 50000000; i++) {
            line = sprintf("sprite_%d %d,%d 16x16 [%d,-%d] %s /* first piece */", i, (i % 16) * 16, int(i / 16) % 16 * 16, i % 7, i % 5, i % 2 ? "h" : "v")
            print line; bytes += length(line) + 1
            for (p = 1; p < 8; p++) {
                line = sprintf("+ %d,$%X 16x$10 /* part %d */ hv", p * 16, (p * 32) % 256, p + 1)
                print line; bytes += length(line) + 1
            }
        }
        print "sprite_count " i > "/dev/stderr"
    }' >big.txt 2>count.txt
    sprites=$(sed -n 's/sprite_count //p' count.txt)
    bytes=$(stat -c %s big.txt)
    ((bytes >= 50000000)) || fail "the description is only $bytes bytes"
    run . big.txt
    expect_status 0 "50 MB description"
    expect_stderr "" "50 MB description"
    expect_within 120 "50 MB description"
    [[ $(count_lines '^	sprite_' big_enum.h) == "$sprites" ]] || fail "50 MB description: not $sprites enumerators"
    [[ $(count_lines '^const SPR_PATTERN sprite_' big_pat.c) == "$sprites" ]] || fail "50 MB description: not $sprites records"
    [[ $(count_lines SP_ big_pat.c) == $((sprites * 8)) ]] || fail "50 MB description: not 8 cells per sprite"
    ;;
sprites)
    awk 'BEGIN {
        print "*cells.bmp"
        for (i = 0; i < 100000; i++) printf "s%06d %d,%d\n", i, (i % 16) * 16, int(i / 16) % 16 * 16
    }' >many.txt
    run . many.txt
    expect_status 0 "100,000 sprites"
    expect_stderr "" "100,000 sprites"
    expect_within 60 "100,000 sprites"
    [[ $(count_lines '^	s[0-9]' many_enum.h) == 100000 ]] || fail "100,000 sprites: not 100000 enumerators"
    [[ $(count_lines '^	\[s[0-9]*\] = &s[0-9]*_ptn ,$' many_pat.c) == 100000 ]] || fail "100,000 sprites: not 100000 table lines"
    [[ $(count_lines '\.short' many.s) == 1024 ]] || fail "100,000 sprites: not 256 distinct cells"
    # Sprite i cuts cell i % 256 of the sheet, in the order the cells were first cut.
    grep -A3 '^const SPR_PATTERN s099999_ptn' many_pat.c | grep -q '{  159,  -8,  -8, SP_NOFLIP, }' ||
        fail "100,000 sprites: s099999 (99999 % 256 = 159) doesn't place cell 159"
    ;;
sheet)
    # Rows of the 16-byte period "0123456789ABCDE" and a line feed: every
    # cell is the same one.
    { bmp_head 16384 16384; yes 0123456789ABCDE | head -c $((16384 * 16384)); } >huge.bmp
    cat >huge.txt <<'TEXT'
*huge.bmp
whole 0,0 16384x16384
*huge.bmp
beyond 8192,8192 2147483632x2147483632 [0,0] hv
edge 16376,16376 32x32
TEXT
    run . --no-warnings huge.txt
    expect_status 0 "16384x16384 sheet"
    expect_stderr "" "16384x16384 sheet"
    expect_within 120 "16384x16384 sheet"
    [[ $(count_lines '\.short' huge.s) == 8 ]] || fail "16384x16384 sheet: not 2 distinct cells (the whole one, the edge one)"
    [[ $(count_lines SP_ huge_pat.c) == $((1024 * 1024 + 512 * 512 + 1)) ]] ||
        fail "16384x16384 sheet: wrong number of placed cells"
    ;;
*)
    echo "usage: large_inputs.sh description|sprites|sheet PIXCELL MKBMP" >&2
    exit 2
    ;;
esac
finish
