#!/usr/bin/env bash
# Builds the four libFuzzer targets with clang and runs them side by side, each
# for SECONDS seconds, from the seed corpora here. Fails on any finding: a
# crash, a sanitizer or leak report, an input that runs longer than 10 s or
# needs more than 2 GB. The inputs that did it, and each target's log, are
# kept in BUILD_DIR/fuzz-work/.
#
#   tests/fuzz/run.sh [SECONDS] [BUILD_DIR]      (defaults: 60, build-fuzz/)
#
# Replay a finding: BUILD_DIR/tests/fuzz/fuzz_sheet FILE (or fuzz_description, fuzz_export, fuzz_compress).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${1:-60}
build=${2:-$root/build-fuzz}
here=$root/tests/fuzz

if ! command -v clang++ >/dev/null; then
    echo "fuzz: clang++ is missing (scripts/deps.sh test installs it)" >&2
    exit 1
fi
# Warnings are the g++ builds' business; clang may see others in code it doesn't own.
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DPIXCELL_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target fuzz_description fuzz_sheet fuzz_export fuzz_compress make_sheet_corpus

work=$build/fuzz-work
rm -rf "$work"
# The sheet seeds are written by the tests' own sheet writer, so that they
# follow it; the description and export seeds are texts kept in the tree.
mkdir -p "$work/seeds_sheet"
"$build/tests/fuzz/make_sheet_corpus" "$work/seeds_sheet"
seeds_description=$here/corpus_description
seeds_export=$here/corpus_export
seeds_sheet=$work/seeds_sheet
# The compressors start from nothing: any bytes are a tile array.
mkdir -p "$work/seeds_compress"
seeds_compress=$work/seeds_compress
# fuzz_sheet writes its input to a file for every run: ten times faster in memory.
scratch=$(mktemp -d /dev/shm/pixcell-fuzz.XXXXXX 2>/dev/null || mktemp -d)
trap 'rm -rf "$scratch"' EXIT
declare -A pids
for target in description sheet export compress; do
    mkdir -p "$work/$target/found"
    options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
             -close_fd_mask=2 -artifact_prefix="$work/$target/")
    [[ -f $here/$target.dict ]] && options+=(-dict="$here/$target.dict")
    # New inputs go to the first folder; the seeds in the tree stay as they are.
    seeds=seeds_$target
    TMPDIR=$scratch "$build/tests/fuzz/fuzz_$target" "${options[@]}" "$work/$target/found" "${!seeds}" \
        >"$work/$target/log" 2>&1 &
    pids[$target]=$!
done

failed=0
for target in description sheet export compress; do
    status=0
    wait "${pids[$target]}" || status=$?
    log=$work/$target/log
    done_line=$(grep -E '^#[0-9]+[[:space:]].*cov: ' "$log" | tail -1 || true)
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    echo "fuzz_$target: ${seconds}s, ${runs:-?} runs, ${speed:-?} exec/s, $(grep -oE 'cov: [0-9]+' <<<"$done_line" || echo 'cov: ?'), status $status"
    if ((status != 0)); then
        failed=1
        echo "fuzz_$target FOUND A FAULT; its log ends:" >&2
        tail -60 "$log" >&2
        ls "$work/$target" | grep -E '^(crash|leak|timeout|oom|slow-unit)-' | sed "s|^|  input: $work/$target/|" >&2 || true
    fi
done
exit $failed
