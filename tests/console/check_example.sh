#!/usr/bin/env bash
# Installs this build into a scratch prefix and builds the example game it
# installs (PREFIX/share/pixcell/examples) with the installed package only:
# with its Makefile, and with its CMake build (Ninja when it is at hand, the
# second build of which must convert nothing). console_check runs each ROM
# for FRAMES console frames and sees in every picture, in the sheets' own
# colours: every sprite of hero.txt and items.txt where the game's grid
# puts it (main.c's GRID_ values), hud.txt's 8x8 pieces each alone
# (HUD_), the boss (BOSS_, its tiles unpacked by the BIOS from their
# compressed copy), and the two knights of knight.json, streamed
# (KNIGHT_), each showing the frame of its tag (walk, attack) that the
# export's durations give at the console frame the game writes at
# SHOWN_TICK_ADDRESS.
#
#   check_example.sh CONSOLE_CHECK BUILD_DIR WORK_DIR SHEET_DIR
#
# Then the Makefile converts again when a description's options change (the
# .command files), and the same game with two descriptions of its own,
# drawn in true colour (SHEET_DIR's game_hero.png and game_items.png, whose
# twins hold the colours), chained with --after like the example's own:
# every sprite must show in its own colours. And the budget the game checks
# at compile time: with a description of 256 cells (game_cells.bmp) in
# place of the hero, the chain and the knights' slots don't fit object tile
# memory; converted without --werror (which stops at the warning about the
# chain), the build must fail in the compiler, naming what overflowed.
#
# WORK_DIR is emptied first. ARM_GCC and ARM_OBJCOPY name the tools
# (default: arm-none-eabi-gcc, -objcopy); the CMake build takes them from the
# example's toolchain file, on the PATH.
set -euo pipefail
check=$(realpath "$1")
build_dir=$(realpath "$2")
work=$(realpath -m "$3")
sheets=$(realpath "$4")
arm_gcc=${ARM_GCC:-arm-none-eabi-gcc}

