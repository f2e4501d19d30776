#!/usr/bin/env bash
# cpack -G DEB: the package holds the program, the manual page, the CMake
# package, sprite16.h and the example game (which check_example.sh builds
# from an install of the same files), and depends on the libraries the
# program links (dpkg-shlibdeps), libspng among them.
#
#   package.sh BUILD_DIR
set -uo pipefail
export LC_ALL=C
for tool in cpack dpkg-deb dpkg-shlibdeps file; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed (scripts/deps.sh test installs it)"; exit 77; }
done
build_dir=$(realpath "$1") || exit 2
scratch=$(mktemp -d "${TMPDIR:-/tmp}/pixcell-package.XXXXXX") || exit 2
trap 'rm -rf "$scratch"' EXIT

if ! (cd "$build_dir" && cpack -G DEB -B "$scratch" >"$scratch/cpack.log" 2>&1); then
    cat "$scratch/cpack.log"
    echo "package: cpack failed"
    exit 1
fi
packages=("$scratch"/*.deb)
[[ -f ${packages[0]} ]] || { echo "package: cpack made no .deb"; exit 1; }
deb=${packages[0]}

failed=0
contents=$(dpkg-deb -c "$deb" | awk '{ print $NF }')
for file in ./usr/bin/pixcell ./usr/share/man/man1/pixcell.1 ./usr/lib/cmake/pixcell/pixcellConfig.cmake \
            ./usr/lib/cmake/pixcell/pixcellConfigVersion.cmake ./usr/lib/cmake/pixcell/pixcellTargets.cmake \
            ./usr/lib/cmake/pixcell/pixcell_add_sprites.cmake ./usr/include/pixcell/sprite16.h \
            ./usr/include/pixcell/spriteobj.h ./usr/include/pixcell/spriteanim.h ./usr/share/pixcell/examples/hero.txt \
            ./usr/share/pixcell/examples/items.bmp ./usr/share/pixcell/examples/boss.txt \
            ./usr/share/pixcell/examples/game/main.c ./usr/share/pixcell/examples/game/Makefile; do
    grep -qxF "$file" <<<"$contents" || { echo "FAIL: the package doesn't hold $file"; failed=1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6 libspng0; do
    grep -q "\\b$library\\b" <<<"$depends" || { echo "FAIL: the package doesn't depend on $library: $depends"; failed=1; }
done

if ((failed)); then echo "package: failed"; exit 1; fi
echo "package: ok, ${deb##*/}, depends on $depends"
