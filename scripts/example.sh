#!/usr/bin/env bash
# Builds pixcell and converts the bundled example into examples/out/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" build
cmake -S "$root" -B "$root/build" -DBUILD_TESTING=OFF >/dev/null
cmake --build "$root/build" -j"$(nproc)" --target pixcell
mkdir -p "$root/examples/out"
cd "$root/examples"
"$root/build/pixcell" -d hero.txt
"$root/build/pixcell" hero.txt out/hero
echo "Wrote:"; ls -l out/
