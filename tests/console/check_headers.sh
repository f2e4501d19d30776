#!/usr/bin/env bash
# Several descriptions in one game: each converted with every option that
# writes a header, then one C file that includes every header of all of them
# must compile for the console with warnings as errors, and every generated
# source of all of them must link together, with nothing defined twice.
#
#   check_headers.sh PIXCELL WORK_DIR SHEET_DIR DESCRIPTION...
#
# Each DESCRIPTION is converted in SHEET_DIR (where its sheet names start
# from) into WORK_DIR/out/ under its own name. ARM_GCC names the compiler
# (default: arm-none-eabi-gcc on the PATH).
set -euo pipefail

if [ $# -lt 4 ]; then
    echo "usage: $0 PIXCELL WORK_DIR SHEET_DIR DESCRIPTION..." >&2
    exit 2
fi
pixcell=$(realpath "$1")
work=$(realpath -m "$2")
sheets=$(realpath "$3")
shift 3
here=$(cd "$(dirname "$0")" && pwd)
arm_gcc=${ARM_GCC:-arm-none-eabi-gcc}
# The installed sprite16.h and spriteobj.h first: the test ROM's folder has a
# sprite16.h of its own, and gives only gba.h here.
cflags=(-mcpu=arm7tdmi -marm -O2 -ffreestanding -Wall -Wextra -Werror
        -I"$here/../../include/pixcell" -I"$here/rom" -I"$work/out")

fail() { echo "check_headers: $*" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work/out"
for description in "$@"; do
    description=$(realpath "$description")
    name=$(basename "$description" .txt)
    (cd "$sheets" && "$pixcell" --palette --counts --objects "$description" "$work/out/$name") ||
        fail "pixcell failed on $description"
done

# Every header written, whatever kinds of header the options make.
together=$work/together.c
for header in "$work"/out/*.h; do echo "#include \"$(basename "$header")\""; done > "$together"
echo 'int together(void) { return 0; }' >> "$together"
"$arm_gcc" "${cflags[@]}" -c -o "$work/together.o" "$together" ||
    fail "the headers of $* don't compile together (see above)"

objects=("$work/together.o")
for source in "$work"/out/*.c "$work"/out/*.s; do
    object=$work/$(basename "$source").o
    "$arm_gcc" "${cflags[@]}" -c -o "$object" "$source" || fail "$(basename "$source") doesn't compile"
    objects+=("$object")
done
"$arm_gcc" -nostdlib -r -o "$work/together_all.o" "${objects[@]}" ||
    fail "the generated files of $* don't link together (see above)"
echo "check_headers: $(ls "$work"/out/*.h | wc -l) headers of $# descriptions compile together, and their sources link"
