#!/usr/bin/env bash
# Puts the built programs onto a copy of sample-disc/ and starts the menu.
# With a DISPLAY the menu opens there and this waits until it is closed.
# Without one, the menu runs on a private Xvfb, its window is captured to
# demo.png beside the demo disc, and everything started here is stopped again.
# Usage: tools/demo.sh BUILD_DIR      (the CMake build tree, e.g. build/cmake)
set -u
if [ $# -lt 1 ] || [ ! -f "$1/CMakeCache.txt" ]; then
    echo "usage: tools/demo.sh BUILD_DIR (a configured CMake build tree)" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
top=$(cd "$(dirname "$0")/.." && pwd)
out=$(dirname "$build")            # build/ for the default tree build/cmake
disc="$out/demo-disc"
shot="$out/demo.png"

dist=$(sed -n 's/^DIST_DIR:[A-Z]*=//p' "$build/CMakeCache.txt")
[ -n "$dist" ] || dist="$top/dist"
if [ ! -f "$dist/Ostrel.exe" ]; then
    echo "demo: $dist/Ostrel.exe has not been built" >&2
    exit 1
fi
if [ ! -d "$top/sample-disc" ]; then
    echo "demo: $top/sample-disc is missing" >&2
    exit 1
fi

# A fresh copy of the sample disc with the programs beside MENU.INI.
rm -rf "$disc"
mkdir -p "$disc"
cp -R "$top/sample-disc/." "$disc/"
# The installer's archives are written at build time; they go where the
# script's archive sections look for them.
if [ -d "$build/sample-disc-archives" ]; then
    mkdir -p "$disc/INSTALL/ARC"
    for f in "$build/sample-disc-archives"/*.lzh "$build/sample-disc-archives"/*.zip \
             "$build/sample-disc-archives"/*.cab; do
        [ -f "$f" ] && cp "$f" "$disc/INSTALL/ARC/"
    done
fi
ini=$(find "$disc" -iname MENU.INI -print -quit)
home_dir=$disc
[ -n "$ini" ] && home_dir=$(dirname "$ini")
for f in "$dist"/*.exe "$dist"/*.dll "$dist"/*.DLL; do
    [ -f "$f" ] || continue
    name=$(basename "$f")
    cp "$f" "$home_dir/$name"
    # Copies the disc keeps elsewhere under the same name are refreshed too.
    find "$disc" -type f -name "$name" ! -path "$home_dir/$name" -exec cp "$f" {} \;
done
menu="$home_dir/Ostrel.exe"
echo "demo: disc prepared in $home_dir"

export WINEPREFIX="$build/wineprefix"
. "$top/tools/wine-env.sh"

winpath() { printf 'Z:%s' "${1//\//\\}"; }

if [ -n "${DISPLAY:-}" ]; then
    wine_prefix_ready || wine_prefix_create
    echo "demo: starting the menu on $DISPLAY"
    (cd "$home_dir" && wine "$(winpath "$menu")")
    rc=$?
    if [ $rc -ne 0 ]; then
        echo "demo: the menu ended with exit code $rc" >&2
        exit 1
    fi
    exit 0
fi

# Headless: a private X server and wineserver, both stopped by pid at the end.
shoot="$build/helpers/shoot.exe"
if [ ! -f "$shoot" ]; then
    cmake --build "$build" --target e2e_shoot >/dev/null || {
        echo "demo: could not build the capture helper" >&2
        exit 1
    }
fi

disp=90
while [ -e "/tmp/.X$disp-lock" ] || [ -e "/tmp/.X11-unix/X$disp" ]; do disp=$((disp + 1)); done
Xvfb ":$disp" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
wsrv=""
log=$(mktemp)
cleanup() {
    # SIGINT, unlike SIGTERM, makes the server end its client processes too.
    if [ -n "$wsrv" ]; then kill -INT "$wsrv" 2>/dev/null; wait "$wsrv" 2>/dev/null; fi
    kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null
    rm -f "$log"
}
trap cleanup EXIT
export DISPLAY=":$disp"
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$disp" ] && break; sleep 0.1; done
if [ ! -e "/tmp/.X11-unix/X$disp" ]; then
    echo "demo: Xvfb did not start" >&2
    exit 1
fi

wine_prefix_ready || wine_prefix_create
# Started in the foreground mode so that its pid is ours to stop.
wineserver -f -p >/dev/null 2>&1 </dev/null &
wsrv=$!

rm -f "$shot"
echo "demo: starting the menu headless on $DISPLAY"
# Output goes through a file: Wine's helper processes would hold a pipe open.
# The capture waits for the disc's 2.5-second opening movie and then the
# first page, which the menu shows 3 seconds after its screen is built.
timeout 120 wine "$(winpath "$shoot")" "$(winpath "$menu")" OstrelClass "$(winpath "$shot")" 7500 30000 \
    >"$log" 2>&1 </dev/null
rc=$?
iconv -f CP932 -t UTF-8 "$log" 2>/dev/null | tr -d '\r' | sed 's/^/demo: /' || cat "$log"
if [ $rc -ne 0 ] || [ ! -s "$shot" ]; then
    echo "demo: the menu did not come up (exit code $rc); no screenshot written" >&2
    exit 1
fi
echo "demo: screenshot written to $shot"
exit 0
