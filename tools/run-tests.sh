#!/usr/bin/env bash
# Runs the test suite (or the ctest arguments given) under one Xvfb and a warm
# wineserver, both started here and stopped by pid.
# Usage: tools/run-tests.sh BUILD_DIR [ctest arguments...]
set -u
build=$(cd "$1" && pwd); shift
top=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="$build/wineprefix"
. "$top/tools/wine-env.sh"

# A free display number: the lock files of running X servers tell which are taken.
disp=90
while [ -e "/tmp/.X$disp-lock" ] || [ -e "/tmp/.X11-unix/X$disp" ]; do disp=$((disp + 1)); done
Xvfb ":$disp" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$disp"
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$disp" ] && break; sleep 0.1; done

cleanup() {
    wineserver -k >/dev/null 2>&1
    kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null
}
trap cleanup EXIT

wine_prefix_ready || wine_prefix_create
wineserver -p >/dev/null 2>&1 </dev/null &
mkdir -p "$top/build/screenshots"

cd "$build"
ctest --output-on-failure "$@"
