#!/usr/bin/env bash
# Each folder here holds an export of the art program written by hand in its
# documented format (hero.json, its sheet as a .pix picture, `args`), and in
# alone/ the description a person would write for the same frames, each
# standing alone on a sheet of its own (nothing drawn around it). Both runs
# must succeed without a word and write the same files, byte for byte; the
# export's animation files come on top when it has tags.
#
# The packed exports keep transparent pixels where a frame's rounded cells
# reach into the next frame, so that they compare equal whether or not the
# cells read past a clipped part's own pixels.
#
#   compare.sh PIXCELL MKBMP
set -uo pipefail
export LC_ALL=C
pixcell=$(realpath "$1") mkbmp=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d "${TMPDIR:-/tmp}/pixcell-exports.XXXXXX") || exit 2
trap 'rm -rf "$scratch"' EXIT

failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}

for folder in "$here"/*/; do
    name=$(basename "$folder")
    work=$scratch/$name
    cp -a "$folder" "$work"
    while IFS= read -r -d '' picture; do
        "$mkbmp" "$picture" "${picture%.pix}" || exit 2
    done < <(find "$work" -name '*.pix' -print0)
    mapfile -t args <"$work/args"
    mkdir "$work/out" "$work/alone_out"
    (cd "$work" && "$pixcell" "${args[@]}" hero.json out/s 2>"$scratch/err") || fail "$name: the export failed"
    [[ ! -s $scratch/err ]] || fail "$name: the export's run said [$(cat "$scratch/err")]"
    # The description is warned that its sizes round to whole cells; an export's sizes are the art's own.
    (cd "$work/alone" && "$pixcell" "${args[@]}" hero.txt ../alone_out/s 2>"$scratch/err") ||
        fail "$name: the description failed"
    grep -v 'is not a multiple of 16' "$scratch/err" >"$scratch/said"
    [[ ! -s $scratch/said ]] || fail "$name: the description's run said [$(cat "$scratch/said")]"
    for file in "$work"/alone_out/*; do
        cmp -s "$file" "$work/out/${file##*/}" || fail "$name: ${file##*/} differs from the description's"
    done
    extra=$(comm -23 <(ls "$work/out") <(ls "$work/alone_out") | tr '\n' ' ')
    tags=$(grep -c '"frameTags": \[$' "$work/hero.json")
    expected=""
    ((tags > 0)) && expected="s_anim.c s_anim.h "
    [[ $extra == "$expected" ]] || fail "$name: the export wrote [$extra] beyond the description's files"
    # The animation tables compile against the reference spriteanim.h.
    if [[ -f $work/out/s_anim.c ]]; then
        cc -std=c99 -Wall -Wextra -Werror -fsyntax-only -I "$here/../../include/pixcell" "$work/out/s_anim.c" ||
            fail "$name: s_anim.c doesn't compile"
    fi
done
((failed)) && exit 1
echo "compare.sh: ok"
