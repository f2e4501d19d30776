#!/usr/bin/env bash
# Output files that can't be written, as the built binary meets them: a file
# size limit (ulimit -f: the write fails with EFBIG), a read-only folder or
# file system, a full file system. Each run must say
# "Error: Can't write file 'NAME'", end with status 1, leave no partial or
# temporary file, and leave the previous outputs of the same name as they were.
#
#   failing_writes.sh MODE PIXCELL MKBMP      MODE: file_limit, read_only, full_disk
#
# read_only and full_disk mount a small tmpfs and need root; they exit with 77
# (skipped) where that isn't possible. As non-root, read_only uses a folder of
# mode 555 instead, which doesn't stop root.
set -uo pipefail
mode=$1
PIXCELL=$(realpath "$2") MKBMP=$(realpath "$3")
source "$(dirname "$0")/lib.sh"

cd "$scratch" || exit 2
mkdir sheets out
# 200 different cells: a cell array of about 100 KB.
noise_pix 16 3200 7 >sheets/many.pix
"$MKBMP" sheets/many.pix sheets/many.bmp || exit 2
printf '*../sheets/many.bmp\nall 0,0 16x3200\n' >sheets/many.txt

# Mounts a tmpfs of SIZE on out/, or skips the test.
mount_out() {
    if [[ $(id -u) != 0 ]] || ! mount -t tmpfs -o "size=$1" tmpfs out 2>/dev/null; then
        echo "${0##*/} $mode: skipped, mounting a tmpfs needs root"
        exit 77
    fi
    cleanups+=("umount -l '$scratch/out'")
}

# Old outputs under out/: their contents and inodes, to compare afterwards.
write_old_outputs() {
    local file
    for file in $(outputs_of out/game); do echo "old ${file##*/}" >"$file"; done
    old_state=$(stat -c '%n %i %s %Y' $(outputs_of out/game); cat $(outputs_of out/game))
}

expect_old_outputs_untouched() {
    local now
    now=$(stat -c '%n %i %s %Y' $(outputs_of out/game); cat $(outputs_of out/game))
    [[ $now == "$old_state" ]] || fail "$1: the previous outputs changed"
    local others
    others=$(cd out && ls -A | grep -vxE 'game(\.s|\.h|_enum\.h|_pat\.c|_pat\.h)' | grep -vx lost+found)
    [[ -z $others ]] || fail "$1: files left behind in out/: $others"
}

case $mode in
file_limit)
    # 64 KiB: the headers fit, the cell array doesn't.
    write_old_outputs
    file_limit=64 run sheets --no-warnings ../sheets/many.txt ../out/game
    expect_status 1 "file size limit"
    expect_stderr "Error: Can't write file '../out/game.s'"$'\n' "file size limit"
    expect_old_outputs_untouched "file size limit"

    # Without previous outputs nothing at all is left.
    rm -f out/*
    file_limit=64 run sheets --no-warnings ../sheets/many.txt ../out/game
    expect_status 1 "file size limit, no previous outputs"
    [[ -z $(ls -A out) ]] || fail "file size limit: out/ holds $(ls -A out)"

    # The limit is the only reason: without it the same run writes all five.
    run sheets --no-warnings ../sheets/many.txt ../out/game
    expect_status 0 "no file size limit"
    [[ $(grep -c '\.short' out/game.s) == 800 ]] || fail "no file size limit: out/game.s doesn't hold 200 cells"
    ;;
read_only)
    if [[ $(id -u) == 0 ]]; then
        mount_out 1m
        write_old_outputs
        mount -o remount,ro out || fail "can't remount out/ read-only"
    else
        write_old_outputs
        chmod 555 out
    fi
    run sheets --no-warnings ../sheets/many.txt ../out/game
    expect_status 1 "read-only folder"
    expect_stderr "Error: Can't write file '../out/game.s'"$'\n' "read-only folder"
    expect_old_outputs_untouched "read-only folder"
    ;;
full_disk)
    # Room for the old outputs and the small files, not for the cell array.
    mount_out 64k
    write_old_outputs
    run sheets --no-warnings ../sheets/many.txt ../out/game
    expect_status 1 "full file system"
    expect_stderr "Error: Can't write file '../out/game.s'"$'\n' "full file system"
    expect_old_outputs_untouched "full file system"

    # Everything given back: a run whose outputs fit succeeds.
    printf '*../sheets/many.bmp\nsome 0,0 16x32\n' >sheets/few.txt
    run sheets --no-warnings ../sheets/few.txt ../out/game
    expect_status 0 "small run on the same file system"
    [[ $(grep -c '\.short' out/game.s 2>/dev/null) == 8 ]] || fail "small run: out/game.s doesn't hold 2 cells"
    ;;
*)
    echo "usage: failing_writes.sh file_limit|read_only|full_disk PIXCELL MKBMP" >&2
    exit 2
    ;;
esac
finish
