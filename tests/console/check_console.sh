#!/usr/bin/env bash
# Converts a sprite description with pixcell, builds the test ROM from the
# five generated files with the ARM cross toolchain, and has console_check
# compare every sprite on the emulator's screen with its sheet.
#
#   check_console.sh [--mutants] [--sheet-palette] [--objects[=MODE] [--stream] | --whole-cells] PIXCELL CONSOLE_CHECK
#                    WORK_DIR DESCRIPTION [SHEET...]
#
# The description names its sheets relative to the directory the converter
# runs in: with SHEETs given, they and the description are copied into
# WORK_DIR and everything runs there; without, it runs in the description's
# own directory. WORK_DIR is emptied and receives the generated files and ROMs.
# With --mutants the check must also fail for each deliberately broken copy
# of the generated files. With --sheet-palette the converter also writes the
# sheets' palettes and the ROM loads the first sheet's, every row of it, and
# shows each sprite in the row the converter gives it (its sheets carry the
# ROM's colours in every row, so a wrong entry or a wrong row shows);
# otherwise the ROM sets its own 16 colours and shows every sprite in row 0.
# With --objects (or --objects=fewest, =bytes, passed on to the converter)
# the ROM is built from the object files instead (rom/show_objects.c, with
# the installed spriteobj.h), in the sheet's colours as with --sheet-palette,
# and every sprite is seen whole, unflipped and flipped as a whole.
# --whole-cells does the same with the five files, the ROM drawing each
# sprite with spr_write_cells() of the installed sprite16.h
# (rom/show_cells.c); its mutants break that function too.
# With --stream (passed on too; alone it means --objects) the ROM copies
# the sprite's block and another sprite's into two slots of tile memory with
# spr_copy_tiles(), one right after the other, and draws the sprite from its
# slot; the mutants then break the blocks.
# ARM_GCC, ARM_AS and ARM_OBJCOPY name the tools
# (default: arm-none-eabi-gcc, -as, -objcopy on the PATH).
set -euo pipefail

rom_src=$(cd "$(dirname "$0")/rom" && pwd)
# The reference spriteobj.h, as cmake --install installs it.
include_src=$(cd "$(dirname "$0")/../../include/pixcell" && pwd)
# The start-up code and memory map are the example game's own, so that every
# console test runs them too; the test ROM's entry is rom_main.
game_src=$(cd "$(dirname "$0")/../../examples/game" && pwd)
arm_gcc=${ARM_GCC:-arm-none-eabi-gcc}
arm_as=${ARM_AS:-arm-none-eabi-as}
arm_objcopy=${ARM_OBJCOPY:-arm-none-eabi-objcopy}
ident=sheet

mutants=0
sheet_palette=0
objects=
whole_cells=0
stream=0
while [ $# -gt 0 ]; do
    case $1 in
        --mutants) mutants=1; shift ;;
        --sheet-palette) sheet_palette=1; shift ;;
        --objects | --objects=*) objects=$1; sheet_palette=1; shift ;;
        --whole-cells) whole_cells=1; sheet_palette=1; shift ;;
        --stream) stream=1; sheet_palette=1; shift ;;
        *) break ;;
    esac
