#!/usr/bin/env bash
# Converts a sprite description with pixcell --compress=FORMAT, builds the
# compressed tiles' test ROM (rom/unpack_tiles.c) from the generated files
# and has unpack_check run it: the BIOS's own functions must unpack every
# compressed array to the array it was made from.
#
#   check_compressed.sh [--mutants] [--objects|--stream] FORMAT PIXCELL UNPACK_CHECK WORK_DIR DESCRIPTION [SHEET...]
#
# FORMAT is lz77, rle, huffman or auto. The SHEETs and the description are
# copied into WORK_DIR, which is emptied, and everything runs there. With
# --objects the objects' tiles are compressed and checked too; with
# --stream a sprite's block at a time (the ROM takes the blocks from the
# objects' files and the installed spriteobj.h). With
# --mutants each broken copy of the compressed arrays that the formats in
# them allow (an LZ77 reference one byte off, a flag bit flipped, two
# Huffman leaves swapped) must fail the check.
# ARM_GCC, ARM_AS and ARM_OBJCOPY name the tools (default: on the PATH).
set -euo pipefail

rom_src=$(cd "$(dirname "$0")/rom" && pwd)
game_src=$(cd "$(dirname "$0")/../../examples/game" && pwd)
include_src=$(cd "$(dirname "$0")/../../include/pixcell" && pwd)
arm_gcc=${ARM_GCC:-arm-none-eabi-gcc}
arm_as=${ARM_AS:-arm-none-eabi-as}
arm_objcopy=${ARM_OBJCOPY:-arm-none-eabi-objcopy}
ident=sheet

mutants=0
objects=()
while [ $# -gt 0 ]; do
    case $1 in
        --mutants) mutants=1; shift ;;
        --objects | --stream) objects=("$1"); shift ;;
        *) break ;;
    esac
done
[ $# -ge 5 ] || { echo "usage: $0 [--mutants] [--objects] FORMAT PIXCELL UNPACK_CHECK WORK_DIR DESCRIPTION [SHEET...]" >&2; exit 2; }
format=$1
pixcell=$(realpath "$2")
check=$(realpath "$3")
work=$(realpath -m "$4")
description=$(realpath "$5")
shift 5
fail() { echo "check_compressed: $*" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work/good"
cp "$description" "$@" "$work/"
cd "$work"
"$pixcell" --no-warnings "${objects[@]}" --compress="$format" "$(basename "$description")" "good/$ident" ||
    fail "pixcell failed"

cflags=(-mcpu=arm7tdmi -marm -O2 -ffreestanding -fno-builtin -nostdlib -Wall -Wextra -Werror -I"$rom_src")
build_rom() {
    local dir=$1 tiles=()
    "$arm_as" -mcpu=arm7tdmi -o "$dir/crt0.o" "$game_src/crt0.s"
    "$arm_as" -mcpu=arm7tdmi -o "$dir/cells.o" "$dir/$ident.s"
    "$arm_as" -mcpu=arm7tdmi -o "$dir/cmp.o" "$dir/${ident}_cmp.s"
    local defines=(-DIDENT="$ident")
    if [ ${#objects[@]} -gt 0 ]; then
        "$arm_as" -mcpu=arm7tdmi -o "$dir/obj_tiles.o" "$dir/${ident}_obj_tiles.s"
        tiles=("$dir/obj_tiles.o")
        defines+=(-DROM_OBJECTS)
    fi
    if [ "${objects[*]}" = --stream ]; then
        "$arm_gcc" "${cflags[@]}" -I"$include_src" -I"$dir" -c -o "$dir/objects.o" "$dir/${ident}_obj.c"
        tiles+=("$dir/objects.o")
        defines+=(-DROM_STREAM -I"$include_src" -include "$dir/${ident}_obj.h")
    fi
    "$arm_gcc" "${cflags[@]}" "${defines[@]}" -I"$dir" -include "$dir/${ident}_cmp.h" -c -o "$dir/unpack.o" \
        "$rom_src/unpack_tiles.c"
    "$arm_gcc" "${cflags[@]}" -T "$game_src/gba.ld" -Wl,--defsym=main=rom_main -o "$dir/rom.elf" \
        "$dir/crt0.o" "$dir/unpack.o" "$dir/cells.o" "$dir/cmp.o" "${tiles[@]}" -lgcc
    "$arm_objcopy" -O binary "$dir/rom.elf" "$dir/rom.gba"
}

build_rom good
"$check" good/rom.gba || fail "the BIOS didn't unpack the compressed tiles to the tiles"

[ "$mutants" = 1 ] || exit 0
arrays=("${ident}_chr_cmp")
[ "${objects[*]}" = --objects ] && arrays+=("${ident}_obj_tiles_cmp")
[ "${objects[*]}" = --stream ] && arrays+=("${ident}_sprite_tiles_cmp_0")
broken=0
for array in "${arrays[@]}"; do
    for kind in reference flag node; do
        dir=$kind.$array
        mkdir -p "$dir"
        cp good/* "$dir/"
        # A kind that the array's format doesn't have is passed over.
        "$check" --mutate "$kind" "$dir/${ident}_cmp.s" "$array" 2>/dev/null || continue
        build_rom "$dir"
        if "$check" "$dir/rom.gba" 2>/dev/null; then
            fail "the check passed with the $kind of $array broken"
        fi
        broken=$((broken + 1))
    done
done
[ "$broken" -gt 0 ] || fail "no broken copy was made"
