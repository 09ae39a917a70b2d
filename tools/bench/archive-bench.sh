#!/usr/bin/env bash
# Unpacking a ZIP and an LZH archive of about 100 MB through the installer's
# extraction window under Wine, next to `bsdtar -xf` of the same archives in
# the same run, and through the archiver library alone (no window). Builds archive_bench and the archiver libraries in the given
# build tree first. Run it under `nice -n 19` on a shared machine.
# With COMPARE_BUILD=DIR (a folder holding archive_bench.exe and the three
# libraries of another build, say of an earlier commit) each run also
# unpacks through that build's window, so that two versions meet the same
# load.
# Usage: tools/bench/archive-bench.sh BUILD_DIR [MEGABYTES] [RUNS]
set -eu
build=$(cd "$1" && pwd)
mb=${2:-100}
runs=${3:-3}
top=$(cd "$(dirname "$0")/../.." && pwd)
cmake --build "$build" --target archive_bench UnLha32 UnZip32 Cab32 -j2 >/dev/null
dist=$(sed -n 's/^DIST_DIR:[A-Z]*=//p' "$build/CMakeCache.txt")

work="$build/archive-bench"
rm -rf "$work"
mkdir -p "$work/src" "$work/bin"
# The content: files of 64 KB to 8 MB, random bytes (so that the archives
# are about as large as what they hold) with a quarter of text among them.
python3 - "$work/src" "$mb" <<'PY'
import os, sys, random
root, total = sys.argv[1], int(sys.argv[2]) << 20
random.seed(11)
sizes = [64 << 10, 512 << 10, 2 << 20, 8 << 20, 300 << 10, 5 << 20]
done, n = 0, 0
while done < total:
    size = min(sizes[n % len(sizes)], total - done)
    folder = os.path.join(root, "dir%02d" % (n % 5))
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "file%03d.%s" % (n, "txt" if n % 4 == 0 else "bin")), "wb") as f:
        if n % 4 == 0:
            line = b"%06d text line of the archive benchmark, compressible\r\n"
            f.write(b"".join(line % i for i in range(size // len(line % 0) + 1))[:size])
        else:
            f.write(os.urandom(size))
    done += size
    n += 1
PY
(cd "$work/src" && zip -q -r "$work/bench.zip" .)
(cd "$work/src" && LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 lha a2o5 "$work/bench.lzh" $(find . -type f | sed 's#^\./##' | sort) >/dev/null)

cp "$build"/installer/archive_bench.exe "$work/bin/" 2>/dev/null || cp "$(find "$build" -name archive_bench.exe | head -1)" "$work/bin/"
for l in UnLha32.DLL UnZip32.DLL Cab32.DLL; do cp "$dist/$l" "$work/bin/"; done
compare=${COMPARE_BUILD:-}
if [ -n "$compare" ]; then
    mkdir -p "$work/bin-compare"
    for f in archive_bench.exe UnLha32.DLL UnZip32.DLL Cab32.DLL; do cp "$compare/$f" "$work/bin-compare/"; done
fi

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

win() { printf 'Z:%s' "$(echo "$1" | tr / '\\')"; }
rate() { python3 -c "b=$1; s=$2/1000.0; print('%6.1f MB/s (%.2f s)' % (b/1048576/s if s else 0, s))"; }
bytes=$(du -sb "$work/src" | cut -f1)
echo "content: $bytes bytes; bench.zip $(stat -c %s "$work/bench.zip") bytes, bench.lzh $(stat -c %s "$work/bench.lzh") bytes"
sums() { (cd "$1" && find . -type f -exec md5sum {} + | sort); }
for kind in zip lzh; do
    for r in $(seq "$runs"); do
        rm -rf "$work/tar-out" "$work/inst-out"; mkdir -p "$work/tar-out"; sync
        start=$(date +%s%N); bsdtar -xf "$work/bench.$kind" -C "$work/tar-out"; sync; end=$(date +%s%N)
        tarms=$(( (end - start) / 1000000 ))
        instms=$(wine "$work/bin/archive_bench.exe" "$(win "$work/bench.$kind")" "$(win "$work/inst-out")" \
                 </dev/null 2>/dev/null | tr -d '\r'); sync
        cmp -s <(sums "$work/src") <(sums "$work/inst-out") && same=yes || same=NO
        # The library alone, no window: tells the window's share of the time.
        rm -rf "$work/lib-out"
        libms=$(wine "$work/bin/archive_bench.exe" --library "$(win "$work/bench.$kind")" "$(win "$work/lib-out")" \
                </dev/null 2>/dev/null | tr -d '\r'); sync
        echo "$kind run $r: bsdtar -xf $(rate "$bytes" "$tarms")   installer $(rate "$bytes" "$instms")   identical: $same" \
             "  library alone $(rate "$bytes" "$libms")   installer/bsdtar $(python3 -c "print('%.2f' % ($tarms / $instms))")x" \
             "  load $(cut -d' ' -f1 /proc/loadavg)"
        if [ -n "$compare" ]; then
            rm -rf "$work/inst-out"
            cmpms=$(wine "$work/bin-compare/archive_bench.exe" "$(win "$work/bench.$kind")" "$(win "$work/inst-out")" \
                    </dev/null 2>/dev/null | tr -d '\r'); sync
            echo "$kind run $r: other build $(rate "$bytes" "$cmpms")" \
                 "  installer/bsdtar $(python3 -c "print('%.2f' % ($tarms / $cmpms))")x   load $(cut -d' ' -f1 /proc/loadavg)"
        fi
    done
done
rm -rf "$work"
