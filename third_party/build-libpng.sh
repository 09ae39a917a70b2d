#!/usr/bin/env bash
# Builds libpng from Debian's source package for the mingw target into PREFIX.
# Usage: build-libpng.sh PREFIX WORKDIR [TOOLCHAIN_FILE]
set -eu
prefix=$1; work=$2
here=$(cd "$(dirname "$0")" && pwd)
# Several build trees share one prefix (through links): one build at a time,
# the others wait and then find it installed.
mkdir -p "$(dirname "$prefix")"
exec 9>"$(readlink -m "$prefix").lock"
flock 9
toolchain=${3:-$here/../cmake/mingw-i686.cmake}
[ -f "$prefix/lib/libpng.a" ] || [ -f "$prefix/lib/libpng16.a" ] && exit 0
mkdir -p "$work"; cd "$work"
if ! ls -d libpng1.6-*/ >/dev/null 2>&1; then
    apt-get source --download-only libpng1.6 >/dev/null 2>&1 || apt-get source --download-only libpng1.6
    dpkg-source -x libpng1.6_*.dsc >/dev/null
fi
src=$(ls -d "$work"/libpng1.6-*/ | head -n1)
cmake -S "$src" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_EXECUTABLES=OFF -DPNG_TESTS=OFF \
    -DZLIB_USE_STATIC_LIBS=ON -DSKIP_INSTALL_EXECUTABLES=ON >/dev/null
cmake --build "$work/build" -j"$(nproc)" >"$work/build.log" 2>&1
cmake --install "$work/build" >/dev/null
echo "libpng installed in $prefix"
