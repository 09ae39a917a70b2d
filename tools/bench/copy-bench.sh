#!/usr/bin/env bash
# Throughput of the installer's copy engine under Wine next to `cp -r` of the
# same tree, in one run. Builds copy_bench in the given build tree first.
# Usage: tools/bench/copy-bench.sh BUILD_DIR [MEGABYTES]
set -eu
build=$(cd "$1" && pwd)
mb=${2:-200}
top=$(cd "$(dirname "$0")/../.." && pwd)
cmake --build "$build" --target copy_bench -j2 >/dev/null

work="$build/copy-bench"
rm -rf "$work"
mkdir -p "$work/src"
# The tree: folders of a few files each, sizes from 64 KB to 8 MB, random bytes.
python3 - "$work/src" "$mb" <<'PY'
import os, sys, random
root, total = sys.argv[1], int(sys.argv[2]) << 20
random.seed(7)
sizes = [64 << 10, 512 << 10, 2 << 20, 8 << 20, 300 << 10, 5 << 20]
done, n = 0, 0
while done < total:
    size = min(sizes[n % len(sizes)], total - done)
    folder = os.path.join(root, "dir%02d" % (n % 7), "sub%d" % (n % 3))
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "file%03d.bin" % n), "wb") as f:
        f.write(os.urandom(size))
    done += size
    n += 1
PY
sync

export WINEPREFIX="$build/wineprefix"
. "$top/tools/wine-env.sh"
wine_prefix_ready || wine_prefix_create
disp=95
while [ -e "/tmp/.X$disp-lock" ] || [ -e "/tmp/.X11-unix/X$disp" ]; do disp=$((disp + 1)); done
Xvfb ":$disp" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$disp"
cleanup() { wineserver -k >/dev/null 2>&1 || true; kill "$xvfb" 2>/dev/null || true; }
trap cleanup EXIT
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$disp" ] && break; sleep 0.1; done
wineserver -p >/dev/null 2>&1 </dev/null &
wine cmd /c exit >/dev/null 2>&1 </dev/null || true

bench="$(dirname "$(find "$build" -name copy_bench.exe | head -1)")"
winsrc="Z:$(echo "$work/src" | tr / '\\')"

rate() { python3 -c "b=$1; s=$2/1000.0; print('%.1f MB/s (%.2f s)' % (b/1048576/s if s else 0, s))"; }
bytes=$(du -sb "$work/src" | cut -f1)

start=$(date +%s%N); cp -r "$work/src" "$work/cp-out"; sync; end=$(date +%s%N)
cpms=$(( (end - start) / 1000000 ))

out=$(wine "$bench/copy_bench.exe" "$winsrc" "Z:$(echo "$work/engine-out" | tr / '\\')" </dev/null 2>/dev/null | tr -d '\r'); sync
engms=$(echo "$out" | awk '{print $3}')
out2=$(wine "$bench/copy_bench.exe" --window "$winsrc" "Z:$(echo "$work/window-out" | tr / '\\')" </dev/null 2>/dev/null | tr -d '\r'); sync
winms=$(echo "$out2" | awk '{print $3}')

cmp -s <(cd "$work/src" && find . -type f -exec md5sum {} + | sort) \
       <(cd "$work/engine-out" && find . -type f -exec md5sum {} + | sort) && same=yes || same=NO
echo "tree: $(echo "$out" | awk '{print $1}') files, $bytes bytes"
echo "cp -r:                   $(rate "$bytes" "$cpms")"
echo "copy engine (no window): $(rate "$bytes" "$engms")"
echo "copy engine (window):    $(rate "$bytes" "$winms")"
echo "engine copy identical to source: $same"
rm -rf "$work"
