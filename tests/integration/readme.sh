#!/usr/bin/env bash
# The README's commands, run as a user runs them: every line of its ```sh
# blocks, in order, as written, from the repository's root, where the README
# says they run. Left out: scripts/test.sh, the suite this test is part of,
# and bench/run.sh, minutes of measuring that only the benchmark needs.
#
# The commands use build/, so this runs only for a build in SOURCE/build
# (scripts/test.sh's), which they reuse. One that writes nothing but build/
# runs in the repository itself; every other one runs in a scratch copy of
# it whose build/ is this build, with HOME in the scratch folder (for
# ~/.local). Installing must work right after either way of building, so
# the README's install line runs once more right after scripts/example.sh,
# and the manual page is removed from the build before each: a fresh build
# has none.
#
# Then: what the commands say they make exists, and the README's table of
# options lists every option --help lists.
#
#   readme.sh SOURCE_DIR BUILD_DIR
set -uo pipefail
export LC_ALL=C
source_dir=$(realpath "$1") || exit 2
build_dir=$(realpath "$2") || exit 2
if [[ $build_dir != "$source_dir/build" ]]; then
    echo "the README's commands use build/, and this build is $build_dir: skipped"
    exit 77
fi
for tool in make cpack dpkg-shlibdeps arm-none-eabi-gcc; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed (scripts/deps.sh test installs it)"; exit 77; }
done

scratch=$(mktemp -d "${TMPDIR:-/tmp}/pixcell-readme.XXXXXX") || exit 2
copy=$scratch/repository
deb_before=$(ls "$build_dir"/*.deb 2>/dev/null)
packages_before=$([[ -d $build_dir/_CPack_Packages ]] && echo yes)
cleanup() {
    # What the README's cpack line leaves in build/, unless it was there before.
    [[ -n $deb_before ]] || rm -f "$build_dir"/*.deb
    [[ -n $packages_before ]] || rm -rf "$build_dir/_CPack_Packages"
    [[ -f $build_dir/pixcell.1 ]] || cmake --build "$build_dir" --target man_page >/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT
failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}

mkdir -p "$copy" "$scratch/home"
(cd "$source_dir" && tar --exclude='./build*' --exclude=./.git --exclude=./examples/out \
    --exclude=./examples/game/build -cf - .) | (cd "$copy" && tar -xf -) || exit 2
ln -s "$build_dir" "$copy/build"

# The commands, a line ending in "\" joined to the next.
commands=()
in_block=0
pending=
while IFS= read -r line; do
    if [[ $line == '```sh' ]]; then
        in_block=1
    elif [[ $line == '```'* ]]; then
        in_block=0
    elif ((in_block)); then
        if [[ $line == *\\ ]]; then
            pending+=${line%\\}
        else
            commands+=("$pending$line")
            pending=
        fi
    fi
done <"$source_dir/README.md"
((${#commands[@]} >= 6)) || fail "the README has only ${#commands[@]} commands: are its \`\`\`sh blocks still there?"

install=
for command in "${commands[@]}"; do
    [[ $command == "cmake --install build "* ]] && install=$command
done
[[ -n $install ]] || fail "the README has no 'cmake --install build' line"

# run WHERE HOME COMMAND
run() {
    echo "== $3"
    if ! (cd "$1" && HOME=$2 bash -euo pipefail -c "$3") >"$scratch/log" 2>&1; then
        fail "the README's command fails: $3"
        sed 's/^/    /' "$scratch/log"
    fi
}

for command in "${commands[@]}"; do
    case $command in
    scripts/test.sh* | bench/run.sh*) continue ;;
    "cmake -S . -B build "*)
        rm -f "$build_dir/pixcell.1"
        run "$source_dir" "$scratch/home" "$command"
        ;;
    "(cd build && "*) run "$source_dir" "$scratch/home" "$command" ;;
    scripts/example.sh*)
        rm -f "$build_dir/pixcell.1"
        run "$copy" "$scratch/home" "$command"
        mkdir -p "$scratch/home after example"
        run "$copy" "$scratch/home after example" "$install"
        ;;
    *) run "$copy" "$scratch/home" "$command" ;;
    esac
done

# What the commands' comments say they make.
for made in "$copy/examples/out/hero.s" "$copy/examples/out/items_pat.c" "$scratch/home/.local/bin/pixcell" \
            "$scratch/home/.local/share/man/man1/pixcell.1" "$scratch/home/.local/include/pixcell/sprite16.h" \
            "$copy/examples/game/build/game.gba" "$copy/build-game/game.gba"; do
    [[ -f $made ]] || fail "${made#"$scratch"/} wasn't made"
done
ls "$build_dir"/pixcell_*.deb >/dev/null 2>&1 || fail "cpack made no .deb in build/"

# The README's option table and --help name the same options.
# A value may be optional: --objects[=fewest|bytes].
readme_options=$(sed -nE 's/^\| `(-[-a-z]+)(\[?=[^`]+)?` \|.*/\1/p' "$source_dir/README.md" | sort)
help_options=$("$build_dir/pixcell" --help | sed -nE 's/^  (-[-a-z]+)(\[?=[^ ]+)? .*/\1/p' | sort)
[[ $readme_options == "$help_options" ]] ||
    fail "the README's table of options differs from --help:$(diff <(echo "$readme_options") <(echo "$help_options"))"

if ((failed)); then echo "readme: failed"; exit 1; fi
echo "readme: ok, ${#commands[@]} commands"
