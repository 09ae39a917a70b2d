#!/usr/bin/env bash
# Kelview under Wine on a large Shift-JIS file: the time from process start to
# the first painted rows, and the time to page from the top to the end and
# back (every page painted), next to `cat` of the same file in the same run.
# usage: tools/bench/kelview-bench.sh BUILD_DIR [SIZE_MB]
#   BUILD_DIR holds the CMake build (dist/Kelview.exe is found through it).
set -eu
top=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
size=${2:-50}
exe=$(sed -n 's/^DIST_DIR:PATH=//p' "$build/CMakeCache.txt")/Kelview.exe
[ -f "$exe" ] || { echo "no $exe: build Kelview first" >&2; exit 1; }
work="$build/bench-kelview"
mkdir -p "$work"

file="$work/big-sjis.txt"
if [ ! -f "$file" ] || [ "$(stat -c %s "$file")" -lt $((size * 1048576)) ]; then
    python3 - "$file" "$size" <<'PY'
import sys
path, size = sys.argv[1], int(sys.argv[2]) * 1048576
line = ("第%07d行　付録ディスクの説明書です。http://www.example.co.jp/ 半角ｶﾅ\r\n")
with open(path, "wb") as f:
    n, written = 0, 0
    while written < size:
        b = (line % n).encode("cp932")
        f.write(b)
        written += len(b)
        n += 1
PY
fi
bytes=$(stat -c %s "$file")

i686-w64-mingw32-g++-posix -O2 -std=c++17 -static -static-libgcc -static-libstdc++ \
    "$top/tools/bench/kelview_start_bench.cpp" -o "$work/startbench.exe"

export WINEPREFIX="$build/wineprefix"
. "$top/tools/wine-env.sh"
wine_prefix_ready || wine_prefix_create
disp=120
while [ -e "/tmp/.X$disp-lock" ] || [ -e "/tmp/.X11-unix/X$disp" ]; do disp=$((disp + 1)); done
Xvfb ":$disp" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k >/dev/null 2>&1; kill $xvfb 2>/dev/null' EXIT
export DISPLAY=":$disp"
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$disp" ] && break; sleep 0.1; done

winpath() { echo "Z:$1" | tr / '\\'; }
t0=$(date +%s.%N); cat "$file" > /dev/null; t1=$(date +%s.%N)
cat_s=$(echo "$t1 - $t0" | bc -l)
out=$(wine "$work/startbench.exe" "$(winpath "$exe")" "$(winpath "$file")" </dev/null 2>"$work/startbench.err" | tr -d '\r')
echo "file_bytes=$bytes cat_s=$(printf '%.3f' "$cat_s") $out"
