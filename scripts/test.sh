#!/usr/bin/env bash
# Runs every test: a warnings-as-errors build with the whole suite, the same
# suite again under AddressSanitizer and UndefinedBehaviorSanitizer, the
# fuzzers for a bounded time, and the end-to-end tests under valgrind.
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

echo "== fuzzing"
"$root/tests/fuzz/run.sh" 60 "$root/build-fuzz"

# The end-to-end tests (not the large ones) with the binary under memcheck: a
# leak or an invalid read changes the exit status, and so fails the test.
if command -v valgrind >/dev/null; then
    echo "== valgrind"
    (cd "$root/build" &&
        PIXCELL_WRAPPER="valgrind -q --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite,indirect,possible" \
            ctest --output-on-failure -j"$jobs" -R '^(case|hostile)\.' -LE large)
fi
