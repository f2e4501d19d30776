# Shared by the hostile-input tests: sourced after `set -uo pipefail`, with
# PIXCELL and MKBMP set to the binaries. Each test works in its own scratch
# folder and reports every failed check, not just the first.
export LC_ALL=C

# PIXCELL_WRAPPER (e.g. "valgrind -q --error-exitcode=99") runs the binary
# under another program, as tests/run_case.sh does.
wrapper=()
[[ -n ${PIXCELL_WRAPPER:-} ]] && read -ra wrapper <<<"$PIXCELL_WRAPPER"

scratch=$(mktemp -d "${TMPDIR:-/tmp}/pixcell-hostile.XXXXXX") || exit 2
cleanups=()
cleanup() {
    local step
    for step in "${cleanups[@]+"${cleanups[@]}"}"; do eval "$step"; done
    chmod -R u+w "$scratch" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT
# A test stopped by its timeout still unmounts and removes what it made.
trap 'exit 143' TERM INT

failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}

finish() {
    if ((failed)); then
        echo "${0##*/}: failed"
        exit 1
    fi
    echo "${0##*/}: ok"
    exit 0
}

# run FOLDER ARGS...: runs pixcell in FOLDER; sets status, out, err (the
# streams' file names) and seconds (wall time, whole seconds). With
# file_limit set, the run may write files of that many KiB at most.
run() {
    local folder=$1
    shift
    out=$scratch/stdout
    err=$scratch/stderr
    local start=$SECONDS
    (cd "$folder" && { [[ -z ${file_limit:-} ]] || ulimit -f "$file_limit"; } && exec ${wrapper[@]+"${wrapper[@]}"} "$PIXCELL" "$@" >"$out" 2>"$err")
    status=$?
    seconds=$((SECONDS - start))
}

expect_status() {
    [[ $status == "$1" ]] || fail "$2: exit status $status, expected $1"
}

# expect_stderr TEXT WHAT: the whole standard error stream, byte for byte.
expect_stderr() {
    [[ $(cat "$err"; echo .) == "$1." ]] || fail "$2: standard error was [$(head -c 600 "$err")], expected [$1]"
}

expect_within() {
    ((seconds <= $1)) || fail "$2: took ${seconds}s, more than $1s"
}

# Little-endian fields of a BMP header.
le16() { printf "$(printf '\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)))"; }
le32() {
    local v=$(($1 & 0xFFFFFFFF))
    printf "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $((v & 255)) $((v >> 8 & 255)) $((v >> 16 & 255)) $((v >> 24 & 255)))"
}

# bmp_head WIDTH HEIGHT: the 54 header bytes and a 256-entry grey palette of
# an uncompressed 8-bit BMP; the pixel rows follow, bottom row first.
bmp_head() {
    local width=$1 height=$2
    local row=$(((width + 3) / 4 * 4)) rows=${height#-}
    local offset=$((54 + 1024))
    printf 'BM'
    le32 $((offset + row * rows)); le32 0; le32 $offset
    le32 40; le32 "$width"; le32 "$height"; le16 1; le16 8; le32 0; le32 $((row * rows))
    le32 2835; le32 2835; le32 256; le32 0
    local i
    for ((i = 0; i < 256; i++)); do
        local g=$(((i & 15) * 17))
        printf "$(printf '\\x%02x\\x%02x\\x%02x\\x00' $g $g $g)"
    done
}

# patch32 FILE OFFSET VALUE: overwrites one 32-bit field in place.
patch32() { le32 "$3" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none; }

# noise_pix WIDTH HEIGHT SEED: a picture for mkbmp whose 16x16 cells all
# differ (with a fixed seed, the same every time), in palette row 0, so
# that it draws no warning.
noise_pix() {
    awk -v w="$1" -v h="$2" -v seed="$3" 'BEGIN {
        srand(seed); print w, h
        for (y = 0; y < h; y++) {
            line = ""
            for (x = 0; x < w; x++) line = line sprintf("%02X", int(rand() * 16))
            print line
        }
    }'
}

# The five files a run writes for BASE.
outputs_of() {
    local base=$1
    echo "$base.s" "$base.h" "$base"_enum.h "$base"_pat.c "$base"_pat.h
}
