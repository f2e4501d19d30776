#!/usr/bin/env bash
# Installs this build into a scratch prefix and builds the example game it
# installs (PREFIX/share/pixcell/examples) with the installed package only:
# with its Makefile, and with its CMake build (Ninja when it is at hand, the
# second build of which must convert nothing). console_check sees on the
# emulator that each ROM shows every sprite of hero.txt and items.txt where
# the game's grid puts it (main.c's GRID_ values), in its palette row.
#
#   check_example.sh CONSOLE_CHECK BUILD_DIR WORK_DIR
#
# WORK_DIR is emptied first. ARM_GCC and ARM_OBJCOPY name the tools
# (default: arm-none-eabi-gcc, -objcopy); the CMake build takes them from the
# example's toolchain file, on the PATH.
set -euo pipefail
check=$(realpath "$1")
build_dir=$(realpath "$2")
work=$(realpath -m "$3")
arm_gcc=${ARM_GCC:-arm-none-eabi-gcc}

fail() { echo "check_example: $*" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work"
prefix=$work/prefix
cmake --install "$build_dir" --prefix "$prefix" >/dev/null
cp -r "$prefix/share/pixcell/examples" "$work/examples"
examples=$work/examples

grid=
for name in LEFT TOP STEP_X STEP_Y COLUMNS; do
    value=$(sed -nE "s/^#define GRID_$name ([0-9]+)\$/\\1/p" "$examples/game/main.c")
    [ -n "$value" ] || fail "main.c defines no GRID_$name"
    grid=${grid:+$grid,}$value
done

# check_rom ROM: the sheets are found as pixcell finds them, from the descriptions' folder.
check_rom() { (cd "$examples" && "$check" --grid "$grid" "$1" hero.txt items.txt); }

echo "== make"
make -C "$examples/game" PIXCELL="$prefix/bin/pixcell" BUILD="$work/make" CROSS="${arm_gcc%gcc}" ||
    fail "the example doesn't build with its Makefile"
check_rom "$work/make/game.gba" || fail "the example built with make shows the sprites wrong"

echo "== cmake"
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
cmake -S "$examples/game" -B "$work/cmake" "${generator[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$examples/game/arm-none-eabi.cmake" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null ||
    fail "the example's CMake build doesn't configure"
cmake --build "$work/cmake" || fail "the example doesn't build with CMake"
check_rom "$work/cmake/game.gba" || fail "the example built with CMake shows the sprites wrong"
again=$(cmake --build "$work/cmake" 2>&1) || fail "the example's second CMake build fails: $again"
! grep -q Converting <<<"$again" || fail "the example's second CMake build converts again: $again"
