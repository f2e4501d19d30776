#!/usr/bin/env bash
# Builds pixcell and its manual page (all that cmake --install installs) and
# converts the bundled examples into examples/out/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" build
# A build folder that exists keeps its settings (scripts/test.sh's has the
# tests on); a new one leaves the tests out, whose packages deps.sh build
# doesn't install.
if [ ! -f "$root/build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$root/build" -DBUILD_TESTING=OFF >/dev/null
fi
cmake --build "$root/build" -j"$(nproc)" --target pixcell man_page
mkdir -p "$root/examples/out"
# The sheet names of a description are read from the folder pixcell runs in.
cd "$root/examples"
"$root/build/pixcell" -d hero.txt
"$root/build/pixcell" hero.txt out/hero
"$root/build/pixcell" items.txt out/items
"$root/build/pixcell" --objects boss.txt out/boss
"$root/build/pixcell" --objects hud.txt out/hud
# An Aseprite export: its frames streamed, its tags animations, its tiles compressed too.
"$root/build/pixcell" --stream --compress knight.json out/knight
echo "Wrote:"; ls -l out/
