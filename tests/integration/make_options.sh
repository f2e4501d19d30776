#!/usr/bin/env bash
# The README's Make recipe, as written, converts again when the command that
# converts a description changes (an option given, changed, taken back), and
# not when it stays the same; the dependency file alone can't tell.
#
#   make_options.sh PIXCELL README HERO_TXT HERO_BMP
#
# HERO_TXT and HERO_BMP are a description and the sheet it names.
set -uo pipefail
export LC_ALL=C
command -v make >/dev/null || { echo "make is not installed"; exit 77; }
pixcell=$(realpath "$1") || exit 2
readme=$(realpath "$2") || exit 2

scratch=$(mktemp -d "${TMPDIR:-/tmp}/pixcell-make-options.XXXXXX") || exit 2
trap 'rm -rf "$scratch"' EXIT
cp "$3" "$scratch/hero.txt" && cp "$4" "$scratch/" || exit 2
cd "$scratch" || exit 2
# The first make block after the heading "Building with Make".
awk '/^### Building with Make/ { section = 1 }
     section && /^```make/ { inside = 1; next }
     inside && /^```/ { exit }
     inside' "$readme" > Makefile
grep -q 'hero_command = ' Makefile || { echo "FAIL: the README's Make recipe has no hero_command"; exit 1; }

failed=0
# step WHAT converts|keeps: runs make (its first target) and checks whether pixcell ran.
step() {
    local what=$1 expect=$2 log
    if ! log=$(make PIXCELL="$pixcell" 2>&1); then
        echo "FAIL: $what: make failed:"; echo "$log" | sed 's/^/    /'; failed=1; return
    fi
    local ran=keeps
    grep -q -- '--deps=' <<<"$log" && ran=converts
    [[ $ran == "$expect" ]] || { echo "FAIL: $what: expected make to $expect, it $ran:"; echo "$log" | sed 's/^/    /'; failed=1; }
}
# options OLD NEW: the description's options in the Makefile, as a user edits them.
options() { sed -i "/^hero_command = /s/--werror$1 /--werror$2 /" Makefile; }

step "first build" converts
step "nothing changed" keeps
options "" " --first-row=2"
step "--first-row=2 given" converts
step "nothing changed after that" keeps
options " --first-row=2" " --first-row=3"
step "--first-row=2 back to 3" converts
step "nothing changed after the change" keeps
options " --first-row=3" ""
step "--first-row taken back" converts
step "nothing changed at the end" keeps
ln -s "$pixcell" other-pixcell
make PIXCELL="$scratch/other-pixcell" 2>&1 | grep -q -- '--deps=' ||
    { echo "FAIL: another PIXCELL did not convert again"; failed=1; }

if ((failed)); then echo "make_options: failed"; exit 1; fi
echo "make_options: ok"
