#!/usr/bin/env bash
# Builds the example game (examples/game) with its Makefile, and with its
# CMake build through the pixcell package installed from this build, and has
# console_check see on the emulator that each ROM shows every sprite of
# examples/hero.txt where the game's grid puts it (main.c's GRID_ values).
#
#   check_example.sh PIXCELL CONSOLE_CHECK BUILD_DIR WORK_DIR
#
# The examples are copied into WORK_DIR, which is emptied first. ARM_GCC and
# ARM_OBJCOPY name the tools (default: arm-none-eabi-gcc, -objcopy); the
# CMake build takes them from the example's toolchain file, on the PATH.
set -euo pipefail
pixcell=$(realpath "$1")
check=$(realpath "$2")
build_dir=$(realpath "$3")
work=$(realpath -m "$4")
examples=$(cd "$(dirname "$0")/../../examples" && pwd)
arm_gcc=${ARM_GCC:-arm-none-eabi-gcc}

fail() { echo "check_example: $*" >&2; exit 1; }

grid=
for name in LEFT TOP STEP_X STEP_Y COLUMNS; do
    value=$(sed -nE "s/^#define GRID_$name ([0-9]+)\$/\\1/p" "$examples/game/main.c")
    [ -n "$value" ] || fail "main.c defines no GRID_$name"
    grid=${grid:+$grid,}$value
done

rm -rf "$work"
mkdir -p "$work"
cp -r "$examples/hero.txt" "$examples/hero.bmp" "$examples/game" "$work/"
rm -rf "$work/game/build"

# check_rom ROM: the sheets are found as pixcell finds them, from hero.txt's folder.
check_rom() { (cd "$work" && "$check" --grid "$grid" "$1" hero.txt); }

echo "== make"
make -C "$work/game" PIXCELL="$pixcell" BUILD="$work/make" CROSS="${arm_gcc%gcc}" ||
    fail "the example doesn't build with its Makefile"
check_rom "$work/make/hero.gba" || fail "the example built with make shows the sprites wrong"

echo "== cmake"
cmake --install "$build_dir" --prefix "$work/prefix" >/dev/null
cmake -S "$work/game" -B "$work/cmake" -DCMAKE_TOOLCHAIN_FILE="$work/game/arm-none-eabi.cmake" \
    -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null || fail "the example's CMake build doesn't configure"
cmake --build "$work/cmake" || fail "the example doesn't build with CMake"
check_rom "$work/cmake/hero.gba" || fail "the example built with CMake shows the sprites wrong"
