#!/usr/bin/env bash
# The dependency file of --deps as GNU make reads it: a Makefile whose rule
# runs pixcell with --deps and includes the file, in a folder whose path
# holds a blank, '#', '$', ':' and '%', all of which the file must escape.
# make must convert again when a sheet changes and not when nothing did, and
# go on when a sheet is dropped from the description and deleted.
#
#   make_rule.sh PIXCELL SHEET
#
# SHEET is any 8-bit BMP of at least 48x32 pixels.
set -uo pipefail
export LC_ALL=C
command -v make >/dev/null || { echo "make is not installed"; exit 77; }
pixcell=$(realpath "$1") || exit 2
sheet=$(realpath "$2") || exit 2

scratch=$(mktemp -d "${TMPDIR:-/tmp}/pixcell-make.XXXXXX") || exit 2
trap 'rm -rf "$scratch"' EXIT
dir="$scratch/sprite sheets #1 \$x:y%z"
mkdir -p "$dir/out"
cd "$dir" || exit 2
cp "$sheet" a.bmp && cp "$sheet" b.bmp
printf '*a.bmp\nhero 0,0 32x32\n*b.bmp\ngem 32,16\n' > sprites.txt
cat > Makefile <<'MAKEFILE'
SPRITES := out/sprites.s out/sprites.h out/sprites_enum.h out/sprites_pat.c out/sprites_pat.h
$(SPRITES) &: sprites.txt
	$(PIXCELL) --deps=out/sprites.d sprites.txt out/sprites
-include out/sprites.d
MAKEFILE

failed=0
# step WHAT converts|keeps: runs make and checks whether the rule ran.
step() {
    local what=$1 expect=$2 log
    if ! log=$(make PIXCELL="$pixcell" 2>&1); then
        echo "FAIL: $what: make failed:"; echo "$log" | sed 's/^/    /'; failed=1; return
    fi
    local ran=keeps
    grep -q -- '--deps=' <<<"$log" && ran=converts
    [[ $ran == "$expect" ]] || { echo "FAIL: $what: expected make to $expect, it $ran:"; echo "$log" | sed 's/^/    /'; failed=1; }
}

step "first build" converts
[[ -f out/sprites.s && -f out/sprites.d ]] || { echo "FAIL: no files after the first build"; failed=1; }
step "nothing changed" keeps
touch b.bmp
step "second sheet touched" converts
step "nothing changed after that" keeps
printf '*a.bmp\nhero 0,0 32x32\n' > sprites.txt
rm b.bmp
step "second sheet dropped from the description and deleted" converts
step "nothing changed after the deletion" keeps
touch a.bmp
step "first sheet touched" converts
grep -q 'b\.bmp' out/sprites.d && { echo "FAIL: the deleted sheet is still a prerequisite"; failed=1; }

# The palette's and the preview's files are targets of the rule too.
"$pixcell" --deps=out/extras.d --palette --preview=out/view.png sprites.txt out/extras ||
    { echo "FAIL: the run with --palette and --preview failed"; failed=1; }
targets=$(head -1 out/extras.d)
for file in out/extras.s out/extras_pat.h out/extras_pal.c out/extras_pal.h out/view.png; do
    [[ " $targets " == *" $file "* || " $targets " == *" $file: "* ]] ||
        { echo "FAIL: $file is not a target of the rule: $targets"; failed=1; }
done

# The palette file of --palette-from is read: a prerequisite, so that make
# converts again when the game's palette changes.
printf '000000\n' > game.txt
printf 'PALETTE := --palette-from=game.txt\n' > palette.mk
sed -i 's/\$(PIXCELL) --deps/$(PIXCELL) $(PALETTE) --deps/; 1i -include palette.mk' Makefile
touch sprites.txt
step "with --palette-from" converts
grep -q 'game\.txt' out/sprites.d || { echo "FAIL: the palette file is not a prerequisite"; failed=1; }
step "nothing changed with --palette-from" keeps
touch game.txt
step "palette file touched" converts

if ((failed)); then echo "make_rule: failed"; exit 1; fi
echo "make_rule: ok"
