#!/usr/bin/env bash
# Installs this build into a scratch prefix and builds the example game it
# installs (PREFIX/share/pixcell/examples) with the installed package only:
# with its Makefile, and with its CMake build (Ninja when it is at hand, the
# second build of which must convert nothing). console_check sees on the
# emulator that each ROM shows every sprite of hero.txt and items.txt where
# the game's grid puts it (main.c's GRID_ values), and the boss of boss.txt,
# drawn with objects, where main.c's BOSS_X and BOSS_Y put it, each in its
# palette row.
#
#   check_example.sh CONSOLE_CHECK BUILD_DIR WORK_DIR SHEET_DIR
#
# Then the same game with two descriptions of its own: drawn in true colour
# (SHEET_DIR's game_hero.png and game_items.png, whose twins hold the
# colours), the second converted with --first-row after the first one's
# rows, each loaded where its headers say: every sprite must show in its own
# colours. And the budget the game checks at compile time: without
# --first-row the two want the same rows, and with a description of 256
# cells (game_cells.bmp) they and the boss's object tiles don't fit object
# tile memory; each build must fail, naming what overflowed.
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
boss=$(main_values BOSS_X BOSS_Y)

# check_rom FOLDER ROM [OPTION...]: the sheets are found as pixcell finds
# them, from the descriptions' FOLDER.
check_rom() {
    local folder=$1 rom=$2
    shift 2
    (cd "$folder" && "$check" --grid "$grid" --place "$boss" boss.txt "$@" "$rom" hero.txt items.txt)
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

echo "== two true-colour descriptions, the second with --first-row"
two=$(game true_colour)
for name in hero items; do
    cp "$sheets/game_$name.png" "$two/$name.png"
    cp "$sheets/game_$name.png.8bit.bmp" "$two/$name.png.8bit.bmp"
done
printf '*hero.png\nwalk_a 0,0\nwalk_b 16,0 16x16 h\nguard_a 32,0\nguard_b 48,0 32x16 [8,8]\ncape 80,0 16x16 v\n' \
    > "$two/hero.txt"
printf '*items.png\nring 0,0 32x16\ngem 32,0 16x16 v\nshell 48,0 hv\n' > "$two/items.txt"
make_game "$two" "$work/true_colour/make" ITEMS_OPTIONS=--first-row=2 ||
    fail "the game of two true-colour descriptions doesn't build"
grep -q '^#define items_FIRST_ROW 2' "$work/true_colour/make/items_counts.h" ||
    fail "items.txt isn't in the rows from --first-row=2 on"
check_rom "$two" "$work/true_colour/make/game.gba" --true-colour ||
    fail "the game of two true-colour descriptions shows sprites in wrong colours"

echo "== the budget, checked by the compiler"
# expect_budget_failure BUILD TEXT [VARIABLE=VALUE...]: the build must fail with TEXT.
expect_budget_failure() {
    local build=$1 text=$2 output
    shift 2
    if output=$(make_game "$@" "$build" 2>&1); then fail "a game over its budget builds: $text"; fi
    grep -q "static assertion failed: \"$text" <<<"$output" ||
        { echo "$output" | tail -5; fail "the build over its budget doesn't say: $text"; }
    echo "fails as it must: $(grep -m1 'static assertion failed' <<<"$output" | sed 's/.*error: //')"
}
expect_budget_failure "$work/true_colour/rows" "hero and items want the same palette rows" "$two"
cells=$(game cells)
cp "$sheets/game_cells.bmp" "$cells/hero.bmp"
printf '*hero.bmp\nhalf_a 0,0 256x128\nhalf_b 0,128 256x128\n' > "$cells/hero.txt"
expect_budget_failure "$work/cells/make" "the cells of hero and items and the object tiles of boss together take more" "$cells"
