#!/usr/bin/env bash
# Builds libarchive (LZH, ZIP and CAB readers with zlib only) from Debian's
# source package for the mingw target into PREFIX.
# Usage: build-libarchive.sh PREFIX WORKDIR [TOOLCHAIN_FILE]
set -eu
prefix=$1; work=$2
here=$(cd "$(dirname "$0")" && pwd)
# Several build trees share one prefix (through links): one build at a time,
# the others wait and then find it installed.
mkdir -p "$(dirname "$prefix")"
exec 9>"$(readlink -m "$prefix").lock"
flock 9
toolchain=${3:-$here/../cmake/mingw-i686.cmake}
[ -f "$prefix/lib/libarchive.a" ] || [ -f "$prefix/lib/libarchive_static.a" ] && exit 0
mkdir -p "$work"; cd "$work"
if ! ls -d libarchive-*/ >/dev/null 2>&1; then
    apt-get source --download-only libarchive >/dev/null 2>&1 || apt-get source --download-only libarchive
    dpkg-source -x libarchive_*.dsc >/dev/null
fi
src=$(ls -d "$work"/libarchive-*/ | head -n1)
off=""
for o in OPENSSL MBEDTLS NETTLE LIBB2 LZ4 LZO LZMA ZSTD BZip2 LIBXML2 EXPAT PCREPOSIX LIBGCC CNG TAR CPIO CAT XATTR ACL ICONV TEST; do
    off="$off -DENABLE_$o=OFF"
done
# Its configure step runs one test program (does zlib need ZLIB_WINAPI?).
# A cross build cannot run it, and CMake crashes trying without an emulator:
# /bin/false answers "no", which is right for the mingw zlib.
cmake -S "$src" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" $off \
    -DPOSIX_REGEX_LIB=NONE -DZLIB_USE_STATIC_LIBS=ON -DBUILD_SHARED_LIBS=OFF \
    -DCMAKE_CROSSCOMPILING_EMULATOR=/bin/false >/dev/null
cmake --build "$work/build" --target archive_static -j"$(nproc)" >"$work/build.log" 2>&1
mkdir -p "$prefix/lib" "$prefix/include"
cp "$work/build/libarchive/libarchive_static.a" "$prefix/lib/"
cp "$src/libarchive/archive.h" "$src/libarchive/archive_entry.h" "$prefix/include/"
echo "libarchive installed in $prefix"
