#!/usr/bin/env bash
# Runs one end-to-end case and compares everything it does with expected/.
#
#   run_case.sh [--update] CASE_DIR PIXCELL MKBMP
#
# CASE_DIR holds the inputs (a description, *.pix pictures that MKBMP turns
# into .bmp sheets of the same name, or into NAME.png (NAME.bmp) for
# NAME.png.pix (NAME.bmp.pix: see mkbmp for the true-colour forms), any
# other files and folders, e.g. a folder kept by a .keep file), `args` (the
# command-line arguments, one a
# line; absent: none) and expected/: `stdout`, `stderr`, `status`, and
# files/ with every file the run writes, at its path from the run's folder.
# The case is copied into a fresh folder, which is the run's working folder.
# A file the run creates or changes that expected/files doesn't hold fails
# the case, as does one that it removes.
#
# --update writes expected/ from the run instead of comparing. Read what it
# wrote line by line before keeping it: it is only right if the run was.
set -uo pipefail
export LC_ALL=C

update=0
if [[ ${1:-} == --update ]]; then
    update=1
    shift
fi
if [[ $# -ne 3 ]]; then
    echo "usage: run_case.sh [--update] CASE_DIR PIXCELL MKBMP" >&2
    exit 2
fi
case_dir=$(cd "$1" && pwd) || exit 2
pixcell=$(realpath "$2") || exit 2
mkbmp=$(realpath "$3") || exit 2
expected=$case_dir/expected

scratch=$(mktemp -d "${TMPDIR:-/tmp}/pixcell-case.XXXXXX") || exit 2
trap 'rm -rf "$scratch"' EXIT
run=$scratch/run
mkdir "$run"

shopt -s dotglob nullglob
for item in "$case_dir"/*; do
    case ${item##*/} in expected | args) continue ;; esac
    cp -a "$item" "$run/" || exit 2
done
while IFS= read -r -d '' picture; do
    sheet=${picture%.pix}
    [[ $sheet == *.png || $sheet == *.bmp ]] || sheet=$sheet.bmp
    "$mkbmp" "$picture" "$sheet" || exit 2
done < <(find "$run" -name '*.pix' -print0)

args=()
[[ -f $case_dir/args ]] && mapfile -t args <"$case_dir/args"

# One line per file: path, inode, modification time, content hash. A file
# replaced by rename gets a new inode even when its bytes are the same.
snapshot() {
    (cd "$run" && find . ! -type d -printf '%p\t%i\t%T@\t' -exec sh -c 'sha256sum <"$1" | cut -d" " -f1' _ {} \; |
        sort)
}
before=$(snapshot)

# PIXCELL_WRAPPER runs the binary under another program, e.g. valgrind.
wrapper=()
[[ -n ${PIXCELL_WRAPPER:-} ]] && read -ra wrapper <<<"$PIXCELL_WRAPPER"
(cd "$run" && ${wrapper[@]+"${wrapper[@]}"} "$pixcell" "${args[@]}" >"$scratch/stdout" 2>"$scratch/stderr")
status=$?
echo "$status" >"$scratch/status"
after=$(snapshot)

# Paths created or changed by the run, and paths it removed.
written=$(comm -13 <(echo "$before") <(echo "$after") | cut -f1 | sed 's|^\./||' | sort)
removed=$(comm -23 <(echo "$before" | cut -f1 | sort) <(echo "$after" | cut -f1 | sort))

if ((update)); then
    rm -rf "$expected"
    mkdir -p "$expected/files"
    cp "$scratch/stdout" "$scratch/stderr" "$scratch/status" "$expected/"
    while IFS= read -r path; do
        [[ -n $path ]] || continue
        mkdir -p -- "$expected/files/$(dirname -- "$path")"
        cp -- "$run/$path" "$expected/files/$path"
    done <<<"$written"
    echo "updated $expected: status $status, files: $(echo $written)"
    exit 0
fi

failed=0
complain() {
    echo "FAIL: $*"
    failed=1
}
for stream in stdout stderr status; do
    if [[ ! -f $expected/$stream ]]; then
        complain "expected/$stream is missing"
    elif ! cmp -s "$expected/$stream" "$scratch/$stream"; then
        complain "$stream differs (expected, then actual):"
        diff -u "$expected/$stream" "$scratch/$stream" | sed 's/^/    /'
    fi
done

expected_files=$(cd "$expected/files" 2>/dev/null && find . ! -type d | sed 's|^\./||' | sort)
while IFS= read -r path; do
    [[ -n $path ]] || continue
    if [[ ! -f $run/$path ]]; then
        complain "$path was not written"
    elif ! cmp -s "$expected/files/$path" "$run/$path"; then
        complain "$path differs (expected, then actual):"
        diff -u "$expected/files/$path" "$run/$path" | head -40 | sed 's/^/    /'
    fi
done <<<"$expected_files"
extra=$(comm -13 <(echo "$expected_files") <(echo "$written"))
[[ -z $extra ]] || complain "files written that expected/files doesn't hold: $(echo $extra)"
[[ -z $removed ]] || complain "files removed by the run: $(echo $removed)"

if ((failed)); then
    echo "case ${case_dir##*/}: failed (arguments: ${args[*]:-none})"
    exit 1
fi
echo "case ${case_dir##*/}: ok"
