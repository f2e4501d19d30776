#!/usr/bin/env bash
# Three descriptions chained with --after, as a game's build runs them: each
# one's rows and tiles start where the one before ends, the third's rows
# pass 15 and fail the run (naming the sprite, its row and the option) with
# nothing written; a shorter third fits, and its make rule names the counts
# header it read. Then what --after refuses, and the warning of a chain
# past tile memory.
#
#   after_chain.sh PIXCELL MKBMP
set -uo pipefail
export LC_ALL=C
pixcell=$(realpath "$1") || exit 2
mkbmp=$(realpath "$2") || exit 2
scratch=$(mktemp -d "${TMPDIR:-/tmp}/pixcell-chain.XXXXXX") || exit 2
trap 'rm -rf "$scratch"' EXIT
cd "$scratch" || exit 2
mkdir out

# Six 16x16 sprites, sprite i drawn in palette row i.
{
    echo "96 16"
    for ((y = 0; y < 16; ++y)); do
        line=
        for ((x = 0; x < 96; ++x)); do line+=$(printf '%X%X' $((x / 16)) $(((x + y) % 15 + 1))); done
        echo "$line"
    done
} >rows.pix
"$mkbmp" rows.pix rows.bmp || exit 2
describe() {  # NAME COUNT: COUNT sprites of rows.bmp
    { echo "*rows.bmp"; for ((i = 0; i < $2; ++i)); do echo "$1_$i $((16 * i)),0"; done; } >"$1.txt"
}
describe hero 6; describe items 6; describe boss 6; describe imp 4

failed=0
fail() { echo "FAIL: $*"; failed=1; }
define() { sed -n "s/^#define $2 \([0-9]*\).*/\1/p" "$1"; }

"$pixcell" --counts hero.txt out/hero || fail "hero failed"
"$pixcell" --counts --after=out/hero_counts.h items.txt out/items || fail "items failed"
[[ $(define out/items_counts.h items_FIRST_ROW) == 6 ]] || fail "items' rows don't start at 6: $(cat out/items_counts.h)"
hero_end=$(define out/hero_counts.h hero_END_TILE)
[[ $(define out/items_counts.h items_FIRST_TILE) == "$hero_end" ]] || fail "items' tiles don't start at hero's end ($hero_end)"
[[ $(define out/items_counts.h items_END_TILE) == $((hero_end + 4 * $(define out/items_counts.h items_CELL_COUNT))) ]] ||
    fail "items' END_TILE isn't FIRST_TILE + 4 tiles a cell: $(cat out/items_counts.h)"

# The third passes row 15: rows 12 to 17.
message=$("$pixcell" --counts --after=out/items_counts.h boss.txt out/boss 2>&1)
status=$?
[[ $status == 1 ]] || fail "a chain past row 15 gave status $status"
expected="Can't use file rows.bmp: sprite 'boss_4' is drawn in palette row 4, which --after=out/items_counts.h moves to row 16"
[[ $message == "$expected"* ]] || fail "a chain past row 15 says: $message"
[[ -z $(ls out/boss* 2>/dev/null) ]] || fail "a chain past row 15 wrote $(ls out/boss*)"

# A shorter third fits, and its rule names the counts header before it.
"$pixcell" --counts --deps=out/imp.d --after=out/items_counts.h imp.txt out/imp || fail "imp failed"
[[ $(define out/imp_counts.h imp_FIRST_ROW) == 12 && $(define out/imp_counts.h imp_ROW_COUNT) == 4 ]] ||
    fail "imp's rows aren't 12 to 15: $(cat out/imp_counts.h)"
grep -q "^ $scratch/out/items_counts.h" out/imp.d || fail "the make rule doesn't name items_counts.h: $(cat out/imp.d)"

# Refused before anything is read: with --first-row, naming a file the run
# writes, a file that isn't a counts header, the counts of a full chain.
printf '#ifndef x_COUNTS_H\n#define x_COUNTS_H\n#define x_FIRST_ROW 10\t/* */\n#define x_ROW_COUNT 6\t/* */\n#define x_END_TILE 1020\t/* */\n#endif\n' >full_counts.h
sed 's/ROW_COUNT 6/ROW_COUNT 2/' full_counts.h >late_counts.h
while IFS='|' read -r arguments said; do
    read -ra args <<<"$arguments"
    message=$("$pixcell" "${args[@]}" imp.txt out/late 2>&1)
    status=$?
    [[ $status == 1 && $message == *"$said"* ]] || fail "pixcell ${args[*]}: status $status, says: $message"
done <<'CASES'
--after=out/hero_counts.h --first-row=2|pixcell: error: --after and --first-row both place the palette rows
--counts --after=out/late_counts.h|pixcell: error: --after=out/late_counts.h names a file the run writes
--after=imp.txt|pixcell: error: --after=imp.txt is not a counts header as pixcell writes one (line 1:
--after=missing_counts.h|pixcell: error: --after=missing_counts.h: can't read missing_counts.h
--after=full_counts.h|the palette rows of the descriptions up to it end at row 16
CASES
[[ -z $(ls out/late* 2>/dev/null) ]] || fail "a refused run wrote $(ls out/late*)"

# Tiles past the 1024 of tile memory are warned about, and still written.
message=$("$pixcell" --counts --after=late_counts.h imp.txt out/late 2>&1) || fail "late failed: $message"
[[ $message == *"warning: the tiles of the chain of --after end at tile 1036 (late_END_TILE), past the 1024"* ]] ||
    fail "a chain past tile memory says: $message"

((failed)) && exit 1
echo "after chain: ok"