done
[ "$stream" = 1 ] && [ -z "$objects" ] && objects=--objects
if [ $# -lt 4 ]; then
    echo "usage: $0 [--mutants] [--sheet-palette] [--objects[=MODE] [--stream] | --whole-cells] PIXCELL CONSOLE_CHECK" \
         "WORK_DIR DESCRIPTION [SHEET...]" >&2
    exit 2
fi
pixcell=$(realpath "$1")
check=$(realpath "$2")
work=$(realpath -m "$3")
description=$(realpath "$4")
shift 4

fail() { echo "check_console: $*" >&2; exit 1; }

base_cflags=(-mcpu=arm7tdmi -marm -O2 -ffreestanding -fno-builtin -nostdlib -Wall -Wextra -Werror)
cflags=("${base_cflags[@]}" -I"$rom_src")

# first_palette DIR: the name of the first sheet's colour array.
first_palette() { sed -n -E 's/^extern const u16 ([A-Za-z0-9_]+)\[.*/\1/p' "$1/${ident}_pal.h" | head -1; }

# link_rom DIR OBJECT...: DIR/rom.gba from the start-up code and the objects.
link_rom() {
    local dir=$1
    shift
    "$arm_as" -mcpu=arm7tdmi -o "$dir/crt0.o" "$game_src/crt0.s"
    "$arm_gcc" "${cflags[@]}" -T "$game_src/gba.ld" -Wl,--defsym=main=rom_main -o "$dir/rom.elf" \
        "$dir/crt0.o" "$@" -lgcc
    "$arm_objcopy" -O binary "$dir/rom.elf" "$dir/rom.gba"
}

# build_objects_rom DIR: the objects ROM from the object files and the palette in DIR.
build_objects_rom() {
    local dir=$1
    local flags=("${cflags[@]}" -I"$include_src" -I"$dir")
    "$arm_as" -mcpu=arm7tdmi -o "$dir/obj_tiles.o" "$dir/${ident}_obj_tiles.s"
    "$arm_gcc" "${flags[@]}" -c -o "$dir/objects.o" "$dir/${ident}_obj.c"
    "$arm_gcc" "${flags[@]}" -c -o "$dir/palettes.o" "$dir/${ident}_pal.c"
    local stream_flags=()
    if [ "$stream" = 1 ]; then
        local sprites
        sprites=$(awk '/_sprite_tiles\[\] = \{/ { inside = 1; next } /^\};/ { inside = 0 } inside' \
            "$dir/${ident}_obj.c" | wc -l)
        stream_flags=(-DROM_STREAM -DROM_SPRITE_COUNT="$sprites")
    fi
    "$arm_gcc" "${flags[@]}" "${stream_flags[@]}" -DIDENT="$ident" -DROM_SHEET_PALETTE="$(first_palette "$dir")" \
        -include "$dir/${ident}_obj.h" -include "$dir/${ident}_pal.h" \
        -c -o "$dir/show_objects.o" "$rom_src/show_objects.c"
    link_rom "$dir" "$dir/show_objects.o" "$dir/objects.o" "$dir/obj_tiles.o" "$dir/palettes.o"
}

# build_cells_rom DIR: the ROM of --whole-cells from the five files and the
# palette in DIR, with DIR's own sprite16.h if it has one (a mutant's).
build_cells_rom() {
    local dir=$1
    # Before the test ROM's folder, which has a sprite16.h of its own.
    local flags=("${base_cflags[@]}" -I"$dir" -I"$include_src" -I"$rom_src")
    "$arm_as" -mcpu=arm7tdmi -o "$dir/cells.o" "$dir/$ident.s"
    "$arm_gcc" "${flags[@]}" -c -o "$dir/patterns.o" "$dir/${ident}_pat.c"
    "$arm_gcc" "${flags[@]}" -c -o "$dir/palettes.o" "$dir/${ident}_pal.c"
    "$arm_gcc" "${flags[@]}" -DIDENT="$ident" -DROM_SHEET_PALETTE="$(first_palette "$dir")" \
        -include "$dir/${ident}_pat.h" -include "$dir/${ident}_pal.h" \
        -c -o "$dir/show_cells.o" "$rom_src/show_cells.c"
    link_rom "$dir" "$dir/show_cells.o" "$dir/patterns.o" "$dir/cells.o" "$dir/palettes.o"
}

# build_rom DIR: the ROM DIR/rom.gba from the generated files in DIR.
build_rom() {
    local dir=$1
    [ -n "$objects" ] && { build_objects_rom "$dir"; return; }
    [ "$whole_cells" = 1 ] && { build_cells_rom "$dir"; return; }
    local cflags=("${cflags[@]}" -I"$dir")
    "$arm_as" -mcpu=arm7tdmi -o "$dir/cells.o" "$dir/$ident.s"
    "$arm_gcc" "${cflags[@]}" -c -o "$dir/patterns.o" "$dir/${ident}_pat.c"
    local palette=() palette_objects=()
    if [ "$sheet_palette" = 1 ]; then
        "$arm_gcc" "${cflags[@]}" -c -o "$dir/palettes.o" "$dir/${ident}_pal.c"
        palette=(-include "$dir/${ident}_pal.h" -DROM_SHEET_PALETTE="$(first_palette "$dir")")
        palette_objects=("$dir/palettes.o")
    fi
    "$arm_gcc" "${cflags[@]}" -DIDENT="$ident" -include "$dir/${ident}_pat.h" "${palette[@]}" \
        -c -o "$dir/show_sprite.o" "$rom_src/show_sprite.c"
    link_rom "$dir" "$dir/show_sprite.o" "$dir/patterns.o" "$dir/cells.o" "${palette_objects[@]}"
}

# mutate KIND DIR: breaks the generated files in DIR the way KIND says.
mutate() {
    local kind=$1 dir=$2 file
    case $kind in
        nibbles)  # left pixel in the high nibble of each byte
            file=$dir/$ident.s
            sed -i -E 's/0x([0-9A-F])([0-9A-F])([0-9A-F])([0-9A-F])/0x\2\1\4\3/g' "$file" ;;
        tiles)  # top-right and bottom-left tiles of every cell exchanged
            file=$dir/$ident.s
            awk '/^\t\.short /{ t[n % 4] = $0; n++
                                if (n % 4 == 0) { print t[0]; print t[2]; print t[1]; print t[3] }
                                next }
                 { print }' "$file" > "$file.new" && mv "$file.new" "$file" ;;
        flips)  # the left-right and top-bottom flip constants exchanged
            file=$dir/${ident}_pat.c
            sed -i -e 's/SP_HFLIP/SP_SWAPFLIP/g' -e 's/SP_VFLIP/SP_HFLIP/g' \
                   -e 's/SP_SWAPFLIP/SP_VFLIP/g' "$file" ;;
        rows)  # every sprite shown in palette row 0
            file=$dir/${ident}_pal.c
            sed -i -E '/_palette_row\[/,/^\};/s/^\t[0-9]+,/\t0,/' "$file" ;;
        palette)  # two colours of the first sheet's palette exchanged
            file=$dir/${ident}_pal.c
            sed -i -E '0,/^\t0x/s/^\t(0x[0-9A-F]{4}), (0x[0-9A-F]{4}), (0x[0-9A-F]{4}),/\t\1, \3, \2,/' "$file" ;;
        offset_x|offset_y)  # the first placement one pixel off
            file=$dir/${ident}_pat.c
            local field=2; [ "$kind" = offset_y ] && field=3
            awk -F, -v OFS=, -v f="$field" \
                '!done && /^\t\t\{ / { $f = sprintf(" %3d", $f + 1); done = 1 } { print }' \
                "$file" > "$file.new" && mv "$file.new" "$file" ;;
        shape)  # the first object square, wide or tall where it was wide, tall or square
            file=$dir/${ident}_obj.c
            awk -F, -v OFS=, '/^const SPR_OBJECT / { inside = 1 } /^\};/ { inside = 0 }
                inside && !done && /^\t\{ / {
                    $3 = $3 == " 0x0000" ? " 0x4000" : $3 == " 0x4000" ? " 0x8000" : " 0x0000"; done = 1 }
                { print }' "$file" > "$file.new" && mv "$file.new" "$file" ;;
        object_flips)  # bits 12 and 13 of every object's attribute 1 exchanged
            file=$dir/${ident}_obj.c
            awk -F, -v OFS=, -v hex=0123456789ABCDEF '/^const SPR_OBJECT / { inside = 1 } /^\};/ { inside = 0 }
                inside && /^\t\{ / {
                    d = index(hex, substr($4, 4, 1)) - 1
                    d = d - d % 4 + d % 2 * 2 + int(d / 2) % 2
                    $4 = substr($4, 1, 3) substr(hex, d + 1, 1) substr($4, 5) }
                { print }' "$file" > "$file.new" && mv "$file.new" "$file" ;;
        object_tile)  # the first object one tile on
            file=$dir/${ident}_obj.c
            awk -F, -v OFS=, '/^const SPR_OBJECT / { inside = 1 } /^\};/ { inside = 0 }
                inside && !done && /^\t\{ / { $5 = sprintf(" %5d", $5 + 1); done = 1 }
                { print }' "$file" > "$file.new" && mv "$file.new" "$file" ;;
        whole_flip)  # spr_write_cells keeps each cell's own flip, whatever the sprite's
            file=$dir/sprite16.h
            sed 's/(cell->flip ^ flip)/cell->flip/' "$include_src/sprite16.h" > "$file"
            cmp -s "$file" "$include_src/sprite16.h" && fail "mutant $kind changed nothing" ;;
        block_off)  # every sprite's block one tile on
            file=$dir/${ident}_obj.c
            awk -F, -v OFS=, '/_sprite_tiles\[\] = \{/ { inside = 1 } /^\};/ { inside = 0 }
                inside && /^\t\{ / && $2 + 0 > 0 { $1 = sprintf("\t{ %5d", substr($1, 4) + 1) }
                { print }' "$file" > "$file.new" && mv "$file.new" "$file" ;;
        other_block)  # the first object's tiles past its sprite's block, in another's
            file=$dir/${ident}_obj.c
            awk -F, -v OFS=, 'NR == FNR { if (/_sprite_tiles\[\] = \{/) tiles = 1
                                          else if (tiles && /^\t\{ / && $2 + 0 > 0 && count == "") count = $2 + 0
                                          next }
                /^const SPR_OBJECT / { inside = 1 } /^\};/ { inside = 0 }
                inside && !done && /^\t\{ / { $5 = sprintf(" %5d", count); done = 1 }
                { print }' "$file" "$file" > "$file.new" && mv "$file.new" "$file" ;;
        short_count)  # every sprite's block one tile short
            file=$dir/${ident}_obj.c
            awk -F, -v OFS=, '/_sprite_tiles\[\] = \{/ { inside = 1 } /^\};/ { inside = 0 }
                inside && /^\t\{ / && $2 + 0 > 0 { $2 = sprintf(" %5d", $2 - 1) }
                { print }' "$file" > "$file.new" && mv "$file.new" "$file" ;;
    esac
    [ "$kind" = whole_flip ] ||
        ! cmp -s "$file" "$work/out/$(basename "$file")" || fail "mutant $kind changed nothing"
    return 0
}

