#!/usr/bin/env bash
# cmake --install into a fresh prefix, then a game's build that uses what it
# installed: tests/integration/consumer finds the package, converts the
# sprites of three descriptions with pixcell_add_sprites (with --palette, and
# --preview into a folder that doesn't exist yet; the third --stream with
# OBJECTS_ONLY, its cells left out of the program), compiles against the
# installed sprite16.h and prints what the generated files hold. With each
# generator at hand, in folders whose paths hold blanks: a build with
# nothing changed must do nothing (twice), a changed sheet must convert
# again and rebuild the program, and a warning must fail the build.
#
#   install.sh BUILD_DIR EXAMPLES
#
# EXAMPLES is the repository's examples/, whose sheets and descriptions the
# game converts.
set -uo pipefail
export LC_ALL=C
build_dir=$(realpath "$1") || exit 2
examples=$(realpath "$2") || exit 2
here=$(cd "$(dirname "$0")" && pwd)

scratch=$(mktemp -d "${TMPDIR:-/tmp}/pixcell-install.XXXXXX") || exit 2
trap 'rm -rf "$scratch"' EXIT
failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}

prefix="$scratch/install prefix"
cmake --install "$build_dir" --prefix "$prefix" >"$scratch/install.log" || { cat "$scratch/install.log"; exit 1; }
for file in bin/pixcell share/man/man1/pixcell.1 lib/cmake/pixcell/pixcellConfig.cmake \
            lib/cmake/pixcell/pixcellConfigVersion.cmake lib/cmake/pixcell/pixcellTargets.cmake \
            include/pixcell/sprite16.h include/pixcell/spriteobj.h include/pixcell/spriteanim.h \
            share/pixcell/examples/items.txt \
            share/pixcell/examples/boss.bmp share/pixcell/examples/knight.json \
            share/pixcell/examples/game/Makefile; do
    [[ -f $prefix/$file ]] || fail "cmake --install left out $file"
done

generators=("Unix Makefiles")
command -v ninja >/dev/null && generators+=(Ninja)
for generator in "${generators[@]}"; do
    source="$scratch/game $generator"
    build="$scratch/build $generator"
    cp -r "$here/consumer" "$source"
    mkdir "$source/sprite sheets"
    cp "$examples/hero.txt" "$source/sprite sheets/sprites.txt"
    cp "$examples/hero.bmp" "$examples/items.txt" "$examples/items.bmp" "$examples/boss.txt" "$examples/boss.bmp" \
        "$source/sprite sheets/"

    if ! cmake -S "$source" -B "$build" -G "$generator" -DCMAKE_PREFIX_PATH="$prefix" >"$scratch/log" 2>&1 ||
        ! cmake --build "$build" >>"$scratch/log" 2>&1; then
        fail "$generator: the game doesn't build:"
        sed 's/^/    /' "$scratch/log"
        continue
    fi
    before=$("$build/show")
    # OBJECTS_ONLY: the boss's cells are made, but not built into the program.
    [[ -f $build/show_sprites/boss.s ]] || fail "$generator: the boss's cell array wasn't made"
    nm "$build/show" | grep -q ' boss_chr$' && fail "$generator: OBJECTS_ONLY built the boss's cells into the program"
    nm "$build/show" | grep -q ' boss_obj_tiles$' || fail "$generator: the boss's object tiles aren't in the program"
    [[ -f $build/previews/sprites.png ]] || fail "$generator: the preview wasn't written"
    for again in 1 2; do
        cmake --build "$build" >"$scratch/log" 2>&1 || fail "$generator: build $again with nothing changed failed"
        grep -q "Converting" "$scratch/log" && fail "$generator: build $again with nothing changed converted again"
    done
    # One more pixel of the coin, at the bottom-left corner of the sheet.
    printf '\005' | dd of="$source/sprite sheets/hero.bmp" bs=1 seek=1078 conv=notrunc status=none
    cmake --build "$build" >"$scratch/log" 2>&1 || fail "$generator: the build after the sheet changed failed"
    grep -q "Converting" "$scratch/log" || fail "$generator: a changed sheet wasn't converted again"
    after=$("$build/show")
    [[ $before != "$after" ]] || fail "$generator: the program shows the old sheet: $after"
    echo "$generator: $before, then $after"
    # pixcell runs with --werror unless the call says WARNINGS_ALLOWED: a
    # mistake in the description stops the build where it is.
    echo "bad-name 0,0" >>"$source/sprite sheets/items.txt"
    cmake --build "$build" >"$scratch/log" 2>&1 && fail "$generator: a description with a warning still built"
    grep -q "items.txt:[0-9]*: warning: sprite name 'bad-name'" "$scratch/log" ||
        fail "$generator: the failed build doesn't show the warning: $(cat "$scratch/log")"
done

if ((failed)); then echo "install: failed"; exit 1; fi
echo "install: ok"
