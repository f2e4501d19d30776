#!/usr/bin/env bash
# A streamed description larger than tile memory whose every frame fits
# passes --werror: the case stream_block_too_large without its one frame
# that doesn't fit. Without --stream the same description fails for the
# whole description's tile memory.
#
#   stream_frames_fit.sh CASE_DIR PIXCELL
set -uo pipefail
case_dir=$(realpath "$1") || exit 2
pixcell=$(realpath "$2") || exit 2
scratch=$(mktemp -d "${TMPDIR:-/tmp}/pixcell-stream.XXXXXX") || exit 2
trap 'rm -rf "$scratch"' EXIT
cd "$scratch" || exit 2
cp "$case_dir/frames.png" . && grep -v -e '^whole ' -e '^crowd ' -e '^+ ' "$case_dir/frames.txt" >frames.txt || exit 2

"$pixcell" --werror --stream frames.txt out 2>stderr
status=$?
if [[ $status != 0 || -s stderr || ! -f out_obj_tiles.s ]]; then
    echo "FAIL: --werror --stream: status $status, files $(ls | tr '\n' ' ')"; cat stderr; exit 1
fi
grep -q 'out_sprite_tiles\[\]' out_obj.c || { echo "FAIL: no out_sprite_tiles in out_obj.c"; exit 1; }
"$pixcell" --werror --objects frames.txt plain 2>stderr
status=$?
if [[ $status != 1 ]] || ! grep -q 'distinct cells take' stderr; then
    echo "FAIL: without --stream: status $status"; cat stderr; exit 1
fi
echo "streamed, every frame fits: passes --werror"