fail() { echo "check_example: $*" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work"
prefix=$work/prefix
cmake --install "$build_dir" --prefix "$prefix" >/dev/null
cp -r "$prefix/share/pixcell/examples" "$work/examples"
examples=$work/examples

# main_values NAME...: main.c's #define NAME values, joined by commas.
main_values() {
    local values= name value
    for name in "$@"; do
        value=$(sed -nE "s/^#define $name ([0-9]+)\$/\\1/p" "$examples/game/main.c")
        [ -n "$value" ] || fail "main.c defines no $name"
        values=${values:+$values,}$value
    done
    echo "$values"
}
grid=$(main_values GRID_LEFT GRID_TOP GRID_STEP_X GRID_STEP_Y GRID_COLUMNS)
hud=$(main_values HUD_LEFT HUD_TOP HUD_STEP)
boss=$(main_values BOSS_X BOSS_Y)
walk=$(main_values KNIGHT_WALK_X KNIGHT_WALK_Y),0,walk
attack=$(main_values KNIGHT_ATTACK_X KNIGHT_ATTACK_Y KNIGHT_ATTACK_FLIP),attack
tick_address=$(sed -nE 's/^#define SHOWN_TICK_ADDRESS (0x[0-9A-Fa-f]+)$/\1/p' "$examples/game/main.c")
[ -n "$tick_address" ] || fail "main.c defines no SHOWN_TICK_ADDRESS"
# Longer than the walk's whole cycle (24 frames of 6) and the attack's.
frames=200

# check_rom FOLDER ROM [OPTION...]: the sheets are found as pixcell finds
# them, from the descriptions' FOLDER.
check_rom() {
    local folder=$1 rom=$2
    shift 2
    (cd "$folder" && "$check" --grid "$grid" --place "$hud" hud.txt --place "$boss" boss.txt \
        --animate "$walk" knight.json --animate "$attack" knight.json --frames $frames \
        --tick-address "$tick_address" "$@" "$rom" hero.txt items.txt)
}

echo "== make"
make -C "$examples/game" PIXCELL="$prefix/bin/pixcell" BUILD="$work/make" CROSS="${arm_gcc%gcc}" ||
    fail "the example doesn't build with its Makefile"
check_rom "$examples" "$work/make/game.gba" || fail "the example built with make shows the sprites wrong"

echo "== cmake"
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
cmake -S "$examples/game" -B "$work/cmake" "${generator[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$examples/game/arm-none-eabi.cmake" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null ||
    fail "the example's CMake build doesn't configure"
cmake --build "$work/cmake" || fail "the example doesn't build with CMake"
check_rom "$examples" "$work/cmake/game.gba" || fail "the example built with CMake shows the sprites wrong"
again=$(cmake --build "$work/cmake" 2>&1) || fail "the example's second CMake build fails: $again"
! grep -q Converting <<<"$again" || fail "the example's second CMake build converts again: $again"

# game COPY: a fresh copy of the installed example in WORK_DIR/COPY, its folder.
game() {
    mkdir -p "$work/$1"
    cp -r "$prefix/share/pixcell/examples" "$work/$1/examples"
    echo "$work/$1/examples"
}

# make_game FOLDER BUILD [VARIABLE=VALUE...]: the game of FOLDER built with its Makefile.
make_game() {
    local folder=$1 build=$2
    shift 2
    make -C "$folder/game" PIXCELL="$prefix/bin/pixcell" BUILD="$build" CROSS="${arm_gcc%gcc}" "$@"
}

echo "== the cells of objects' descriptions stay out of the program"
nm=${arm_gcc%gcc}nm
for elf in "$work/make/game.elf" "$work/cmake/game.elf"; do
    symbols=$("$nm" "$elf")
    grep -qE ' (hud|boss|knight)_chr$' <<<"$symbols" && fail "$elf holds the cells of a description drawn with objects"
    grep -q ' knight_obj_tiles$' <<<"$symbols" || fail "$elf holds no knight_obj_tiles"
    grep -q ' boss_obj_tiles_cmp$' <<<"$symbols" || fail "$elf holds no boss_obj_tiles_cmp"
done
# The Makefile leaves out the boss's tiles uncompressed: the game unpacks them.
"$nm" "$work/make/game.elf" | grep -q ' boss_obj_tiles$' && fail "the Makefile's game holds the boss's tiles uncompressed"

echo "== broken games fail the check"
# Each a change to main.c, and what it breaks.
mutants=(
    's/knight_sprite_tiles\[frame\], knight->slot)/knight_sprite_tiles[frame], knight->slot + 1)/|a block copied one tile off its slot'
    's/SHOWN_TICK = tick;/SHOWN_TICK = tick + 1;/|the animations a frame ahead of the frame they say'
    's/if (frame != knight->shown) spr_copy_tiles/if (knight->shown < 0) spr_copy_tiles/|a knight'"'"'s frame changes without its block'
    's/LOAD_COLOURS(items, items);//|the colours of items not loaded'
    's/BIOS_CALL(BIOS_LZ77_UNCOMP_VRAM, packed, to)/BIOS_CALL(BIOS_RL_UNCOMP_VRAM, packed, to)/|the boss'"'"'s LZ77 tiles unpacked as run-length'
)
for i in "${!mutants[@]}"; do
    mutant=${mutants[$i]}
    broken=$(game "mutant_$i")
    sed -i "${mutant%%|*}" "$broken/game/main.c"
    ! cmp -s "$broken/game/main.c" "$examples/game/main.c" || fail "the mutant didn't apply: ${mutant%%|*}"
    make_game "$broken" "$broken/build" >"$work/log" 2>&1 || { cat "$work/log"; fail "the mutant doesn't build: ${mutant#*|}"; }
    if check_rom "$broken" "$broken/build/game.gba" >"$work/log"; then fail "the check passes ${mutant#*|}"; fi
    echo "fails as it must: ${mutant#*|}: $(tail -1 "$work/log")"
done

echo "== a changed option converts again"
make_game "$examples" "$work/make" ITEMS_OPTIONS=--preview="$work/items_preview.png" >"$work/log" 2>&1 ||
    { cat "$work/log"; fail "the example doesn't build with an option added"; }
grep -q -- '--preview=.*items\.txt' "$work/log" || fail "an option added to items didn't convert it again"
[ -f "$work/items_preview.png" ] || fail "the option added to items wasn't given"
grep -q 'pixcell .*hero\.txt' "$work/log" && fail "an option added to items converted hero again"
make_game "$examples" "$work/make" >"$work/log" 2>&1 || fail "the example doesn't build with the option taken out"
grep -q 'pixcell .*items\.txt' "$work/log" || fail "an option taken out of items didn't convert it again"
make_game "$examples" "$work/make" >"$work/log" 2>&1 || fail "the example's third build fails"
! grep -q 'pixcell ' "$work/log" || fail "a build with nothing changed converts again: $(cat "$work/log")"

echo "== two true-colour descriptions, chained"
two=$(game true_colour)
for name in hero items; do
    cp "$sheets/game_$name.png" "$two/$name.png"
    cp "$sheets/game_$name.png.8bit.bmp" "$two/$name.png.8bit.bmp"
done
printf '*hero.png\nwalk_a 0,0\nwalk_b 16,0 16x16 h\nguard_a 32,0\nguard_b 48,0 32x16 [8,8]\ncape 80,0 16x16 v\n' \
    > "$two/hero.txt"
printf '*items.png\nring 0,0 32x16\ngem 32,0 16x16 v\nshell 48,0 hv\n' > "$two/items.txt"
make_game "$two" "$work/true_colour/make" || fail "the game of two true-colour descriptions doesn't build"
hero_end=$(($(sed -nE 's/^#define hero_(FIRST_ROW|ROW_COUNT) ([0-9]+).*/\2/p' "$work/true_colour/make/hero_counts.h" |
             paste -sd+)))
grep -q "^#define items_FIRST_ROW $hero_end\b" "$work/true_colour/make/items_counts.h" ||
    fail "items.txt's rows don't start where hero.txt's end (row $hero_end)"
check_rom "$two" "$work/true_colour/make/game.gba" ||
    fail "the game of two true-colour descriptions shows sprites in wrong colours"

echo "== the budget, checked by the compiler"
cells=$(game cells)
cp "$sheets/game_cells.bmp" "$cells/hero.bmp"
printf '*hero.bmp\nhalf_a 0,0 256x128\nhalf_b 0,128 256x128\n' > "$cells/hero.txt"
text="the tiles of the sprites and the slots of the knights take more than object tile memory holds"
if output=$(make_game "$cells" "$work/cells/make" WERROR= 2>&1); then fail "a game over its budget builds"; fi
grep -q "static assertion failed: \"$text" <<<"$output" ||
    { echo "$output" | tail -5; fail "the build over its budget doesn't say: $text"; }
echo "fails as it must: $(grep -m1 'static assertion failed' <<<"$output" | sed 's/.*error: //')"
grep -q "warning: .*tile" <<<"$output" || fail "the chain past tile memory drew no warning"
