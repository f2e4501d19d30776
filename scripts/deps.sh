#!/usr/bin/env bash
# Installs the Debian packages a task needs, only those that are missing.
#   deps.sh build   - to build pixcell and convert sheets
#   deps.sh package - also what cpack -G DEB needs
#   deps.sh game    - also the ARM cross toolchain the example game is built with
#   deps.sh test    - also everything the test suite uses
#   deps.sh bench   - also what the benchmark plots with
#                     for the inflate study
set -euo pipefail

packages=(g++ cmake make pkg-config libboost-dev libspng-dev libdeflate-dev)
# cpack's Debian generator finds the package's dependencies with
# dpkg-shlibdeps, and the programs to ask it about with file.
package_tools=(dpkg-dev file)
# examples/game is a program for the console: it and the console tests
# are compiled with the ARM cross toolchain.
game_tools=(gcc-arm-none-eabi binutils-arm-none-eabi)
case "${1:-build}" in
  build) ;;
  package)
    packages+=("${package_tools[@]}") ;;
  game)
    packages+=("${game_tools[@]}") ;;
  test)
    packages+=(libgtest-dev valgrind clang libclang-rt-14-dev
               "${game_tools[@]}" libmgba-dev
               ninja-build man-db groff-base "${package_tools[@]}") ;;
  bench)
    packages+=(gnuplot-nox time) ;;
  *) echo "usage: $0 build|package|game|test|bench" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
