#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine.
# Idempotent: when every package is present it does no network work.
set -eu

PACKAGES="cmake make dpkg-dev xz-utils python3 locales
gcc-mingw-w64-i686-posix g++-mingw-w64-i686-posix binutils-mingw-w64-i686
mingw-w64-i686-dev libz-mingw-w64-dev googletest
gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
mingw-w64-x86-64-dev ccache
wine wine32:i386 wine64 fonts-wine xvfb xauth x11-utils
fonts-ipafont-gothic fonts-ipafont-mincho imagemagick
zip gcab libarchive-tools jlha-utils default-jre-headless
clang-14 libclang-rt-14-dev libpng-dev zlib1g-dev libarchive-dev
ghostscript python3-fonttools"

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
        missing="$missing $p"
    fi
done

need_update=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
    need_update=1
fi

# Source packages (libpng, libarchive) are built for the mingw target by
# third_party/*/build.sh; apt-get source needs a deb-src entry.
SRCLIST=/etc/apt/sources.list.d/disc-software-src.sources
if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
    $SUDO tee "$SRCLIST" >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    need_update=1
fi

if [ -n "$missing" ] || [ $need_update = 1 ]; then
    $SUDO apt-get update -q
fi
if [ -n "$missing" ]; then
    echo "installing:$missing"
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends $missing
fi

# Without the glibc locale, non-ASCII command-line arguments reach Wine garbled.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
    $SUDO localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