rm -rf "$work"
mkdir -p "$work/out"
if [ $# -gt 0 ]; then
    cp "$description" "$@" "$work/"
    cd "$work"
else
    cd "$(dirname "$description")"
fi
desc=$(basename "$description")

options=()
[ "$sheet_palette" = 1 ] && options=(--palette)
check_options=()
[ -n "$objects" ] && options+=("$objects") && check_options=(--objects)
[ "$whole_cells" = 1 ] && check_options=(--whole-cells)
[ "$stream" = 1 ] && options+=(--stream)
"$pixcell" "${options[@]}" "$desc" "$work/out/$ident" || fail "pixcell failed on $desc"
build_rom "$work/out" || fail "the generated files of $desc don't build"
"$check" "${check_options[@]}" "$work/out/rom.gba" "$desc" ||
    fail "the console shows $desc differently (see above)"

[ "$mutants" = 1 ] || exit 0
survivors=0
kinds=(nibbles tiles flips offset_x offset_y)
[ "$sheet_palette" = 1 ] && kinds+=(palette rows)
[ -n "$objects" ] && kinds=(shape object_flips object_tile)
[ "$whole_cells" = 1 ] && kinds+=(whole_flip)
[ "$stream" = 1 ] && kinds=(block_off other_block short_count object_tile)
for kind in "${kinds[@]}"; do
    dir=$work/mutants/$kind
    mkdir -p "$dir"
    cp "$work/out/$ident"* "$dir/"
    mutate "$kind" "$dir"
    build_rom "$dir" || fail "mutant $kind doesn't build"
    status=0
    "$check" --stop-at-first "${check_options[@]}" "$dir/rom.gba" "$desc" > "$dir/check.log" ||
        status=$?
    case $status in
        1) echo "mutant $kind: caught: $(grep -m1 '^MISMATCH' "$dir/check.log" |
                sed -E 's/^MISMATCH ([^ ]+) .*: ([0-9]+ pixels differ).*/\1, \2/')" ;;
        0) echo "mutant $kind: NOT caught"; survivors=$((survivors + 1)) ;;
        *) cat "$dir/check.log"; fail "mutant $kind: the check could not run" ;;
    esac
done
[ "$survivors" = 0 ] || fail "$survivors mutant(s) not caught"
echo "all mutants caught"
